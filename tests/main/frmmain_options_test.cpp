// Protects the options reaching the program: stored settings applied when the main window is
// shown, OK applying and Cancel leaving the time-out, active-device colour and memo font through
// ActOptions, and a panel's connect following the COM port map confirmed with OK. The connect
// case needs a pseudo-terminal and skips without one.
#include "device/framedevice.h"
#include "options/colorshape.h"
#include "platform/exceptions.h"
#include "platform/gui/actionupdates.h"
#include "platform/inifile.h"
#include "platform/settingsfile.h"
#include "sim/simdevice.h"
#include "terminal/kovterminal.h"
#include "tests/device/modalwatch.h"
#include "tests/main/testmainwin.h"
#include "tests/options/testoptionsdlg.h"
#include "tests/scopedsettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Answers the options dialog once, the first time ActOptions shows it.
class TOptionsAnswer {
public:
    explicit TOptionsAnswer(std::function<void(TTestDlgOptions&)> answer)
        : FWatch([this, answer](QWidget& modal) {
              auto* dlg = dynamic_cast<TTestDlgOptions*>(&modal);
              if (!dlg || FAnswered)
                  return;
              FAnswered = true;
              answer(*dlg);
          })
    {
    }
    bool Answered() const { return FAnswered; }

private:
    bool FAnswered = false;
    TModalWatch FWatch;
};

}  // namespace

TEST(MainWindowOptions, StoredSettingsReachTerminalsPanelsAndLogWhenTheWindowIsShown)
{
    const TScopedSettings settings("[Options]\r\n"
                                   "ShpColorToMsn11.Brush.Color=#123456\r\n"
                                   "ShpColorToMsn62.Brush.Color=#654321\r\n"
                                   "RxSpinComTimeOut.Value=1500\r\n"
                                   "ShpColorActiveDevice.Pen.Color=#00FF00\r\n"
                                   "LblMemoFont.Font.Name=Courier New\r\n"
                                   "LblMemoFont.Font.Size=15\r\n");
    TTestMainWin win;
    // The window is made before the dialog, so its engines start with 500 ms.
    EXPECT_EQ(win.Devices()[0]->Terminal()->GetComTimeOut(), 500);
    TTestDlgOptions dlg;
    win.SetOptionsDialog(&dlg);
    win.AddMessage(mkInfo, "vorher");
    win.FormShow({});

    for (int i = 0; i < TFrmMainWin::DeviceCount; ++i) {
        EXPECT_EQ(win.Devices()[i]->Terminal()->GetComTimeOut(), 1500) << i;
        EXPECT_EQ(win.Devices()[i]->ActiveColor(), QColor(0, 255, 0)) << i;
    }
    EXPECT_EQ(win.Devices()[0]->ColorMsn(0), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(win.Devices()[0]->ColorMsn(1), QColor(Qt::white));
    EXPECT_EQ(win.Devices()[5]->ColorMsn(0), QColor(Qt::white));
    EXPECT_EQ(win.Devices()[5]->ColorMsn(1), QColor(0x65, 0x43, 0x21));
    EXPECT_EQ(QFont(win.MsgLog->LineFormat(0).font()).pointSize(), 15);
    EXPECT_EQ(win.Unasked, 0);
}

TEST(MainWindowOptions, OkAppliesTimeOutFastTransferAndFrameColourToAllDevicesCancelLeavesThem)
{
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        const TScopedSettings settings("");
        TTestMainWin win;
        TActionUpdates::RunAll();
        EXPECT_FALSE(win.ActOptions->isEnabled()) << "no dialog to show";
        TTestDlgOptions dlg;
        win.SetOptionsDialog(&dlg);
        win.FormShow({});

        TOptionsAnswer answer([ok](TTestDlgOptions& shown) {
            shown.RxSpinComTimeOut->setValue(2000);
            shown.ChkBxFastTransfer->setChecked(true);
            shown.ColourAnswers = {QColor(Qt::red)};
            shown.BtnColorActiveDevice->click();
            (ok ? shown.BitBtnOk : shown.BitBtnCancel)->click();
        });
        TTestMainWin::Trigger(win.ActOptions);
        ASSERT_TRUE(answer.Answered());

        for (int i = 0; i < TFrmMainWin::DeviceCount; ++i) {
            EXPECT_EQ(win.Devices()[i]->Terminal()->GetComTimeOut(), ok ? 2000 : 500) << i;
            EXPECT_EQ(win.Devices()[i]->Terminal()->GetFastTransfer(), ok) << i;
            EXPECT_EQ(win.Devices()[i]->ActiveColor(), ok ? QColor(Qt::red) : QColor(Qt::black)) << i;
        }
        EXPECT_EQ(dlg.RxSpinComTimeOut->value(), ok ? 2000 : 500);
        EXPECT_EQ(dlg.ChkBxFastTransfer->isChecked(), ok);
        EXPECT_EQ(TIniFile(SettingsFileName()).ReadString("Options", "ShpColorActiveDevice.Pen.Color", ""),
                  ok ? "#FF0000" : "");

        // The next start shows and uses the stored colour.
        TTestMainWin next;
        TTestDlgOptions nextDlg;
        next.SetOptionsDialog(&nextDlg);
        next.FormShow({});
        EXPECT_EQ(next.Devices()[2]->ActiveColor(), ok ? QColor(Qt::red) : QColor(Qt::black));
        EXPECT_EQ(win.Unasked + next.Unasked + dlg.Unasked, 0);
    }
}

