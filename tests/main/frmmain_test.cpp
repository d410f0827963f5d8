// Protects the main window: device count and hidden panels, the message log's kinds, colours and
// counters with the status bar, the data-transfer log, the check, the title, options, the
// command-line file and the device menu that follows the selected panel.
#include "device/framedevice.h"
#include "main/mainstatusbar.h"
#include "main/versionlabel.h"
#include "platform/gui/actionupdates.h"
#include "platform/gui/application.h"
#include "terminal/kovterminal.h"
#include "tests/tempdir.h"
#include "tests/main/testmainwin.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct TMainWindow : ::testing::Test {
    TTestMainWin Win;

    void TearDown() override { EXPECT_EQ(Win.Unasked, 0) << "the window asked something the test did not expect"; }

    int ShownPanels() const
    {
        int shown = 0;
        for (TFrameDev* panel : Win.Devices())
            shown += panel->isHidden() ? 0 : 1;
        return shown;
    }


    QColor PixelOf(int panel)
    {
        const QImage image = Win.StatusBar->grab().toImage();
        return image.pixelColor(Win.StatusBar->PanelRect(panel).center());
    }
    QColor OutlineOf(int panel)
    {
        const QImage image = Win.StatusBar->grab().toImage();
        const QRect r = Win.StatusBar->PanelRect(panel);
        return image.pixelColor(r.left() + 1, r.center().y());
    }
    QColor Bar() const { return Win.StatusBar->palette().color(QPalette::Window); }
};

}  // namespace

TEST_F(TMainWindow, StartsWithOneClearedDeviceEmptyLogsAndTheVersionInTheTitle)
{
    EXPECT_EQ(ShownPanels(), 1);
    EXPECT_EQ(Win.CmbBxDevCount->currentText(), "1 Gerät");
    EXPECT_EQ(Win.windowTitle(), "TALV-Configurator " + VersionLabel());
    EXPECT_TRUE(Win.MessageLines().isEmpty());
    EXPECT_TRUE(Win.ComLines().isEmpty());
    EXPECT_FALSE(Win.IsModified());
    for (int i = 0; i < TFrmMainWin::DeviceCount; ++i) {
        EXPECT_EQ(Win.Document().Parameters(i).GetKovName(), "<TALV " + std::to_string(i + 1) + ">");
        EXPECT_EQ(Win.Devices()[i]->State(), &Win.Document().Panel(i));
        EXPECT_EQ(Win.Document().Panel(i).Parameters(), &Win.Document().Parameters(i));
    }
    // Three columns, two rows.
    EXPECT_EQ(Win.Devices()[0]->geometry(), QRect(4, 4, 329, 242));
    EXPECT_EQ(Win.Devices()[5]->geometry(), QRect(670, 251, 329, 242));

    TActionUpdates::RunAll();
    EXPECT_FALSE(Win.ActFileSave->isEnabled());
    EXPECT_FALSE(Win.ActFileClose->isEnabled());
    EXPECT_FALSE(Win.ActMsgLogClear->isEnabled());
    EXPECT_FALSE(Win.ActComLogClear->isEnabled());

    // Nothing was edited: closing asks nothing.
    Win.show();
    EXPECT_TRUE(Win.close());
    EXPECT_EQ(Win.SaveQuestions, 0);
}

TEST_F(TMainWindow, DeviceCountIsLimitedToOneToSixAndSelectedInTheToolBar)
{
    const struct {
        int Count;
        int Shown;
        const char* Item;
    } cases[] = {{0, 1, "1 Gerät"}, {-3, 1, "1 Gerät"}, {2, 2, "2 Geräte"}, {6, 6, "6 Geräte"}, {7, 6, "6 Geräte"}};
    for (const auto& c : cases) {
        Win.SetDeviceCount(c.Count);
        EXPECT_EQ(ShownPanels(), c.Shown) << c.Count;
        for (int i = 0; i < TFrmMainWin::DeviceCount; ++i)
            EXPECT_EQ(Win.Devices()[i]->isHidden(), i >= c.Shown) << c.Count << " panel " << i;
        EXPECT_EQ(Win.CmbBxDevCount->currentText(), c.Item) << c.Count;
        EXPECT_EQ(Win.Document().DeviceCount(), c.Shown);
        // Setting the count from the program is no change of the document.
        EXPECT_FALSE(Win.IsModified()) << c.Count;
    }
}

