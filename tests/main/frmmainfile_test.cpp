// Protects the file actions of the main window: New, Open, Save, Save as, Close and closing the
// window, the question for unsaved data, that a cancelled or failed step loses nothing, and where
// the file dialogs start.
#include "device/framedevice.h"
#include "main/filedialogfolders.h"
#include "main/versionlabel.h"
#include "platform/datafolders.h"
#include "platform/gui/actionupdates.h"
#include "tests/tempdir.h"
#include "tests/main/testmainwin.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* const TwoDevices =
    "[Device1]\r\nKOVName=Halle 1\r\nMsnIncoming1=301\r\n"
    "[Device2]\r\nKOVName=Halle 2\r\nMsnIncoming1=401\r\n";

struct TFileActions : ::testing::Test {
    TTempDir Dir;
    TTestMainWin Win;

    void TearDown() override { EXPECT_EQ(Win.Unasked, 0) << "the window asked something the test did not expect"; }

    QString Path(const std::string& name) const { return QString::fromStdString(Dir.File(name)); }

    // An edit the user made in device 1's panel.
    void EditDevice1(const std::string& name = "Geändert")
    {
        Win.Document().Parameters(0).SetKovName(name);
        Win.Document().Panel(0).SetModified(true);
    }

    // Opens a file through the action, with nothing unsaved before.
    void Open(const std::string& name)
    {
        Win.OpenAnswers.push_back(Path(name));
        Win.Trigger(Win.ActFileOpen);
        ASSERT_TRUE(Win.Errors.empty()) << Win.Errors.front();
        ASSERT_EQ(Win.FileName(), Dir.File(name));
    }

    std::string Title() const { return Win.windowTitle().toStdString(); }
    std::string BaseTitle() const { return ("TALV-Configurator " + VersionLabel()).toStdString(); }
};

}  // namespace

TEST_F(TFileActions, SaveAsksForANameOnceThenWritesToTheSameFile)
{
    EditDevice1("Nord");
    Win.SaveFileAnswers.push_back(Path("neu.kov"));
    Win.Trigger(Win.ActFileSave);
    EXPECT_EQ(Win.SaveDialogTitles, std::vector<QString>{"Speichern"});
    EXPECT_NE(Dir.Read("neu.kov").find("KOVName=Nord"), std::string::npos);
    EXPECT_EQ(Win.FileName(), Dir.File("neu.kov"));
    EXPECT_EQ(Title(), BaseTitle() + " - " + Dir.File("neu.kov"));
    EXPECT_FALSE(Win.IsModified());
    EXPECT_EQ(Win.MessageLines().back().toStdString(), "Datei \"" + Dir.File("neu.kov") + "\" gespeichert.");

    EditDevice1("Sued");
    Win.Trigger(Win.ActFileSave);
    EXPECT_EQ(Win.SaveDialogTitles.size(), 1u);
    EXPECT_NE(Dir.Read("neu.kov").find("KOVName=Sued"), std::string::npos);
    TActionUpdates::RunAll();
    EXPECT_FALSE(Win.ActFileSave->isEnabled());
    EXPECT_TRUE(Win.ActFileClose->isEnabled());
}

TEST_F(TFileActions, CancelledSaveDialogWritesNothingAndLeavesTheDocumentModified)
{
    EditDevice1();
    Win.SaveFileAnswers.push_back(QString());
    Win.Trigger(Win.ActFileSave);
    EXPECT_TRUE(Win.IsModified());
    EXPECT_EQ(Win.FileName(), "");
    EXPECT_EQ(Title(), BaseTitle());
    EXPECT_TRUE(Win.MessageLines().isEmpty());
    TActionUpdates::RunAll();
    EXPECT_TRUE(Win.ActFileSave->isEnabled());
}

TEST_F(TFileActions, FailedSaveShowsWhyAndKeepsTheDocumentModified)
{
    Open("alt.kov");
    EditDevice1();
    // Saving under a name in a folder that does not exist.
    const std::string unwritable = Dir.File("fehlt/x.kov");
    Win.SaveFileAnswers.push_back(QString::fromStdString(unwritable));
    Win.Trigger(Win.ActFileSaveAs);
    ASSERT_EQ(Win.Errors.size(), 1u);
    EXPECT_EQ(Win.Errors[0], "nach " + unwritable + " kann nicht geschrieben werden");
    EXPECT_TRUE(Win.IsModified());
    EXPECT_EQ(Win.FileName(), Dir.File("alt.kov"));
    EXPECT_EQ(Title(), BaseTitle() + " - " + Dir.File("alt.kov"));
    EXPECT_EQ(Win.SaveDialogTitles, std::vector<QString>{"Speichern unter"});
}

