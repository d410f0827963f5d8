// Protects the whole road of one device through the main window against a simulated device:
// connect, configuration mode, receive, edit, send and start from the "Gerät" menu, with every
// line of the data-transfer log. The device is simulated inside the process; the test of the
// port's release runs over a pseudo-terminal and skips without one.
#include "device/framedevice.h"
#include "device/frmmemodlg.h"
#include "device/frmpressresetdlg.h"
#include "platform/exceptions.h"
#include "platform/gui/actionupdates.h"
#include "sim/simdevice.h"
#include "slutil/slcomport.h"
#include "terminal/kovterminal.h"
#include "tests/main/testmainwin.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace std::chrono_literals;

namespace {

// What the device holds before the tool reads it: a number, an empty MSN, LWL1 dials.
TSimParameters DeviceParameters()
{
    TSimParameters p;
    p.Msn1 = "4711";
    p.Msn2 = "4712";
    p.Aciomco = 1;
    p.Aciomcatab1 = "0301234";
    p.Aciomcatab2 = "-";
    p.Isdn = 0;
    return p;
}

// A simulated device inside the process holding DeviceParameters. The technician keeps pressing
// its reset key until it is in configuration mode.
std::unique_ptr<TSimDevice> DeviceHoldingParameters()
{
    TSimDeviceOptions device;
    device.InProcess = true;
    device.AutoResetPeriod = 700ms;
    auto sim = std::make_unique<TSimDevice>(device);
    sim->SetStored(DeviceParameters());
    return sim;
}

// Shows the window with a reply time of 2 s, as the user sets it in the options (at the default
// of 500 ms the reply timer has no tick to count and runs out at once, which ends the device's
// configuration mode in the terminal after every parameter command); false when the platform
// activates no window.
bool ShowWithReplyTime(TTestMainWin& win)
{
    TUserOptions options;
    options.ComTimeOut = 2000;
    win.ApplyOptions(options);
    win.show();
    win.activateWindow();
    return QTest::qWaitForWindowActive(&win);
}

// Closes every message box that a device action opens and keeps its text, so that an error
// fails the test instead of waiting for a click that never comes.
class TMessageBoxCatcher {
public:
    TMessageBoxCatcher()
    {
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Texts.push_back(box->text().toStdString());
                box->reject();
            }
        });
        FTimer.start(100);
    }
    std::vector<std::string> Texts;

private:
    QTimer FTimer;
};

}  // namespace