TEST_F(TMainWindow, HiddenPanelsKeepTheirDataAndDoNotCountAsModified)
{
    Win.SetDeviceCount(3);
    Win.Document().Parameters(2).SetKovName("Halle 3");
    Win.Document().Panel(2).SetModified(true);
    EXPECT_TRUE(Win.IsModified());

    Win.SetDeviceCount(2);
    EXPECT_FALSE(Win.IsModified());
    Win.SetDeviceCount(3);
    EXPECT_TRUE(Win.IsModified());
    EXPECT_EQ(Win.Document().Parameters(2).GetKovName(), "Halle 3");
}

TEST_F(TMainWindow, ChoosingTheDeviceCountMarksTheDocumentModified)
{
    emit Win.CmbBxDevCount->activated(3);
    EXPECT_EQ(ShownPanels(), 4);
    EXPECT_TRUE(Win.IsModified());
    EXPECT_FALSE(Win.Document().Saved());
    TActionUpdates::RunAll();
    EXPECT_TRUE(Win.ActFileSave->isEnabled());
    EXPECT_TRUE(Win.ActFileClose->isEnabled());
}

TEST_F(TMainWindow, MessagesAreColouredAndCountedByKind)
{
    const struct {
        tMsgKind Kind;
        QColor Colour;
        bool Bold;
        int Info, Warnings, Errors, Headings;
    } cases[] = {
        {mkInfo, QColor(0, 0, 0), false, 1, 0, 0, 0},
        {mkWarning, QColor(0, 0, 255), true, 1, 1, 0, 0},
        {mkError, QColor(255, 0, 0), true, 1, 1, 1, 0},
        {mkHeading, QColor(0, 0, 0), true, 1, 1, 1, 1},
        // Any other value is an information line.
        {static_cast<tMsgKind>(9), QColor(0, 0, 0), false, 2, 1, 1, 1},
    };
    int line = 0;
    for (const auto& c : cases) {
        const std::string text = "Zeile " + std::to_string(line);
        Win.AddMessage(c.Kind, text);
        ASSERT_EQ(Win.MessageLines().size(), line + 1);
        EXPECT_EQ(Win.MessageLines().back().toStdString(), text);
        const QTextCharFormat format = Win.MsgLog->LineFormat(line);
        EXPECT_EQ(format.foreground().color(), c.Colour) << line;
        EXPECT_EQ(format.fontWeight() >= QFont::Bold, c.Bold) << line;
        EXPECT_EQ(Win.InfoCount(), c.Info) << line;
        EXPECT_EQ(Win.WarningCount(), c.Warnings) << line;
        EXPECT_EQ(Win.ErrorCount(), c.Errors) << line;
        EXPECT_EQ(Win.HeadingCount(), c.Headings) << line;
        EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::ErrorCount), QString::number(c.Errors)) << line;
        EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::WarningCount), QString::number(c.Warnings)) << line;
        ++line;
    }
}

