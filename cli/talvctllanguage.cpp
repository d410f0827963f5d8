#include "cli/talvctllanguage.h"

#include "platform/datafolders.h"
#include "platform/languagesetting.h"
#include "platform/utf8path.h"

std::string TalvctlDefaultLanguage()
{
    const std::string self = ProgramFileName();
    const std::string desktop = self.empty() ? std::string() : Utf8FromPath(PathFromUtf8(self).parent_path() / "TALVConfig");
    return ReadLanguage(desktop) == LanguageEnglish ? LanguageEnglish : LanguageGerman;
}
