// Protects talvctl's built-in English: the table taken from the catalogue at build time gives every text of "ResStrings" and "talvctl" exactly as the compiled catalogue does.
#include "platform/englishtexts.h"
#include "platform/languagecatalogue.h"
#include "platform/resstrings.h"
#include "platform/textcatalogue.h"

#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The context and German text of every message of talvctl's contexts in the catalogue's source,
// whatever the state of its translation.
std::vector<std::pair<std::string, std::string>> TalvctlMessages()
{
    std::vector<std::pair<std::string, std::string>> messages;
    QFile file(TALV_CATALOGUE);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TALV_CATALOGUE;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source" && (context == u"ResStrings" || context == u"talvctl"))
            messages.emplace_back(context.toStdString(), xml.readElementText().toStdString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

}  // namespace

TEST(TextCatalogue, EnglishTableAgreesWithTheCompiledCatalogue)
{
    struct TGermanAfter {
        ~TGermanAfter() { SetResStringTranslation({}); }
    } germanAfter;
    TLanguageCatalogue compiled;
    ASSERT_TRUE(compiled.Load("EN")) << "missing: " << TLanguageCatalogue::ProgramCatalogueFile("EN").toStdString();
    TTextCatalogue table;
    table.Load("EN");
    EXPECT_EQ(table.Language(), "EN");
    ASSERT_FALSE(EnglishTexts().empty());

    // Every text the program may ask for, so a message the table lacks or holds wrongly (an
    // unfinished or vanished one) shows as well as a garbled text.
    const auto messages = TalvctlMessages();
    ASSERT_FALSE(messages.empty());
    for (const auto& [context, source] : messages)
        EXPECT_EQ(table.Translate(context.c_str(), source.c_str()),
                  compiled.Translate(context.c_str(), source.c_str()).toStdString())
            << context << ": " << source;
    // The table's own keys, so a source text it decoded wrongly shows too.
    for (const TCatalogueText& text : EnglishTexts())
        EXPECT_EQ(text.Translation, compiled.Translate(text.Context, text.Source).toStdString())
            << text.Context << ": " << text.Source;
}