TEST(MainWindowOptions, MemoFontChangesFaceAndSizeOfAllLinesKeepingColourAndWeight)
{
    const TScopedSettings settings("");
    TTestMainWin win;
    TTestDlgOptions dlg;
    win.SetOptionsDialog(&dlg);
    win.FormShow({});
    win.AddMessage(mkError, "rot");
    win.AddMessage(mkWarning, "blau");
    win.AddMessage(mkInfo, "schwarz");
    win.AddMessage(mkHeading, "Überschrift");

    // A bold italic memo font: its face and size count, its style does not.
    QFont chosen("Courier New", 14);
    chosen.setBold(true);
    chosen.setItalic(true);
    TOptionsAnswer answer([&chosen](TTestDlgOptions& shown) {
        shown.FontAnswers = {chosen};
        shown.BtnMemoFont->click();
        shown.BitBtnOk->click();
    });
    TTestMainWin::Trigger(win.ActOptions);
    ASSERT_TRUE(answer.Answered());
    win.AddMessage(mkInfo, "danach");

    const struct {
        QColor Colour;
        bool Bold;
    } lines[] = {
        {QColor(255, 0, 0), true}, {QColor(0, 0, 255), true}, {QColor(0, 0, 0), false},
        {QColor(0, 0, 0), true},   {QColor(0, 0, 0), false},
    };
    ASSERT_EQ(win.MsgLog->LineCount(), 5);
    for (int line = 0; line < 5; ++line) {
        SCOPED_TRACE(win.MessageLines()[line].toStdString());
        const QTextCharFormat format = win.MsgLog->LineFormat(line);
        const QFont font = format.font();
        EXPECT_EQ(font.family(), chosen.family());
        EXPECT_EQ(font.pointSize(), 14);
        EXPECT_FALSE(font.italic());
        EXPECT_EQ(font.bold(), lines[line].Bold);
        EXPECT_EQ(format.foreground().color(), lines[line].Colour);
    }
    EXPECT_EQ(win.Unasked, 0);
}

TEST(MainWindowOptions, ConnectReachesTheDeviceTheOptionsNameForTheComPort)
{
    std::unique_ptr<TSimDevice> sim;
    try {
        sim = std::make_unique<TSimDevice>();
    } catch (const EOSError& e) {
        GTEST_SKIP() << "no pseudo-terminal: " << e.what();
    }
    const TScopedSettings settings("[Ports]\r\nCOM1=" + sim->SlavePath() + "\r\nCOM2=/nonexistent/talv2\r\n");
    // The box watch would cancel the options dialog too: it is off while the dialog is open.
    auto boxes = std::make_unique<TMessageBoxes>();
    TTestMainWin win;
    TTestDlgOptions dlg;
    win.SetOptionsDialog(&dlg);
    TKovTerminal& first = *win.Devices()[0]->Terminal();
    ASSERT_EQ(win.Document().Parameters(0).GetCOMPort(), COM1);

    win.Devices()[0]->ActDevConnect->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    ASSERT_TRUE(first.GetConnected()) << (boxes->Texts.empty() ? "" : boxes->Texts.front());
    EXPECT_EQ(first.GetDevicePath(), sim->SlavePath());
    win.Devices()[0]->ActDevConnect->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    ASSERT_FALSE(first.GetConnected());

    // A choice left in the dialog closed through its frame counts nowhere.
    {
        TOptionsAnswer framed([](TTestDlgOptions& shown) {
            shown.CmbBxPort[0]->setEditText("/nonexistent/talv1");
            shown.close();
        });
        boxes.reset();
        TTestMainWin::Trigger(win.ActOptions);
        ASSERT_TRUE(framed.Answered());
        boxes = std::make_unique<TMessageBoxes>();
    }
    win.Devices()[0]->ActDevConnect->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    ASSERT_TRUE(first.GetConnected()) << (boxes->Texts.empty() ? "" : boxes->Texts.front());
    win.Devices()[0]->ActDevConnect->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    ASSERT_FALSE(first.GetConnected());

    // A choice confirmed in the dialog counts from the next connect on.
    TOptionsAnswer answer([](TTestDlgOptions& shown) {
        shown.CmbBxPort[0]->setEditText("/nonexistent/talv1");
        shown.BitBtnOk->click();
    });
    boxes.reset();
    TTestMainWin::Trigger(win.ActOptions);
    ASSERT_TRUE(answer.Answered());
    boxes = std::make_unique<TMessageBoxes>();
    win.Devices()[0]->ActDevConnect->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    EXPECT_FALSE(first.GetConnected());
    ASSERT_EQ(boxes->Texts.size(), 1u);
    EXPECT_NE(boxes->Texts[0].find("/nonexistent/talv1"), std::string::npos) << boxes->Texts[0];

    // A path set on the engine itself is kept: the map is not asked for it.
    TKovTerminal& second = *win.Devices()[1]->Terminal();
    win.Document().Parameters(1).SetCOMPort(COM2);
    second.SetDevicePath(sim->SlavePath());
    win.Devices()[1]->ActDevConnect->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    EXPECT_TRUE(second.GetConnected());
    EXPECT_EQ(second.GetDevicePath(), sim->SlavePath());
    EXPECT_EQ(boxes->Texts.size(), 1u);
    EXPECT_TRUE(boxes->Others.empty());
}