TEST_F(TMainWindow, StatusBarLampsAndBoxesLightByCountAndGoOutWhenTheLogIsCleared)
{
    Win.show();
    EXPECT_EQ(PixelOf(TMainStatusBar::ErrorLamp), Bar());
    EXPECT_EQ(PixelOf(TMainStatusBar::WarningLamp), Bar());
    EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::ErrorCaption), "Fehler:");
    EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::WarningCaption), "Warnungen:");

    // A warning lights only the warning side.
    Win.AddMessage(mkWarning, "w");
    EXPECT_EQ(PixelOf(TMainStatusBar::ErrorLamp), Bar());
    EXPECT_EQ(PixelOf(TMainStatusBar::WarningLamp), QColor(Qt::blue));
    EXPECT_EQ(OutlineOf(TMainStatusBar::WarningCount), QColor(Qt::blue));
    EXPECT_EQ(OutlineOf(TMainStatusBar::ErrorCount), Bar());

    Win.AddMessage(mkError, "e");
    Win.AddMessage(mkHeading, "h");
    EXPECT_EQ(PixelOf(TMainStatusBar::ErrorLamp), QColor(Qt::red));
    EXPECT_EQ(OutlineOf(TMainStatusBar::ErrorCount), QColor(Qt::red));

    TActionUpdates::RunAll();
    ASSERT_TRUE(Win.ActMsgLogClear->isEnabled());
    Win.Trigger(Win.ActMsgLogClear);
    EXPECT_TRUE(Win.MessageLines().isEmpty());
    EXPECT_EQ(Win.ErrorCount() + Win.WarningCount() + Win.InfoCount() + Win.HeadingCount(), 0);
    EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::ErrorCount), "0");
    EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::WarningCount), "0");
    EXPECT_EQ(PixelOf(TMainStatusBar::ErrorLamp), Bar());
    EXPECT_EQ(PixelOf(TMainStatusBar::WarningLamp), Bar());
    TActionUpdates::RunAll();
    EXPECT_FALSE(Win.ActMsgLogClear->isEnabled());
}

TEST_F(TMainWindow, LongHintGoesToTheLastStatusPanel)
{
    Win.StatusBar->showMessage(Win.ActExit->statusTip());
    EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::Hint), "Beendet den TALV-Configurator.");
    EXPECT_EQ(Win.ActExit->toolTip(), "TALV-Configurator beenden.");
    Win.StatusBar->showMessage("ohne Strich");
    EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::Hint), "ohne Strich");
}

