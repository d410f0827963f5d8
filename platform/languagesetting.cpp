#include "platform/languagesetting.h"

#include "platform/inifile.h"
#include "platform/settingsfile.h"

namespace {

const char* const LanguageSection = "Language";
constexpr std::size_t MaxStoredLength = 3;

// A profile line cannot hold "=" in a key nor line breaks, and blanks at its ends are dropped on
// reading; a program path may contain any of them. Those characters and "%" itself are written
// as %XX, so every path has a key of its own and reads back as it was written.
std::string KeyOf(const std::string& programFile)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string key;
    for (std::size_t i = 0; i < programFile.size(); ++i) {
        const auto c = static_cast<unsigned char>(programFile[i]);
        const bool edgeBlank = (c == ' ' || c == '\t') && (i == 0 || i + 1 == programFile.size());
        if (c == '%' || c == '=' || c < 0x20 || c == 0x7F || edgeBlank) {
            key += '%';
            key += hex[c >> 4];
            key += hex[c & 0x0F];
        } else {
            key += static_cast<char>(c);
        }
    }
    return key;
}

// Only German and English have texts; a user whose locale is neither gets German.
std::string StoredOrLocale(const std::string& stored)
{
    if (!stored.empty())
        return stored;
    return UserLocaleLanguage() == LanguageEnglish ? LanguageEnglish : LanguageGerman;
}

}  // namespace

std::string LanguageFileName()
{
    return ConfigFolder() + "/TALVConfigLanguage.INI";
}

std::string ReadStoredLanguage(const std::string& programFile)
{
    const TIniFile file(LanguageFileName());
    const std::string value = file.ReadString(LanguageSection, KeyOf(programFile), "");
    return value.size() > MaxStoredLength ? std::string() : value;
}

std::string ReadLanguage(const std::string& programFile)
{
    return StoredOrLocale(ReadStoredLanguage(programFile));
}

std::string StartLanguage(const std::string& programFile)
{
    for (const std::string& code : {ReadStoredLanguage(programFile), UserLocaleLanguage()})
        if (code == LanguageGerman || code == LanguageEnglish)
            return code;
    return LanguageGerman;
}

void WriteLanguage(const std::string& programFile, const std::string& code)
{
    TIniFile file(LanguageFileName());
    file.WriteString(LanguageSection, KeyOf(programFile), code);
    UpdateSettingsFile(file);
}

std::string TLanguageReader::ReadLanguage(const std::string& programFile)
{
    const std::string fileName = LanguageFileName();
    const TFileStamp stamp = FileStampOf(fileName);
    if (!FValid || fileName != FFileName || programFile != FProgramFile || stamp != FStamp) {
        FStored = stamp.Exists ? ReadStoredLanguage(programFile) : std::string();
        FValid = true;
        FFileName = fileName;
        FProgramFile = programFile;
        FStamp = stamp;
    }
    return StoredOrLocale(FStored);
}
