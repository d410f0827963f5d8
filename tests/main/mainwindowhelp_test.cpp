// Protects the main window's ways into help: the help key opens the main window's topic, the two help actions open the contents and the demo configurations.
#include "platform/gui/application.h"
#include "platform/gui/helpviewer.h"
#include "tests/main/testmainwin.h"

#include <QAction>
#include <QFileInfo>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QString ShownPage()
{
    THelpViewer* viewer = TApplication::HelpViewer();
    return viewer ? QFileInfo(viewer->Browser->source().toLocalFile()).fileName() : QString();
}

}  // namespace

TEST(TMainWindowHelp, HelpActionsAndTheHelpKeyOpenTheirTopics)
{
    TTestMainWin win;
    win.show();
    win.activateWindow();
    if (!QTest::qWaitForWindowActive(&win))
        GTEST_SKIP() << "the platform activates no window";

    TTestMainWin::Trigger(win.ActHelpDemoConfig);
    EXPECT_EQ(ShownPage(), "DemoConfiguration.html");
    TTestMainWin::Trigger(win.ActHelp);
    EXPECT_EQ(ShownPage(), "index.html");

    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    QTest::keyClick(&win, Qt::Key_F1);
    EXPECT_EQ(ShownPage(), "MainWindow.html");
    // The help file follows the language setting, so the topic comes from the set it names.
    EXPECT_TRUE(TApplication::HelpViewer()->Browser->source().toLocalFile().contains(
        QFileInfo(TApplication::HelpFile()).completeBaseName()));
    TApplication::HelpViewer()->close();
}
