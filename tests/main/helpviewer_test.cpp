// Protects opening help: one help window that shows the asked topic in the chosen language, navigates, reports a missing help file or topic in its own page, and stays usable beside a modal dialog.
#include "platform/gui/application.h"
#include "platform/gui/helpviewer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <ostream>

// Lets test failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// Every test leaves the help file as the program starts with it.
struct THelpJump : ::testing::Test {
    ~THelpJump() override { TApplication::SetHelpFile("TALVConfigDE.hlp"); }

    static THelpViewer& Viewer() { return *TApplication::HelpViewer(); }
    static QString ShownPage() { return QFileInfo(Viewer().Browser->source().toLocalFile()).fileName(); }
    static QString ShownText() { return Viewer().Browser->toPlainText(); }
};

}  // namespace

TEST_F(THelpJump, EveryTopicOpensInTheLanguageOfTheHelpFile)
{
    const struct {
        QString HelpFile;
        QString Topic;
        QString Page;
        QString CaptionPart;
    } cases[] = {
        {"TALVConfigDE.hlp", "", "index.html", "Hilfe"},
        {"TALVConfigDE.hlp", "ConfigurationMode", "ConfigurationMode.html", "Konfigurationsmodus"},
        {"TALVConfigDE.hlp", "Options", "Options.html", "Optionen"},
        {"TALVConfigDE.hlp", "DemoConfiguration", "DemoConfiguration.html", "Demo-Konfigurationen"},
        {"TALVConfigEN.hlp", "", "index.html", "Help"},
        {"TALVConfigEN.hlp", "ConfigurationMode", "ConfigurationMode.html", "Configuration mode"},
        {"TALVConfigEN.hlp", "Options", "Options.html", "Options"},
        {"TALVConfigEN.hlp", "DemoConfiguration", "DemoConfiguration.html", "Demo configurations"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.HelpFile + " " + c.Topic).toStdString());
        TApplication::SetHelpFile(c.HelpFile);
        EXPECT_TRUE(TApplication::HelpJump(c.Topic));
        EXPECT_EQ(ShownPage(), c.Page);
        EXPECT_TRUE(Viewer().Browser->source().toLocalFile().contains(QFileInfo(c.HelpFile).completeBaseName()));
        EXPECT_TRUE(Viewer().windowTitle().contains(c.CaptionPart)) << Viewer().windowTitle().toStdString();
        EXPECT_TRUE(Viewer().isVisible());
    }
}

TEST_F(THelpJump, OneWindowServesEveryJumpAndTheMainWindowContext)
{
    TApplication::HelpJump(QString());
    THelpViewer* first = TApplication::HelpViewer();
    Viewer().close();
    EXPECT_TRUE(TApplication::HelpContext(10));
    EXPECT_EQ(TApplication::HelpViewer(), first);
    EXPECT_TRUE(Viewer().isVisible());
    EXPECT_EQ(ShownPage(), "MainWindow.html");
}

TEST_F(THelpJump, MissingHelpFileTopicOrContextIsReportedInTheWindow)
{
    const struct {
        QString HelpFile;
        QString Topic;
        int Context;  // used when the topic is empty and this is not 0
        QString Says;
    } cases[] = {
        {"TALVConfigFR.hlp", "", 0, "\"TALVConfigFR.hlp\" wurde nicht gefunden"},
        {"TALVConfigFR.hlp", "", 10, "\"TALVConfigFR.hlp\" wurde nicht gefunden"},
        {"", "Options", 0, "\"\" wurde nicht gefunden"},
        {"TALVConfigDE.hlp", "NoSuchTopic", 0, "\"NoSuchTopic\" gibt es in der Hilfedatei \"TALVConfigDE.hlp\" nicht"},
        {"TALVConfigEN.hlp", "../TALVConfigDE/index", 0, "\"../TALVConfigDE/index\" gibt es"},
        {"TALVConfigEN.hlp", "", 99, "Hilfekontext 99 gibt es in der Hilfedatei \"TALVConfigEN.hlp\" kein Thema"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Says.toStdString());
        TApplication::SetHelpFile(c.HelpFile);
        bool shown = true;
        EXPECT_NO_THROW(shown = c.Context ? TApplication::HelpContext(c.Context) : TApplication::HelpJump(c.Topic));
        EXPECT_FALSE(shown);
        EXPECT_TRUE(ShownText().contains(c.Says)) << ShownText().toStdString();
        EXPECT_TRUE(Viewer().isVisible());
    }
    // The same topic comes back once the help file is there again.
    TApplication::SetHelpFile("TALVConfigDE.hlp");
    EXPECT_TRUE(TApplication::HelpJump("Options"));
    EXPECT_TRUE(TApplication::HelpJump("Options"));
    EXPECT_FALSE(ShownText().contains("nicht gefunden"));
    EXPECT_EQ(ShownPage(), "Options.html");
}

TEST_F(THelpJump, BackForwardAndContentsNavigate)
{
    TApplication::HelpJump(QString());
    TApplication::HelpJump("Options");
    TApplication::HelpJump("DemoConfiguration");
    Viewer().ActBack->trigger();
    EXPECT_EQ(ShownPage(), "Options.html");
    EXPECT_TRUE(Viewer().ActForward->isEnabled());
    Viewer().ActForward->trigger();
    EXPECT_EQ(ShownPage(), "DemoConfiguration.html");
    EXPECT_FALSE(Viewer().ActForward->isEnabled());
    Viewer().ActContents->trigger();
    EXPECT_EQ(ShownPage(), "index.html");
    EXPECT_TRUE(Viewer().windowTitle().contains("Hilfe"));
}

TEST_F(THelpJump, HelpOpenedFromAModalDialogTakesMouseClicks)
{
    // Clicks go through the window system here, which drops them for windows a modal dialog
    // blocks; that is what the user would meet.
    QDialog dialog;
    dialog.resize(200, 100);
    QString pageAfterClick;
    QTimer::singleShot(0, &dialog, [&] {
        TApplication::HelpJump(QString());
        TApplication::HelpJump("ConfigurationMode");
        THelpViewer& viewer = Viewer();
        QTest::qWait(50);
        QWidget* back = viewer.findChild<QToolBar*>("TlBarHelp")->widgetForAction(viewer.ActBack);
        const QPoint centre = back->mapTo(&viewer, back->rect().center());
        QTest::mouseClick(viewer.windowHandle(), Qt::LeftButton, {}, centre);
        pageAfterClick = ShownPage();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(pageAfterClick, "index.html");
    // Once the dialog is closed the help window stays open on its own.
    EXPECT_TRUE(Viewer().isVisible());
    TApplication::HelpJump("Options");
    EXPECT_EQ(ShownPage(), "Options.html");
}