TEST(MainWindowWithDevice, ConnectRequestReceiveEditSendAndStartFromTheDeviceMenu)
{
    const std::unique_ptr<TSimDevice> sim = DeviceHoldingParameters();

    TMessageBoxCatcher boxes;
    TDlgPressReset pressReset;
    TFrmDevMemo memo;
    TTestMainWin win;
    win.SetDialogs(&pressReset, &memo);
    win.Devices()[0]->Terminal()->SetLine(sim->LineEnd());
    if (!ShowWithReplyTime(win))
        GTEST_SKIP() << "the platform activates no window";

    TFrameDev* panel = win.Devices()[0];
    auto* msn1 = panel->findChild<QLineEdit*>("EdMsn1");
    ASSERT_NE(msn1, nullptr);
    msn1->setFocus();
    TActionUpdates::RunAll();
    ASSERT_EQ(win.GetSelectedDevice(), panel);
    TKovTerminal& terminal = *panel->Terminal();

    // Connect.
    ASSERT_TRUE(win.MIDevConnect->isEnabled());
    win.MIDevConnect->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    ASSERT_TRUE(terminal.GetConnected());
    TActionUpdates::RunAll();
    EXPECT_EQ(win.MIDevConnect->text(), panel->ActDevConnect->text());
    EXPECT_FALSE(win.MIDevReceiveConfiguration->isEnabled());

    // Configuration mode: the dialog runs modally until the request thread ends it. Should the
    // device never answer, Cancel ends the wait instead of hanging the test.
    ASSERT_TRUE(win.MIDevRequestConfigMode->isEnabled());
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, &pressReset, &QDialog::reject);
    giveUp.start(30000);
    win.MIDevRequestConfigMode->trigger();
    const bool gaveUp = !giveUp.isActive();
    giveUp.stop();
    ASSERT_FALSE(gaveUp) << "the device did not enter configuration mode";
    ASSERT_TRUE(terminal.GetConfigMode());
    ASSERT_TRUE(sim->InConfigMode());
    // The request talks to the port itself; nothing of it goes to the data-transfer log.
    EXPECT_TRUE(win.ComLines().isEmpty()) << win.ComLines().join('\n').toStdString();

    // Receive.
    TActionUpdates::RunAll();
    ASSERT_TRUE(win.MIDevReceiveConfiguration->isEnabled());
    win.MIDevReceiveConfiguration->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    EXPECT_EQ(win.ComLines(), (QStringList{
                                  "<TALV 1>: TALV <= aciomco",
                                  "<TALV 1>: TALV => aciomco 1",
                                  "<TALV 1>: TALV <= aciomcatab1",
                                  "<TALV 1>: TALV => aciomcatab1 0301234",
                                  "<TALV 1>: TALV <= aciomcatab2",
                                  "<TALV 1>: TALV => aciomcatab2 -",
                                  "<TALV 1>: TALV <= isdn",
                                  "<TALV 1>: TALV => isdn 0-DSS1",
                                  "<TALV 1>: TALV <= vmoddi/1.msni",
                                  "<TALV 1>: TALV => vmoddi/1.msni 4711",
                                  "<TALV 1>: TALV <= vmoddi/2.msni",
                                  "<TALV 1>: TALV => vmoddi/2.msni 4712",
                              }));
    EXPECT_EQ(msn1->text(), "4711");
    EXPECT_TRUE(win.IsModified());

    // Edit MSN1 as the user types it.
    msn1->selectAll();
    QTest::keyClicks(msn1, "815");
    EXPECT_EQ(win.Document().Parameters(0).GetMsnIncoming(0), "815");

    // Send: factory defaults, the six parameters, store.
    win.Trigger(win.ActComLogClear);
    TActionUpdates::RunAll();
    ASSERT_TRUE(win.MIDevSendConfiguration->isEnabled());
    win.MIDevSendConfiguration->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    EXPECT_EQ(win.ComLines(), (QStringList{
                                  "<TALV 1>: TALV <= defa 1",
                                  "<TALV 1>: TALV => defa 1 Werkseinstellungen geladen",
                                  "<TALV 1>: TALV <= aciomco 1",
                                  "<TALV 1>: TALV => aciomco 1",
                                  "<TALV 1>: TALV <= aciomcatab1 0301234",
                                  "<TALV 1>: TALV => aciomcatab1 0301234",
                                  "<TALV 1>: TALV <= aciomcatab2 -",
                                  "<TALV 1>: TALV => aciomcatab2 -",
                                  "<TALV 1>: TALV <= isdn 0",
                                  "<TALV 1>: TALV => isdn 0",
                                  "<TALV 1>: TALV <= vmoddi/1.msni 815",
                                  "<TALV 1>: TALV => vmoddi/1.msni 815",
                                  "<TALV 1>: TALV <= vmoddi/2.msni 4712",
                                  "<TALV 1>: TALV => vmoddi/2.msni 4712",
                                  "<TALV 1>: TALV <= save",
                                  "<TALV 1>: TALV => save Parameter gespeichert",
                              }));
    TSimParameters expected = DeviceParameters();
    expected.Msn1 = "815";
    EXPECT_EQ(sim->Stored(), expected);

    // Start: the device takes "go" as its last command and leaves configuration mode; "go"
    // waits for no reply. The device's running state itself is not awaited: the technician's
    // next press of the reset key (every 700 ms here) soon ends it again.
    win.Trigger(win.ActComLogClear);
    sim->ClearReceived();
    TActionUpdates::RunAll();
    ASSERT_TRUE(win.MIDevGo->isEnabled());
    win.MIDevGo->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    EXPECT_EQ(win.ComLines(), QStringList{"<TALV 1>: TALV <= go"});
    ASSERT_TRUE(sim->WaitForCommandLines(1, 10s));
    EXPECT_EQ(sim->CommandLines(), std::vector<std::string>{"go"});

    EXPECT_TRUE(boxes.Texts.empty()) << boxes.Texts.front();
    EXPECT_TRUE(win.Errors.empty());
    EXPECT_EQ(win.ErrorCount(), 0);
}