TEST_F(TFileActions, SaveAsMovesToTheChosenFileAndCancelChangesNothing)
{
    Open("alt.kov");
    EditDevice1("Ost");
    Win.SaveFileAnswers.push_back(QString());
    Win.Trigger(Win.ActFileSaveAs);
    EXPECT_EQ(Win.FileName(), Dir.File("alt.kov"));
    EXPECT_TRUE(Win.IsModified());

    Win.SaveFileAnswers.push_back(Path("kopie.kov"));
    Win.Trigger(Win.ActFileSaveAs);
    EXPECT_EQ(Win.FileName(), Dir.File("kopie.kov"));
    EXPECT_FALSE(Win.IsModified());
    EXPECT_NE(Dir.Read("kopie.kov").find("KOVName=Ost"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("alt.kov")));
}

// The save question of Close, and closing the window, with every answer. "Yes" goes on only when
// the save really happened.
TEST_F(TFileActions, SaveQuestionGoesOnOnlyWhenNothingIsLost)
{
    enum tHow { ByCloseAction, ByClosingTheWindow };
    struct TCase {
        const char* Name;
        QMessageBox::StandardButton Answer;
        // What the save dialog answers when asked (no entry: not asked).
        std::vector<std::string> SaveFile;
        bool GoesOn;
        bool Written;
    };
    const TCase cases[] = {
        {"cancel", QMessageBox::Cancel, {}, false, false},
        {"no", QMessageBox::No, {}, true, false},
        {"yes and saved", QMessageBox::Yes, {"gesichert.kov"}, true, true},
        {"yes, dialog cancelled", QMessageBox::Yes, {""}, false, false},
        {"yes, save failed", QMessageBox::Yes, {"fehlt/x.kov"}, false, false},
    };
    for (tHow how : {ByCloseAction, ByClosingTheWindow}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + (how == ByCloseAction ? " (close action)" : " (window)"));
            TTestMainWin win;
            win.show();
            win.SetDeviceCount(2);
            win.Document().Parameters(1).SetKovName("Zwei");
            win.Document().Panel(1).SetModified(true);
            win.SaveAnswers.push_back(c.Answer);
            for (const auto& name : c.SaveFile)
                win.SaveFileAnswers.push_back(name.empty() ? QString() : Path(name));

            bool closed = false;
            if (how == ByCloseAction) {
                win.Trigger(win.ActFileClose);
                closed = win.Document().Parameters(1).GetKovName() == "<TALV 2>";
            } else {
                closed = win.close();
            }
            EXPECT_EQ(win.SaveQuestions, 1);
            EXPECT_EQ(win.Unasked, 0);
            EXPECT_EQ(closed, c.GoesOn);
            EXPECT_EQ(std::filesystem::exists(Dir.File("gesichert.kov")), c.Written);
            if (!c.GoesOn) {
                // Nothing closed, cleared or replaced: the data the user wanted to keep is there.
                EXPECT_TRUE(win.IsModified());
                EXPECT_EQ(win.Document().DeviceCount(), 2);
                EXPECT_EQ(win.Document().Parameters(1).GetKovName(), "Zwei");
                EXPECT_TRUE(win.isVisible());
            } else if (how == ByCloseAction) {
                EXPECT_FALSE(win.IsModified());
                EXPECT_EQ(win.Document().DeviceCount(), 1);
                EXPECT_EQ(win.FileName(), "");
            }
            std::filesystem::remove(Dir.File("gesichert.kov"));
        }
    }
}

TEST_F(TFileActions, NewAndCloseWithoutChangesAskNothingAndReportTheFile)
{
    Win.Trigger(Win.ActFileNew);
    EXPECT_EQ(Win.MessageLines(), QStringList{"Datei \"\" geschlossen."});

    Dir.Write("zwei.kov", TwoDevices);
    Open("zwei.kov");
    EXPECT_EQ(Win.Document().DeviceCount(), 2);
    Win.Trigger(Win.ActFileClose);
    EXPECT_EQ(Win.SaveQuestions, 0);
    EXPECT_EQ(Win.MessageLines().back().toStdString(), "Datei \"" + Dir.File("zwei.kov") + "\" geschlossen.");
    EXPECT_EQ(Win.FileName(), "");
    EXPECT_EQ(Title(), BaseTitle());
    EXPECT_EQ(Win.Document().DeviceCount(), 1);
    EXPECT_TRUE(Win.Devices()[1]->isHidden());
    EXPECT_EQ(Win.Document().Parameters(0).GetKovName(), "<TALV 1>");
    EXPECT_EQ(Win.Document().Parameters(1).GetKovName(), "<TALV 2>");
    EXPECT_FALSE(Win.IsModified());
}