TEST_F(TMainWindow, DataTransferLinesComeFromAnyTerminalAndAreNotCounted)
{
    // Reply units that no command waits for, each ended by the device's prompt; the terminal
    // hands every unit to the log as it normalised it.
    Win.Devices()[2]->Terminal()->ProcessReceivedText("Hallo\r\n#  Welt \r\n#");
    Win.Devices()[5]->Terminal()->ProcessReceivedText("sechs\r\n#");
    EXPECT_EQ(Win.ComLines(),
              (QStringList{"<TALV 3>: TALV => Hallo", "<TALV 3>: TALV => Welt", "<TALV 6>: TALV => sechs"}));
    EXPECT_EQ(Win.InfoCount() + Win.ErrorCount(), 0);
    EXPECT_EQ(Win.ComLog->font().family(), QFont("Courier New").family());
    EXPECT_TRUE(Win.ComLog->font().bold());

    // A long transfer: the view follows the last line.
    Win.show();
    Win.PgCtrlLog->setCurrentWidget(Win.TbShtComLog);
    for (int i = 0; i < 200; ++i)
        Win.Devices()[0]->Terminal()->ProcessReceivedText("zeile " + std::to_string(i) + "\r\n#");
    EXPECT_EQ(Win.ComLines().size(), 203);
    EXPECT_GT(Win.ComLog->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(Win.ComLog->textCursor().atEnd());
    EXPECT_TRUE(Win.ComLog->viewport()->rect().contains(Win.ComLog->cursorRect()));

    TActionUpdates::RunAll();
    ASSERT_TRUE(Win.ActComLogClear->isEnabled());
    Win.AddMessage(mkError, "bleibt");
    Win.Trigger(Win.ActComLogClear);
    EXPECT_TRUE(Win.ComLines().isEmpty());
    // Clearing the data-transfer log leaves the message log and its counters alone.
    EXPECT_EQ(Win.MessageLines(), QStringList{"bleibt"});
    EXPECT_EQ(Win.ErrorCount(), 1);
    TActionUpdates::RunAll();
    EXPECT_FALSE(Win.ActComLogClear->isEnabled());
}

TEST_F(TMainWindow, CheckWritesItsFindingsAndCountsThemAndARepeatGivesTheSame)
{
    Win.AddMessage(mkError, "alt");
    // One device whose own numbers collide and whose partner lies outside the network.
    Win.PlanDevice(0, "100", "100", "555", "-");
    const QStringList expected = {
        "---- Start der Prüfungen ----",
        "Check: Eindeutigkeit aller MSNs prüfen.",
        "<TALV 1>.MSN1 ist identisch mit <TALV 1>.MSN2.",
        "Check: eine MSN wird von mehreren Rufern angewählt.",
        "Check: MSN liegt ausserhalb des Netzwerks.",
        "<TALV 1>.Number 1 (555) liegt ausserhalb des Netzwerks.",
        "Check: beide Stellen sind auf ACCEPT/DIAL eingestellt.",
        "Check: Standleitung und DSS1 eingestellt.",
        "---- Ende der Prüfungen ----",
    };
    for (int run = 0; run < 2; ++run) {
        Win.ActCheck->trigger();
        EXPECT_EQ(Win.MessageLines(), expected) << run;
        EXPECT_EQ(Win.ErrorCount(), 1);
        EXPECT_EQ(Win.WarningCount(), 1);
        EXPECT_EQ(Win.HeadingCount(), 7);
        EXPECT_EQ(Win.MsgLog->LineFormat(2).foreground().color(), QColor(255, 0, 0));
        EXPECT_EQ(Win.MsgLog->LineFormat(5).foreground().color(), QColor(0, 0, 255));
        EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::ErrorCount), "1");
        EXPECT_EQ(Win.StatusBar->PanelText(TMainStatusBar::WarningCount), "1");
    }
    EXPECT_TRUE(Win.Errors.empty());
}

TEST_F(TMainWindow, CheckChangesNoDeviceAndMarksNothingModified)
{
    Win.PlanDevice(0, "100", "200", "300", "-", EAciomcoB1);
    Win.SetModified(false);
    Win.ActCheck->trigger();
    EXPECT_FALSE(Win.IsModified());
    const TKovParameters& t = Win.Document().Parameters(0);
    EXPECT_EQ(t.GetMsnIncoming(0), "100");
    EXPECT_EQ(t.GetAutomaticCallNumber(0), "300");
    EXPECT_EQ(t.GetAutomaticCallMode(), EAciomcoB1);
    EXPECT_EQ(Win.Document().FileName(), "");
}

TEST_F(TMainWindow, CheckLooksOnlyAtShownDevicesAndTakesDirectionsFromThePanels)
{
    // Device 2 calls device 1 on LWL1, both dial: an error while both are shown.
    Win.PlanDevice(0, "10", "11", "-", "-", EAciomcoB1B2);
    Win.PlanDevice(1, "20", "21", "10", "-", EAciomcoB1B2);
    Win.SetDeviceCount(2);
    Win.ActCheck->trigger();
    EXPECT_TRUE(Win.MessageLines().contains("<TALV 1>.MSN1 und Anrufer <TALV 2>.Number1 sind beide auf \"DIAL\" eingestellt."))
        << Win.MessageLines().join('\n').toStdString();
    EXPECT_EQ(Win.ErrorCount(), 1);

    Win.SetDeviceCount(1);
    Win.ActCheck->trigger();
    EXPECT_EQ(Win.ErrorCount(), 0);
    EXPECT_EQ(Win.MessageLines().size(), 7);
}

