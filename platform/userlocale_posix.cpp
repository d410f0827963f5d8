#include "platform/languagesetting.h"

#include <cctype>
#include <cstdlib>

namespace {

std::string LanguageOfLocale(const std::string& locale)
{
    std::string language;
    for (const char c : locale) {
        if (!std::isalpha(static_cast<unsigned char>(c)))
            break;
        language += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (language == "C" || language == "POSIX")
        return {};
    return language.substr(0, 2);
}

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string UserLocaleLanguage()
{
    // LANGUAGE is a list of preferences separated by ":"; the C library ignores it in the "C"
    // locale, and so do we.
    std::string locale = Variable("LC_ALL");
    if (locale.empty())
        locale = Variable("LC_MESSAGES");
    if (locale.empty())
        locale = Variable("LANG");
    const std::string preferences = Variable("LANGUAGE");
    const std::string localeLanguage = LanguageOfLocale(locale);
    if (!preferences.empty() && !localeLanguage.empty())
        return LanguageOfLocale(preferences.substr(0, preferences.find(':')));
    return localeLanguage;
}
