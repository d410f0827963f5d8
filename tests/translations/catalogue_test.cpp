// Protects the English catalogue: every text of the sources has a finished translation whose placeholders, accelerator and hint separator match its German text, in one terminology.
#include "tests/tempdir.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct TMessage {
    QString Context;
    QString Source;
    QString Translation;
    QString Type;  // "", "unfinished", "vanished", "obsolete"
};

std::vector<TMessage> ReadCatalogue(const QString& fileName)
{
    std::vector<TMessage> messages;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    TMessage message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            message = TMessage{context, {}, {}, {}};
        } else if (xml.name() == u"source") {
            message.Source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            message.Type = xml.attributes().value("type").toString();
            message.Translation = xml.readElementText();
            messages.push_back(message);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

// The placeholders in the order they are filled: printf-style ones (%s, %d) by position, Qt's
// numbered ones (%1..%99) by number, so these are sorted. "%%" is a percent sign.
QStringList Placeholders(const QString& text)
{
    QStringList ordered;
    QStringList numbered;
    static const QRegularExpression placeholder(R"(%(%|\d+|[a-zA-Z]))");
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QString found = it.next().captured(0);
        if (found == "%%")
            continue;
        (found[1].isDigit() ? numbered : ordered) << found;
    }
    numbered.sort();
    return ordered + numbered;
}

// Accelerator marks: "&" before a character other than "&" ("&&" is a literal ampersand).
int Accelerators(const QString& text)
{
    int count = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '&') {
            if (text[i + 1] != '&')
                ++count;
            ++i;
        }
    return count;
}

std::string Describe(const TMessage& m)
{
    return m.Context.toStdString() + ": \"" + m.Source.toStdString() + "\"";
}

}  // namespace

TEST(Catalogue, PlaceholderAndAcceleratorRulesCatchWhatTheyShould)
{
    const std::tuple<QString, QStringList> placeholders[] = {
        {"%s.MSN1 von %d", {"%s", "%d"}}, {"%2 vor %1", {"%1", "%2"}}, {"100%% von %n", {"%n"}}, {"kein", {}},
    };
    for (const auto& [text, expected] : placeholders)
        EXPECT_EQ(Placeholders(text), expected) << text.toStdString();
    EXPECT_NE(Placeholders("%d von %s"), Placeholders("%s von %d"));
    const std::tuple<QString, int> accelerators[] = {{"&Neu", 1}, {"A && B", 0}, {"St&arten", 1}, {"Ende &", 0}};
    for (const auto& [text, expected] : accelerators)
        EXPECT_EQ(Accelerators(text), expected) << text.toStdString();
}

TEST(Catalogue, EverySourceTextHasAMatchingEnglishTranslation)
{
    // lupdate takes the texts of the sources as they are now into a copy of the catalogue:
    // a new text comes in unfinished, a text no longer used is marked vanished.
    TTempDir dir;
    const std::string copy = dir.File("TALVConfig_en.ts");
    std::filesystem::copy_file(TALV_CATALOGUE, copy);
    QProcess lupdate;
    lupdate.setWorkingDirectory(TALV_SOURCE_DIR);
    QStringList arguments = {"-silent", "-locations", "none"};
    arguments += QString(TALV_TRANSLATED_FOLDERS).split(',', Qt::SkipEmptyParts);
    arguments += {"-ts", QString::fromStdString(copy)};
    lupdate.start(LUPDATE_PATH, arguments);
    ASSERT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not run: " << LUPDATE_PATH;
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const std::vector<TMessage> messages = ReadCatalogue(QString::fromStdString(copy));
    ASSERT_GT(messages.size(), 100u);
    for (const TMessage& m : messages) {
        if (m.Type == "vanished" || m.Type == "obsolete") {
            ADD_FAILURE() << Describe(m) << " is no longer used: run the lupdate target";
            continue;
        }
        if (m.Type == "unfinished" || m.Translation.isEmpty()) {
            ADD_FAILURE() << Describe(m) << " has no finished translation";
            continue;
        }
        EXPECT_EQ(Placeholders(m.Translation), Placeholders(m.Source))
            << Describe(m) << " -> \"" << m.Translation.toStdString() << "\": placeholders differ";
        EXPECT_EQ(Accelerators(m.Translation), Accelerators(m.Source))
            << Describe(m) << " -> \"" << m.Translation.toStdString() << "\": accelerators differ";
        EXPECT_EQ(m.Translation.count('|'), m.Source.count('|'))
            << Describe(m) << " -> \"" << m.Translation.toStdString() << "\": hint separator differs";
    }
}

TEST(Catalogue, EnglishTextsKeepToOneTerminology)
{
    // Each pattern is a spelling the English texts avoid, with the one they use instead.
    const std::tuple<QString, QString> avoided[] = {
        {R"(\bmsec\b)", "ms"},
        {R"((?<!--)\b[Tt]ime ?out)", "time-out"},
        {R"(\banswer)", "reply"},
        {"profile file", "settings file"},
        {"D-Channel", "D-channel"},
        {"reset key", "reset button"},
    };
    const std::vector<TMessage> messages = ReadCatalogue(TALV_CATALOGUE);
    ASSERT_GT(messages.size(), 100u);
    for (const auto& [pattern, preferred] : avoided) {
        const QRegularExpression spelling(pattern);
        for (const TMessage& m : messages)
            EXPECT_FALSE(spelling.match(m.Translation).hasMatch())
                << Describe(m) << " -> \"" << m.Translation.toStdString() << "\": write \"" << preferred.toStdString() << '"';
    }
}