TEST_F(TMainWindow, CheckStoppedByAnUnknownProtocolShowsTheErrorAndKeepsWhatItWrote)
{
    Win.PlanDevice(0, "1", "2", "-", "-");
    Win.PlanDevice(1, "3", "4", "-", "-");
    Win.SetDeviceCount(2);
    // A value the parameters accept but neither panel nor check knows.
    Win.Document().Parameters(0).SetIsdnDChannelProtocol(static_cast<tIsdnDChannelProtocol>(5));
    Win.ActCheck->trigger();
    ASSERT_EQ(Win.Errors.size(), 1u);
    EXPECT_EQ(Win.Errors[0], "TFrmMainWin::ActCheckExecute: falsches IsdnDChannelProtocol 5");
    EXPECT_EQ(Win.MessageLines().back(), "Check: Standleitung und DSS1 eingestellt.");
}

TEST_F(TMainWindow, CommandLineFileIsOpenedOrReportedMissing)
{
    TTempDir dir;
    dir.Write("netz.kov", "[Device2]\r\nKOVName=Nord\r\n");
    std::filesystem::create_directory(dir.File("ordner"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.File(""))));

    struct TCase {
        QStringList Arguments;
        QStringList Lines;
        int Errors;
        QString Title;
        int Shown;
    };
    const QString base = "TALV-Configurator " + VersionLabel();
    const TCase cases[] = {
        {{"TALVConfig"}, {}, 0, base, 1},
        {{"TALVConfig", "fehlt.kov"}, {"Datei \"fehlt.kov\" existiert nicht!"}, 1, base, 1},
        {{"TALVConfig", "ordner"}, {"Datei \"ordner\" existiert nicht!"}, 1, base, 1},
        // A name without a directory is the current directory's; further arguments are ignored.
        {{"TALVConfig", "netz.kov", "fehlt.kov"}, {"Datei \"./netz.kov\" geöffnet."}, 0, base + " - ./netz.kov", 2},
    };
    for (const auto& c : cases) {
        TTestMainWin win;
        win.FormShow(c.Arguments);
        EXPECT_EQ(win.MessageLines(), c.Lines) << c.Arguments.join(' ').toStdString();
        EXPECT_EQ(win.ErrorCount(), c.Errors);
        EXPECT_EQ(win.windowTitle(), c.Title);
        EXPECT_EQ(TApplication::Title(), c.Title);
        EXPECT_EQ(win.Document().DeviceCount(), c.Shown);
        if (c.Errors > 0) {
            EXPECT_EQ(win.MsgLog->LineFormat(0).foreground().color(), QColor(255, 0, 0));
        }
        EXPECT_FALSE(win.IsModified());
    }
    QDir::setCurrent(previous);
}

TEST_F(TMainWindow, ApplyOptionsReachesTerminalsPanelsAndExistingLogLines)
{
    Win.AddMessage(mkError, "rot");
    Win.AddMessage(mkInfo, "schwarz");
    TUserOptions options;
    options.ComTimeOut = 2000;
    options.ColorToMsn[0][0] = Qt::green;
    options.ColorToMsn[5][1] = Qt::yellow;
    options.ActiveDevicePen.setColor(Qt::magenta);
    options.MemoFont = QFont("Courier New", 14);
    Win.ApplyOptions(options);

    for (int i = 0; i < TFrmMainWin::DeviceCount; ++i) {
        EXPECT_EQ(Win.Devices()[i]->Terminal()->GetComTimeOut(), 2000) << i;
        EXPECT_EQ(Win.Devices()[i]->ActiveColor(), QColor(Qt::magenta)) << i;
    }
    EXPECT_EQ(Win.Devices()[0]->ColorMsn(0), QColor(Qt::green));
    EXPECT_EQ(Win.Devices()[0]->ColorMsn(1), QColor(Qt::white));
    EXPECT_EQ(Win.Devices()[5]->ColorMsn(1), QColor(Qt::yellow));

    Win.AddMessage(mkWarning, "neu");
    const QString family = QFont("Courier New").family();
    for (int line = 0; line < 3; ++line) {
        const QTextCharFormat format = Win.MsgLog->LineFormat(line);
        EXPECT_EQ(QFont(format.font()).pointSize(), 14) << line;
        EXPECT_EQ(format.font().family(), family) << line;
    }
    // Each line keeps its own colour and weight.
    EXPECT_EQ(Win.MsgLog->LineFormat(0).foreground().color(), QColor(255, 0, 0));
    EXPECT_TRUE(Win.MsgLog->LineFormat(0).fontWeight() >= QFont::Bold);
    EXPECT_FALSE(Win.MsgLog->LineFormat(1).fontWeight() >= QFont::Bold);
    EXPECT_EQ(Win.MsgLog->LineFormat(2).foreground().color(), QColor(0, 0, 255));

    // The font stays the log's after it was cleared.
    Win.ActMsgLogClearExecute();
    Win.AddMessage(mkInfo, "danach");
    EXPECT_EQ(QFont(Win.MsgLog->LineFormat(0).font()).pointSize(), 14);
}

