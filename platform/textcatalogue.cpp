#include "platform/textcatalogue.h"

#include "platform/englishtexts.h"
#include "platform/resstrings.h"

#include <vector>

void TTextCatalogue::Load(const std::string& code)
{
    FLanguage = LanguageGerman;
    FTexts.clear();

    std::map<TKey, std::string_view, std::less<>> texts;
    if (code == LanguageEnglish)
        for (const TCatalogueText& text : EnglishTexts())
            texts.emplace(TKey(text.Context, text.Source), text.Translation);

    std::vector<std::pair<int, std::string>> numbered;
    for (const auto& [id, german] : BuiltInResStrings()) {
        const auto english = texts.find(TKey("ResStrings", german));
        if (english != texts.end())
            numbered.emplace_back(id, english->second);
    }
    SetResStringTranslation(std::move(numbered));

    FTexts = std::move(texts);
    if (code == LanguageEnglish)
        FLanguage = LanguageEnglish;
}

std::string TTextCatalogue::Translate(const char* context, const char* sourceText) const
{
    const auto text = FTexts.find(TKey(context, sourceText));
    return std::string(text != FTexts.end() ? text->second : std::string_view(sourceText));
}