// The user's hand decides which device the "Gerät" menu acts on: after panel 3's own buttons
// connected its device and brought it into configuration mode, the menu is panel 3's, although
// the focus was in panel 1 before and the device buttons were clicked with the mouse.
TEST(MainWindowWithDevice, TheDeviceMenuBelongsToThePanelWhoseButtonsWereClicked)
{
    const std::unique_ptr<TSimDevice> sim = DeviceHoldingParameters();

    TMessageBoxCatcher boxes;
    TDlgPressReset pressReset;
    TTestMainWin win;
    win.SetDialogs(&pressReset, nullptr);
    win.SetDeviceCount(3);
    TKovTerminal& terminal = *win.Devices()[2]->Terminal();
    terminal.SetLine(sim->LineEnd());
    if (!ShowWithReplyTime(win))
        GTEST_SKIP() << "the platform activates no window";

    TFrameDev* third = win.Devices()[2];
    win.Devices()[0]->findChild<QLineEdit*>("EdMsn1")->setFocus();
    TActionUpdates::RunAll();
    ASSERT_EQ(win.GetSelectedDevice(), win.Devices()[0]);

    QTest::mouseClick(third->findChild<QToolButton*>("BitBtnDevConnect"), Qt::LeftButton);
    ASSERT_TRUE(win.AwaitExchanges());
    ASSERT_TRUE(terminal.GetConnected());
    TActionUpdates::RunAll();
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, &pressReset, &QDialog::reject);
    giveUp.start(30000);
    QTest::mouseClick(third->findChild<QToolButton*>("BitBtnDevRequestConfigMode"), Qt::LeftButton);
    giveUp.stop();
    ASSERT_TRUE(terminal.GetConfigMode()) << "the device did not enter configuration mode";

    TActionUpdates::RunAll();
    EXPECT_EQ(win.GetSelectedDevice(), third);
    EXPECT_EQ(win.MIDevConnect->text(), third->ActDevConnect->text());
    ASSERT_TRUE(win.MIDevReceiveConfiguration->isEnabled());
    win.MIDevReceiveConfiguration->trigger();
    ASSERT_TRUE(win.AwaitExchanges());
    EXPECT_EQ(third->findChild<QLineEdit*>("EdMsn1")->text(), "4711");
    EXPECT_TRUE(boxes.Texts.empty()) << boxes.Texts.front();
}

// Closing the program while a configuration-mode request waits for the device: the window stops
// the request thread and closes the port before the terminals go.
TEST(MainWindowWithDevice, DestroyingTheWindowStopsARunningRequestAndFreesThePort)
{
    std::unique_ptr<TSimDevice> sim;
    try {
        sim = std::make_unique<TSimDevice>();
    } catch (const EOSError& e) {
        GTEST_SKIP() << "no pseudo-terminal: " << e.what();
    }
    TDlgPressReset pressReset;
    auto win = std::make_unique<TTestMainWin>();
    win->SetDialogs(&pressReset, nullptr);
    TKovTerminal& terminal = *win->Devices()[0]->Terminal();
    terminal.SetDevicePath(sim->SlavePath());
    terminal.Open();
    ASSERT_TRUE(terminal.GetConnected());
    // The request waits for a start banner that never comes.
    terminal.RequestConfigMode(&pressReset);

    win.reset();

    // A port is opened exclusively: opening it again works only once the terminal let go.
    TslCOMPort port;
    port.SetDevicePath(sim->SlavePath());
    EXPECT_NO_THROW(port.Open());
    EXPECT_TRUE(port.GetActive());
}