TEST_F(TFileActions, OpenShowsTheDevicesOfTheFile)
{
    Dir.Write("vier.kov", "[Device4]\r\nKOVName=Vier\r\n[Device4.Memo]\r\nCount=1\r\nItem0=Notiz\r\n");
    Open("vier.kov");
    EXPECT_EQ(Win.CmbBxDevCount->currentText(), "4 Geräte");
    for (int i = 0; i < TFrmMainWin::DeviceCount; ++i)
        EXPECT_EQ(Win.Devices()[i]->isHidden(), i >= 4) << i;
    EXPECT_EQ(Win.Document().Parameters(0).GetKovName(), "<TALV 1>");
    EXPECT_EQ(Win.Document().Parameters(3).GetKovName(), "Vier");
    EXPECT_EQ(Win.Document().Panel(3).Memo(), std::vector<std::string>{"Notiz"});
    EXPECT_EQ(Title(), BaseTitle() + " - " + Dir.File("vier.kov"));
    EXPECT_EQ(Win.MessageLines().back().toStdString(), "Datei \"" + Dir.File("vier.kov") + "\" geöffnet.");
    EXPECT_FALSE(Win.IsModified());
}

TEST_F(TFileActions, CancelledOpenDialogKeepsPanelsAndModifiedState)
{
    Dir.Write("zwei.kov", TwoDevices);
    Open("zwei.kov");
    EditDevice1("Bearbeitet");
    // "No" to saving, then no file chosen.
    Win.SaveAnswers.push_back(QMessageBox::No);
    Win.OpenAnswers.push_back(QString());
    Win.Trigger(Win.ActFileOpen);
    EXPECT_EQ(Win.OpenDialogs, 2);
    EXPECT_TRUE(Win.IsModified());
    EXPECT_EQ(Win.Document().Parameters(0).GetKovName(), "Bearbeitet");
    EXPECT_EQ(Win.FileName(), Dir.File("zwei.kov"));
    TActionUpdates::RunAll();
    EXPECT_TRUE(Win.ActFileSave->isEnabled());
}

TEST_F(TFileActions, FailedOpenShowsTheErrorAndLeavesTheDocumentAsItWas)
{
    Dir.Write("zwei.kov", TwoDevices);
    Dir.Write("kaputt.kov", "[Device1]\r\nKOVName=Neu\r\n[Device3]\r\nAutomaticCallMode=7\r\n");
    Open("zwei.kov");
    const QStringList before = Win.MessageLines();
    Win.OpenAnswers.push_back(Path("kaputt.kov"));
    Win.Trigger(Win.ActFileOpen);
    ASSERT_EQ(Win.Errors.size(), 1u);
    EXPECT_EQ(Win.Errors[0], "CheckAutomaticCallMode: unzulässiger Wert 7");
    EXPECT_EQ(Win.FileName(), Dir.File("zwei.kov"));
    EXPECT_EQ(Win.Document().DeviceCount(), 2);
    EXPECT_EQ(Win.Document().Parameters(0).GetKovName(), "Halle 1");
    EXPECT_EQ(Win.Document().Parameters(2).GetKovName(), "<TALV 3>");
    EXPECT_EQ(Win.MessageLines(), before);
    EXPECT_EQ(Title(), BaseTitle() + " - " + Dir.File("zwei.kov"));
    EXPECT_FALSE(Win.IsModified());
}

TEST_F(TFileActions, OpenAfterYesWithACancelledSaveOpensNothing)
{
    Dir.Write("zwei.kov", TwoDevices);
    EditDevice1("Ungesichert");
    Win.SaveAnswers.push_back(QMessageBox::Yes);
    Win.SaveFileAnswers.push_back(QString());
    Win.Trigger(Win.ActFileOpen);
    EXPECT_EQ(Win.OpenDialogs, 0);
    EXPECT_EQ(Win.Document().Parameters(0).GetKovName(), "Ungesichert");
    EXPECT_TRUE(Win.IsModified());
}

