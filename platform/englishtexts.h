#pragma once
// The English texts of talvctl and of the string table, taken from the English catalogue
// (translations/TALVConfig_en.ts) when the program is built (cmake/englishtexts.cmake), so that
// they need no catalogue loader at run time. TTextCatalogue serves them.

#include <span>

struct TCatalogueText {
    const char* Context;
    const char* Source;       // the German text, as the program holds it
    const char* Translation;  // its English text
};

// Every translated message of the contexts "ResStrings" and "talvctl", in catalogue order.
std::span<const TCatalogueText> EnglishTexts();
