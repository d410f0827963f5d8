// Protects the help sets: every topic the program opens exists in German and English, every link of every page leads somewhere, and the German check help quotes every finding as the log shows it.
#include "platform/datafolders.h"
#include "platform/gui/helpset.h"
#include "platform/languagecatalogue.h"
#include "platform/resstrings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>

namespace {

const QStringList HelpFiles = {"TALVConfigDE.hlp", "TALVConfigEN.hlp"};

QString ReadPage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList Pages(const THelpSet& helpSet)
{
    return QDir(helpSet.Folder()).entryList({"*.html"}, QDir::Files, QDir::Name);
}

// The page as the reader sees it: tags gone, entities resolved, white space collapsed.
QString PlainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText().simplified();
}

}  // namespace

TEST(THelpSet, EveryTopicTheProgramOpensExistsInBothLanguages)
{
    const QStringList topics = {"", "ConfigurationMode", "Options", "DemoConfiguration", THelpSet::ContextTopic(10)};
    for (const QString& helpFile : HelpFiles) {
        const THelpSet helpSet(helpFile);
        ASSERT_TRUE(helpSet.Exists()) << helpFile.toStdString();
        for (const QString& topic : topics)
            EXPECT_TRUE(helpSet.HasTopic(topic)) << helpFile.toStdString() << " " << topic.toStdString();
    }
}

TEST(THelpSet, BothLanguagesHaveTheSamePagesEachWithATitle)
{
    const THelpSet german(HelpFiles[0]);
    const THelpSet english(HelpFiles[1]);
    EXPECT_EQ(Pages(german).join(' ').toStdString(), Pages(english).join(' ').toStdString());
    static const QRegularExpression Title("<title>([^<]+)</title>");
    for (const QString& helpFile : HelpFiles) {
        const THelpSet helpSet(helpFile);
        for (const QString& page : Pages(helpSet))
            EXPECT_TRUE(Title.match(ReadPage(QDir(helpSet.Folder()).filePath(page))).hasMatch())
                << helpFile.toStdString() << " " << page.toStdString();
    }
}

TEST(THelpSet, EveryLinkLeadsToAPageAndAnchorThatExist)
{
    static const QRegularExpression Link("(?:href|src)=\"([^\"]*)\"");
    int links = 0;
    for (const QString& helpFile : HelpFiles) {
        const THelpSet helpSet(helpFile);
        const QDir folder(helpSet.Folder());
        for (const QString& page : Pages(helpSet)) {
            const QString html = ReadPage(folder.filePath(page));
            for (auto match = Link.globalMatch(html); match.hasNext();) {
                const QString target = match.next().captured(1);
                const std::string where = helpFile.toStdString() + "/" + page.toStdString() + ": " + target.toStdString();
                if (target.startsWith("https://") || target.startsWith("http://") || target.startsWith("mailto:"))
                    continue;
                ++links;
                const QString file = target.section('#', 0, 0);
                const QString anchor = target.section('#', 1);
                const QString targetPath = folder.filePath(file.isEmpty() ? page : file);
                EXPECT_FALSE(file.contains('/') || file.contains('\\')) << where;
                ASSERT_TRUE(QFileInfo(targetPath).isFile()) << where;
                if (!anchor.isEmpty()) {
                    const QString targetHtml = ReadPage(targetPath);
                    EXPECT_TRUE(targetHtml.contains("name=\"" + anchor + "\"") || targetHtml.contains("id=\"" + anchor + "\""))
                        << where;
                }
            }
        }
    }
    EXPECT_GT(links, 50);
}

TEST(THelpSet, CheckHelpQuotesEveryHeadingAndFindingAsTheLogShowsIt)
{
    struct TReset {
        ~TReset() { SetResStringTranslation({}); }
    } reset;
    for (int language = 0; language < 2; ++language) {
        // The English texts are the catalogue's, as the program shows them in English.
        TLanguageCatalogue catalogue;
        ASSERT_TRUE(catalogue.Load(language == 0 ? "DE" : "EN"));
        const THelpSet helpSet(HelpFiles[language]);
        const QString text = PlainText(ReadPage(helpSet.TopicPage("ConfigurationCheck")));
        ASSERT_FALSE(text.isEmpty());
        for (int id = 600; id <= 638; ++id) {
            if (id > 606 && id < 620)
                continue;
            // A placeholder stands for a device name, a number or a count in the help's own words.
            const QString message = QString::fromStdString(LoadStr(id));
            QString pattern = QRegularExpression::escape(message);
            pattern.replace("\\%s", "\\S+").replace("\\%d", "\\S+");
            EXPECT_TRUE(QRegularExpression(pattern).match(text).hasMatch())
                << HelpFiles[language].toStdString() << " " << id << " " << message.toStdString();
        }
    }
}

TEST(THelpSet, TopicsAreNamesInsideTheHelpSet)
{
    const THelpSet helpSet("TALVConfigDE.hlp", "/data/help");
    EXPECT_EQ(helpSet.Folder(), "/data/help/TALVConfigDE");
    const struct {
        QString Topic;
        QString Page;
    } cases[] = {
        {"", "/data/help/TALVConfigDE/index.html"},
        {"Options", "/data/help/TALVConfigDE/Options.html"},
        {"Demo_Configuration-2", "/data/help/TALVConfigDE/Demo_Configuration-2.html"},
        {"../TALVConfigEN/Options", ""},
        {"/etc/passwd", ""},
        {"Options.html", ""},
        {"Options#Timeout", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(helpSet.TopicPage(c.Topic), c.Page) << c.Topic.toStdString();
    EXPECT_FALSE(THelpSet("TALVConfigDE.hlp", QString()).Exists());
    EXPECT_EQ(THelpSet("TALVConfigDE.hlp", QString()).TopicPage("Options"), QString());
}
