// Protects the panel's device actions against a simulated device in process: the whole way from
// connecting to starting, what the panel shows while an exchange runs or is cancelled, and what
// the user sees when a transfer fails.
#include "device/frmmemodlg.h"
#include "device/frmpressresetdlg.h"
#include "modalwatch.h"
#include "panelfixture.h"
#include "platform/gui/actionupdates.h"
#include "terminal/configmodeview.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

struct TPanelWithDevice : TPanelFixture {
    std::unique_ptr<TSimDevice> Device;
    TDlgPressReset DlgPressReset;
    TFrmDevMemo FrmDevMemo;
    // What the user saw in message boxes, and whether the panel's busy cursor was gone by then.
    std::vector<std::string> Boxes;
    bool CursorWasBusyAtABox = false;
    bool ResetPressed = false;
    // The technician cancels the dialog instead of pressing the reset key.
    bool CancelRequest = false;
    QElapsedTimer DialogTime;

    // The technician's part: presses the reset key once the dialog waits for the device's start
    // string, and reads and closes every message box.
    TModalWatch User{[this](QWidget& modal) {
        if (&modal == &DlgPressReset) {
            const bool waiting = DlgPressReset.LblStatus()->text() ==
                                 QString::fromStdString(ConfigModeStatusText(EConfigModeWaitForStart));
            if (CancelRequest && waiting)
                DlgPressReset.findChild<QPushButton*>("BitBtnCancel")->click();
            else if (!CancelRequest && !ResetPressed && waiting) {
                Device->Reset();
                ResetPressed = true;
                DialogTime.start();
            } else if (ResetPressed && DialogTime.elapsed() > 20000) {
                DlgPressReset.reject();  // the request is stuck: give up rather than hang
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            Boxes.push_back(box->text().toStdString());
            CursorWasBusyAtABox = CursorWasBusyAtABox || PanelBusy();
            box->done(QMessageBox::Ok);
        }
    }};

    void SetUp() override
    {
        TPanelFixture::SetUp();
        TSimDeviceOptions options;
        options.InProcess = true;
        Device = std::make_unique<TSimDevice>(options);
        Engine().SetLine(Device->LineEnd());
        // A read that finds nothing lasts its full 500 ms, and a reply timer that runs out ends
        // configuration mode: the reply time must leave the timer well over one read (with 500
        // it runs out at once, with 1000 it races the read).
        Engine().SetComTimeOut(2000);
        Panel->SetDialogs(&DlgPressReset, &FrmDevMemo);
        Panel->ActDevConnect->trigger();
        ASSERT_TRUE(AwaitExchange());
        ASSERT_TRUE(Engine().GetConnected());
    }

    bool PanelBusy() const { return Panel->cursor().shape() == Qt::BusyCursor; }

    void Trigger(QAction* action)
    {
        TActionUpdates::RunAll();
        ASSERT_TRUE(action->isEnabled()) << action->objectName().toStdString();
        action->trigger();
    }

    // An exchange action returns while its exchange runs; the panel shows the busy cursor until
    // the exchange has ended.
    void Exchange(QAction* action)
    {
        ASSERT_NO_FATAL_FAILURE(Trigger(action));
        EXPECT_TRUE(Panel->ExchangeRunning());
        EXPECT_TRUE(PanelBusy());
        ASSERT_TRUE(AwaitExchange());
        EXPECT_FALSE(PanelBusy());
    }

    void EnterConfigMode()
    {
        Trigger(Panel->ActDevRequestConfigMode);
        ASSERT_TRUE(ResetPressed);
        ASSERT_TRUE(Engine().GetConfigMode());
        ASSERT_TRUE(Device->InConfigMode());
    }

    // The same without the request and its pauses, for tests about what follows it: the
    // exchange that waits for the start string answers it itself.
    void EnterConfigModeAtOnce()
    {
        Engine().Send("", EKovWaitStartString);
        Device->Reset();
        Engine().ProcessReceived();
        ASSERT_TRUE(Engine().GetConfigMode());
        ASSERT_TRUE(Device->InConfigMode());
    }
};

}  // namespace