// A replaced document leaves no partner list of the one before: an entry at the old position
// would show, and entering the field would select, a number of the previous plan.
TEST_F(TFileActions, NewCloseAndOpenEmptyThePartnerLists)
{
    Dir.Write("a.kov", "[Device1]\r\nMsnIncoming1=11\r\nMsnIncoming2=12\r\nAutomaticCallNumber1=21\r\n"
                       "[Device2]\r\nMsnIncoming1=21\r\nMsnIncoming2=22\r\n");
    Dir.Write("b.kov", "[Device1]\r\nMsnIncoming1=51\r\nMsnIncoming2=52\r\nAutomaticCallNumber1=22\r\n"
                       "[Device2]\r\nMsnIncoming1=22\r\nMsnIncoming2=62\r\n");
    Win.show();
    Win.activateWindow();
    if (!QTest::qWaitForWindowActive(&Win))
        GTEST_SKIP() << "the platform activates no window";
    auto* box = Win.Devices()[0]->findChild<QComboBox*>("CmbBxNumber1");
    auto* msn = Win.Devices()[0]->findChild<QLineEdit*>("EdMsn1");
    ASSERT_TRUE(box && msn);
    // Into the field, which builds its list, and out again.
    const auto enter = [&] {
        box->setFocus();
        msn->setFocus();
    };

    for (QAction* action : {Win.ActFileNew, Win.ActFileClose, Win.ActFileOpen}) {
        Open("a.kov");
        enter();
        ASSERT_EQ(box->count(), 3);
        // Passing through the field, whose number is in the list now, is no edit.
        ASSERT_FALSE(Win.IsModified());
        if (action == Win.ActFileOpen)
            Win.OpenAnswers.push_back(Path("b.kov"));
        Win.Trigger(action);
        EXPECT_EQ(box->count(), 0) << action->objectName().toStdString();
    }
    EXPECT_EQ(box->currentText(), "22");
    enter();
    EXPECT_EQ(box->currentText(), "22");
    EXPECT_EQ(Win.Document().Parameters(0).GetAutomaticCallNumber(0), "22");
}

TEST(FileDialogFolders, TheSaveDialogStartsWhereTheUserCanWrite)
{
    namespace fs = std::filesystem;
    TTempDir dir;
    for (const char* folder : {"netz", "demo", "quellen", "arbeit", "dokumente", "heim"})
        fs::create_directory(dir.File(folder));
    // An installed program's demo folder with a plan opened from it; read-only for root too.
    dir.Write("demo/Demo.kov", "");
    fs::permissions(dir.File("demo"), fs::perms(0555));

    struct TCase {
        const char* Plan;
        const char* Samples;
        const char* Current;
        const char* Documents;
        const char* Expected;
    };
    const TCase cases[] = {
        {"netz/plan.kov", "quellen", "arbeit", "dokumente", "netz"},
        {"demo/Demo.kov", "demo", "arbeit", "dokumente", "dokumente"},
        // Without a plan, a program run from its source tree saves where it was started.
        {"", "quellen", "arbeit", "dokumente", "arbeit"},
        {"", "quellen", "demo", "dokumente", "dokumente"},
        {"", "demo", "arbeit", "dokumente", "dokumente"},
        {"", "demo", "arbeit", "fehlt", "heim"},
    };
    const auto path = [&](const char* name) { return *name ? QString::fromStdString(dir.File(name)) : QString(); };
    for (const auto& c : cases) {
        const TFileDialogFolders folders{path(c.Plan), path(c.Samples), path(c.Current), path(c.Documents),
                                         path("heim")};
        EXPECT_EQ(folders.SaveFolder(), path(c.Expected)) << c.Plan << " " << c.Samples << " " << c.Current;
    }
    fs::permissions(dir.File("demo"), fs::perms(0755));
}

TEST_F(TFileActions, TheOpenDialogStartsInTheSamplesFolderOfTheCurrentDirectory)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(Dir.File(""))));
    // Without a "Samples" folder here, the program's demo configurations.
    ASSERT_FALSE(FindDataFolder("samples").empty());
    EXPECT_EQ(QDir(TFrmMainWin::SamplesFolder()), QDir(QString::fromStdString(FindDataFolder("samples"))));
    ASSERT_TRUE(QDir().mkdir("Samples"));
    EXPECT_EQ(QDir(TFrmMainWin::SamplesFolder()), QDir(QString::fromStdString(Dir.File("Samples"))));
    QDir::setCurrent(previous);
}
