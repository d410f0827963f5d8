// Protects the recent files of the "Datei" menu as the user sees them: opening (dialog, command
// line, entry) and saving put a plan at the top, a plan that is gone is taken off with an error
// line and changes nothing else, "Liste leeren" empties the list, and the list comes back at the
// next start from the settings file, whose section "Main" stays as it was.
#include "platform/gui/actionupdates.h"
#include "platform/inifile.h"
#include "platform/settingsfile.h"
#include "tests/main/testmainwin.h"
#include "tests/scopedsettings.h"
#include "tests/tempdir.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string MainSection = "[Main]\r\nFormVersion=0\r\nNormPos=10,20,1026,749\r\nShowCmd=1\r\n";
const char* const OneDevice = "[Device1]\r\nKOVName=Halle 1\r\n";

// The visible items of the "Datei" menu, separators as "-".
QStringList FileMenu(const TFrmMainWin& win)
{
    QStringList items;
    for (const QAction* action : win.findChild<QMenu*>("MIFile")->actions())
        if (action->isVisible())
            items << (action->isSeparator() ? QString("-") : action->text());
    return items;
}

QAction* Entry(const TFrmMainWin& win, int number)
{
    return win.findChild<QAction*>(QString("ActRecentFile%1").arg(number));
}

QString Item(int number, const std::string& path)
{
    return QString("&%1 %2").arg(number).arg(QString::fromStdString(path));
}

const QStringList FileActions = {"&Neu",        "Ö&ffnen...",         "&Speichern",  "Speichern &unter...",
                                 "S&chliessen", "-",                  "Seiten&ansicht...", "&Drucken...",
                                 "Als &PDF exportieren...", "-"};
const QStringList ClearAndExit = {"Liste leeren", "-", "&Beenden"};

}  // namespace

TEST(MainWindowRecentFiles, OpenAndSaveListNewestFirstGoneFilesLeaveAndTheListLastsUntilCleared)
{
    const TScopedSettings settings(MainSection);
    const TTempDir dir;
    for (const char* name : {"a.kov", "b.kov", "c.kov"})
        dir.Write(name, OneDevice);
    const std::string a = dir.File("a.kov"), b = dir.File("b.kov"), c = dir.File("c.kov"),
                      d = dir.File("d.kov");

    TTestMainWin win;
    // The command line names the file as the user typed it; the list holds it cleaned.
    win.FormShow({"TALVConfig", QString::fromStdString(dir.Path() + "/./a.kov")});
    win.OpenAnswers.push_back(QString::fromStdString(b));
    TTestMainWin::Trigger(win.ActFileOpen);
    win.SaveFileAnswers.push_back(QString::fromStdString(c));
    TTestMainWin::Trigger(win.ActFileSaveAs);
    win.SaveFileAnswers.push_back(QString::fromStdString(d));
    TTestMainWin::Trigger(win.ActFileSaveAs);
    TTestMainWin::Trigger(win.ActFileSave);
    ASSERT_TRUE(win.Errors.empty()) << win.Errors.front();
    const QStringList four = {Item(1, d), Item(2, c), Item(3, b), Item(4, a), "-"};
    EXPECT_EQ(FileMenu(win), FileActions + four + ClearAndExit);

    // An entry opens its file after the save question, as Open does.
    win.Document().Parameters(0).SetKovName("Geändert");
    win.Document().Panel(0).SetModified(true);
    win.SaveAnswers.push_back(QMessageBox::No);
    TTestMainWin::Trigger(Entry(win, 3));
    EXPECT_EQ(win.SaveQuestions, 1);
    EXPECT_EQ(win.FileName(), b);
    EXPECT_EQ(win.Document().Parameters(0).GetKovName(), "Halle 1");

    // A file that is gone: an error line, off the list, and the document stays as it was,
    // unsaved edit included, without a question.
    std::filesystem::remove(c);
    win.Document().Parameters(0).SetKovName("Neu");
    win.Document().Panel(0).SetModified(true);
    const int errors = win.ErrorCount();
    TTestMainWin::Trigger(Entry(win, 3));
    EXPECT_EQ(win.MessageLines().back().toStdString(), "Datei \"" + c + "\" existiert nicht!");
    EXPECT_EQ(win.ErrorCount(), errors + 1);
    EXPECT_EQ(win.SaveQuestions, 1);
    EXPECT_EQ(win.FileName(), b);
    EXPECT_EQ(win.Document().Parameters(0).GetKovName(), "Neu");
    const QStringList kept = {Item(1, b), Item(2, d), Item(3, a), "-"};
    EXPECT_EQ(FileMenu(win), FileActions + kept + ClearAndExit);

    // Written at every change, beside section "Main", which stays byte for byte.
    EXPECT_EQ(settings.Text().compare(0, MainSection.size(), MainSection), 0) << settings.Text();
    const TIniFile stored(SettingsFileName());
    EXPECT_EQ(stored.ReadString("RecentFiles", "File1", ""), b);
    EXPECT_FALSE(stored.ValueExists("RecentFiles", "File4"));

    // The next start shows the same list; clearing it there empties the menu and the section.
    TTestMainWin next;
    EXPECT_EQ(FileMenu(next), FileActions + kept + ClearAndExit);
    TTestMainWin::Trigger(next.findChild<QAction*>("ActRecentClear"));
    EXPECT_EQ(FileMenu(next), FileActions + ClearAndExit);
    TActionUpdates::RunAll();
    EXPECT_FALSE(next.findChild<QAction*>("ActRecentClear")->isEnabled());
    EXPECT_FALSE(TIniFile(SettingsFileName()).SectionExists("RecentFiles"));
    EXPECT_EQ(win.Unasked + next.Unasked, 0);
    EXPECT_TRUE(win.Errors.empty() && next.Errors.empty());
}