TEST_F(TPanelWithDevice, ConnectConfigureReceiveEditSendAndStart)
{
    EnterConfigMode();

    TSimParameters onDevice;
    onDevice.Msn1 = "0301";
    onDevice.Msn2 = "302";
    onDevice.Aciomco = 1;
    onDevice.Aciomcatab1 = "401";
    onDevice.Aciomcatab2 = "-";
    onDevice.Isdn = 0;
    Device->SetCurrent(onDevice);
    Exchange(Panel->ActDevReceiveConfiguration);
    EXPECT_EQ(EdMsn(0)->text(), "0301");
    EXPECT_EQ(EdMsn(1)->text(), "302");
    EXPECT_EQ(CmbBxNumber(0)->currentText(), "401");
    EXPECT_EQ(CmbBxNumber(1)->currentText(), "-");
    EXPECT_TRUE(RdBtnDial(0)->isChecked());
    EXPECT_TRUE(RdBtnAccept(1)->isChecked());
    EXPECT_TRUE(Panel->Modified());

    EdMsn(1)->selectAll();
    QTest::keyClicks(EdMsn(1), "0777");
    RdBtnDial(1)->click();
    Device->ClearReceived();
    Panel->SetModified(false);
    Exchange(Panel->ActDevSendConfiguration);
    EXPECT_EQ(Device->Received(), "defa 1\raciomco 0\raciomcatab1 401\raciomcatab2 -\risdn 0\r"
                                  "vmoddi/1.msni 0301\rvmoddi/2.msni 0777\rsave\r");
    TSimParameters stored = onDevice;
    stored.Msn2 = "0777";
    stored.Aciomco = 0;
    EXPECT_EQ(Device->Stored(), stored);
    EXPECT_FALSE(Panel->Modified());

    Exchange(Panel->ActDevGo);
    EXPECT_TRUE(Device->WaitForState(ESimRunning, 10s));
    EXPECT_TRUE(Boxes.empty()) << Boxes.front();
}

TEST_F(TPanelWithDevice, WhileAReceiveRunsThePanelShowsItsStepsWithItsFieldsDisabled)
{
    EnterConfigModeAtOnce();
    TSimParameters onDevice;
    onDevice.Msn1 = "0301";
    onDevice.Aciomco = 1;
    onDevice.Aciomcatab1 = "401";
    Device->SetCurrent(onDevice);
    auto* bottom = Get<QStackedWidget>("StckBottom");
    auto* progress = Get<QProgressBar>("PrgBrExchange");
    const QWidget* fields[] = {Get<QWidget>("BtnName"), EdMsn(0), CmbBxNumber(1), RdBtnDial(0),
                               Get<QWidget>("CmbBxIsdnDChannelProtocol")};
    // What the panel shows at each step, seen from the event loop while the exchange runs.
    std::vector<std::string> seen;
    QObject scope;
    QObject::connect(Panel, &TFrameDev::ExchangeChanged, &scope, [&] {
        if (!Panel->ExchangeRunning())
            return;
        const bool enabled = std::ranges::any_of(fields, &QWidget::isEnabled) || Panel->ActDevConnect->isEnabled() ||
                             Panel->ActDevReceiveConfiguration->isEnabled();
        seen.push_back(std::to_string(progress->value()) + "/" + std::to_string(progress->maximum()) +
                       (bottom->currentWidget() == Get<QWidget>("PnlProgress") ? " progress" : " no progress") +
                       (enabled ? " enabled" : " disabled"));
    });

    Exchange(Panel->ActDevReceiveConfiguration);
    std::vector<std::string> expected;
    for (int step = 0; step <= 6; ++step)
        expected.push_back(std::to_string(step) + "/6 progress disabled");
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(bottom->currentWidget(), Get<QWidget>("PnlProtocol"));
    EXPECT_TRUE(EdMsn(0)->isEnabled());
    EXPECT_EQ(EdMsn(0)->text(), "0301");
    EXPECT_EQ(CmbBxNumber(0)->currentText(), "401");
    EXPECT_TRUE(Panel->Modified());
}

TEST_F(TPanelWithDevice, EscapeCancelsAReceiveWithoutABoxAndTheNextReceiveBringsEveryValue)
{
    EnterConfigModeAtOnce();
    Window.activateWindow();
    if (!QTest::qWaitForWindowActive(&Window))
        GTEST_SKIP() << "no active window on this platform";
    const TSimParameters onDevice{"0301", "302", 1, "401", "402", 0};
    Device->SetCurrent(onDevice);
    auto* bottom = Get<QStackedWidget>("StckBottom");
    auto* cancel = Get<QPushButton>("BtnCancel");

    Trigger(Panel->ActDevReceiveConfiguration);
    // The worker waits for the panel to take in its first step, so the cancel lands there.
    ASSERT_TRUE(cancel->hasFocus());
    QTest::keyClick(cancel, Qt::Key_Escape);
    ASSERT_TRUE(AwaitExchange());
    EXPECT_TRUE(Boxes.empty()) << Boxes.front();
    EXPECT_EQ(bottom->currentWidget(), Get<QWidget>("PnlProgress"));
    EXPECT_EQ(Get<QProgressBar>("PrgBrExchange")->text().toStdString(),
              "Empfange Parameter: abgebrochen bei Schritt 1 von 6");
    EXPECT_EQ(cancel->text().toStdString(), "OK");
    EXPECT_TRUE(Engine().GetConnected());
    cancel->click();
    EXPECT_EQ(bottom->currentWidget(), Get<QWidget>("PnlProtocol"));

    // The port serves the next receive whole.
    Exchange(Panel->ActDevReceiveConfiguration);
    const QStringList shown{EdMsn(0)->text(),
                            EdMsn(1)->text(),
                            RdBtnDial(0)->isChecked() ? "dial" : "accept",
                            RdBtnDial(1)->isChecked() ? "dial" : "accept",
                            CmbBxNumber(0)->currentText(),
                            CmbBxNumber(1)->currentText(),
                            Get<QComboBox>("CmbBxIsdnDChannelProtocol")->currentText()};
    EXPECT_EQ(shown.join(' ').toStdString(), "0301 302 dial accept 401 402 DSS1");
    EXPECT_TRUE(Boxes.empty()) << Boxes.front();
}