TEST_F(TMainWindow, LogPanelIsHiddenAndShownAgain)
{
    Win.ActLogHide->trigger();
    EXPECT_TRUE(Win.PnlLog->isHidden());
    TActionUpdates::RunAll();
    EXPECT_FALSE(Win.ActLogShow->isChecked());
    Win.ActLogShow->trigger();
    EXPECT_FALSE(Win.PnlLog->isHidden());
    TActionUpdates::RunAll();
    EXPECT_TRUE(Win.ActLogShow->isChecked());
    Win.ActLogShow->trigger();
    EXPECT_TRUE(Win.PnlLog->isHidden());
}

TEST_F(TMainWindow, DeviceMenuFollowsTheSelectedPanel)
{
    Win.SetDeviceCount(3);
    Win.show();
    Win.activateWindow();
    if (!QTest::qWaitForWindowActive(&Win))
        GTEST_SKIP() << "the platform activates no window";
    const std::array<QAction*, 5> items = {Win.MIDevConnect, Win.MIDevRequestConfigMode, Win.MIDevReceiveConfiguration,
                                           Win.MIDevSendConfiguration, Win.MIDevGo};

    TFrameDev* third = Win.Devices()[2];
    auto* edit = third->findChild<QLineEdit*>("EdMsn1");
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    TActionUpdates::RunAll();
    ASSERT_EQ(Win.GetSelectedDevice(), third);
    const std::array<QAction*, 5> actions = {third->ActDevConnect, third->ActDevRequestConfigMode,
                                             third->ActDevReceiveConfiguration, third->ActDevSendConfiguration,
                                             third->ActDevGo};
    for (std::size_t k = 0; k < items.size(); ++k) {
        EXPECT_EQ(items[k]->text(), actions[k]->text()) << k;
        EXPECT_EQ(items[k]->isEnabled(), actions[k]->isEnabled()) << k;
    }
    EXPECT_TRUE(Win.MIDevConnect->isEnabled());
    EXPECT_FALSE(Win.MIDevGo->isEnabled());
    // A pass that finds nothing new changes nothing, so an idle window is not woken again.
    std::vector<std::unique_ptr<QSignalSpy>> changes;
    for (QAction* item : items)
        changes.push_back(std::make_unique<QSignalSpy>(item, &QAction::changed));
    TActionUpdates::RunAll();
    for (std::size_t k = 0; k < items.size(); ++k)
        EXPECT_EQ(changes[k]->count(), 0) << k;

    // Focus outside every panel: the items are unbound and choosing one does nothing.
    Win.MsgLog->setFocus();
    TActionUpdates::RunAll();
    EXPECT_EQ(Win.GetSelectedDevice(), nullptr);
    for (QAction* item : items)
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    QSignalSpy connectTriggered(third->ActDevConnect, &QAction::triggered);
    Win.MIDevConnect->trigger();
    EXPECT_EQ(connectTriggered.count(), 0);
}
