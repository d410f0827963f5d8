#include "cli/talvctltext.h"

#include "platform/languagecatalogue.h"

#include <atomic>

namespace {

// Read by the Ctrl-C watcher's thread as well, which may start before the run sets it.
std::atomic<const TLanguageCatalogue*> g_Catalogue = nullptr;

}  // namespace

std::string TalvctlText(const char* german)
{
    const TLanguageCatalogue* catalogue = g_Catalogue.load();
    if (catalogue == nullptr)
        return german;
    return catalogue->Translate("talvctl", german).toStdString();
}

std::string TalvctlMessage(const char* german, const std::vector<TFormatArg>& args)
{
    return Format(TalvctlText(german), args);
}

void SetTalvctlCatalogue(const TLanguageCatalogue* catalogue)
{
    g_Catalogue = catalogue;
}