TEST_F(TPanelWithDevice, ATransferErrorIsShownAfterTheViewShowsWhatTheParametersHold)
{
    // The device runs (it ignores every command), but the engine believes it is configurable.
    Engine().SetConfigMode(true);
    Parameters.SetMsnIncoming(0, "55");  // not yet shown
    Exchange(Panel->ActDevSendConfiguration);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0], "TKovTerminal::ProcessReceived: Timout beim Senden nach 2000 msec.");
    EXPECT_FALSE(CursorWasBusyAtABox);
    // The factory default failed, so neither parameters nor store were sent.
    EXPECT_TRUE(Device->WaitForReceived([](std::string_view received) { return !received.empty(); }, 1s));
    EXPECT_EQ(Device->Received(), "defa 1\r");
    EXPECT_EQ(EdMsn(0)->text(), "55");
    EXPECT_FALSE(Panel->Modified());
}

TEST_F(TPanelWithDevice, AProtocolThePanelCannotShowIsReportedAndLeavesThePanelUnmodified)
{
    EnterConfigModeAtOnce();
    TSimParameters onDevice;
    onDevice.Msn1 = "11";
    onDevice.Aciomco = 0;  // as the panel shows it: no button changes, so no click marks it modified
    onDevice.Isdn = 1;
    Device->SetCurrent(onDevice);
    Exchange(Panel->ActDevReceiveConfiguration);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0], "TFrameDev::UpdateView: falsches IsdnDChannelProtocol 1.");
    EXPECT_FALSE(CursorWasBusyAtABox);
    EXPECT_EQ(EdMsn(0)->text(), "11");
    EXPECT_FALSE(Panel->Modified());
}

TEST_F(TPanelWithDevice, AReceiveThatFailsPartWayShowsTheValuesReceivedSoFar)
{
    EnterConfigModeAtOnce();
    TSimParameters onDevice;
    onDevice.Msn1 = "0301";
    onDevice.Aciomco = EAciomcoB1;
    onDevice.Aciomcatab1 = "401";
    Device->SetCurrent(onDevice);
    Parameters.SetMsnIncoming(0, "55");
    Panel->UpdateView();
    // The line goes down in the middle of the third reply, after mode and first number came.
    Engine().OnLogReceived = [this](TKovTerminal& engine) {
        if (engine.ReceivedString().starts_with("aciomcatab1"))
            Device->HangUpMidNextReply();
    };
    Exchange(Panel->ActDevReceiveConfiguration);
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(CmbBxNumber(0)->currentText(), "401");
    EXPECT_TRUE(RdBtnDial(0)->isChecked());
    EXPECT_TRUE(RdBtnAccept(1)->isChecked());
    EXPECT_EQ(EdMsn(0)->text(), "55");  // never asked for
    EXPECT_EQ(Parameters.GetAutomaticCallNumber(0), "401");
}

TEST_F(TPanelWithDevice, CancellingTheRequestStopsItAndLeavesTheLineFree)
{
    CancelRequest = true;
    Trigger(Panel->ActDevRequestConfigMode);
    EXPECT_FALSE(Engine().GetConfigMode());
    EXPECT_TRUE(Boxes.empty());
    // The request thread is gone: the start string of a reset now reaches the terminal's own
    // exchange (where it is a wrong answer) instead of being answered by the thread.
    Device->Reset();
    Engine().SetConfigMode(true);
    EXPECT_EQ(ErrorOf([&] { Engine().SendShow(); }), "TKovTerminal::ReceiveConfigMode: falsche Antwort vom TALV erhalten.");
    EXPECT_FALSE(Device->InConfigMode());
}

TEST_F(TPanelWithDevice, WithoutThePressResetDialogTheRequestReportsIt)
{
    Panel->SetDialogs(nullptr, &FrmDevMemo);
    Trigger(Panel->ActDevRequestConfigMode);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0], "TFrameDev::ActDevRequestConfigModeExecute: Kein Form übergeben.");
}
