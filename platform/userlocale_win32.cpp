#include "platform/languagesetting.h"

#include <windows.h>

#include <cctype>

std::string UserLocaleLanguage()
{
    // The ISO 639 name of the interface language ("de", "en"), as the user chose it in Windows.
    const LCID locale = MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT);
    wchar_t name[9] = {};
    if (::GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, name, 9) == 0)
        return {};
    std::string language;
    for (const wchar_t* c = name; *c != 0 && language.size() < 2; ++c)
        language += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    return language;
}
