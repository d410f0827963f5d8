#pragma once
// The catalogue of a language without Qt, for talvctl: German is built in, English comes from
// the texts taken from the English catalogue when the program is built (englishtexts.h). Like
// the desktop program's catalogue it also sets the numbered texts of the string table.

#include "platform/languagesetting.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

class TTextCatalogue {
public:
    // Loads the texts of code: "EN" English, any other German. The string table takes the
    // English texts at once; texts that do not fit the table raise ERangeError and leave the
    // German texts.
    void Load(const std::string& code);
    // The language whose texts are in use after Load: "DE" or "EN".
    const std::string& Language() const { return FLanguage; }

    // The text of the loaded language for a German source text, or the source text itself.
    std::string Translate(const char* context, const char* sourceText) const;

private:
    using TKey = std::pair<std::string_view, std::string_view>;  // context, German text

    std::string FLanguage = LanguageGerman;
    // Views of the built-in table, which lives as long as the program.
    std::map<TKey, std::string_view, std::less<>> FTexts;
};
