// Protects the whole conversation with a (simulated) device, in process and end to end over a
// pseudo-terminal: entering configuration mode, reading, writing and storing, starting, and the
// ways a device or its line can fail mid-exchange.
#include "platform/exceptions.h"
#include "sim/simdevice.h"
#include "terminal/configmodeview.h"
#include "terminal/kovterminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

using namespace std::chrono_literals;

namespace {

// A view that is safe to use from the request thread itself (the default Post runs at once).
class TWaitingView : public TConfigModeView {
public:
    void ShowStatus(tConfigModeStatus status, const std::string& reason) override
    {
        std::lock_guard lock(FMutex);
        Last = status;
        Reason = reason;
        FChanged.notify_all();
    }
    void CloseOk() override
    {
        std::lock_guard lock(FMutex);
        Closed = true;
        FChanged.notify_all();
    }
    void Repaint() override {}

    bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
    {
        std::unique_lock lock(FMutex);
        return FChanged.wait_for(lock, limit, done);
    }

    tConfigModeStatus Last{};
    std::string Reason;
    bool Closed = false;

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
};

std::unique_ptr<TSimDevice> MakeDevice(TSimDeviceOptions options = {})
{
    try {
        return std::make_unique<TSimDevice>(std::move(options));
    } catch (const EOSError&) {
        return nullptr;
    }
}

struct TDevice : ::testing::Test {
    std::unique_ptr<TSimDevice> Device;
    TKovTerminal T;
    std::vector<std::string> Log;

    // In process unless overPty: then the terminal opens the device's pseudo-terminal.
    void Start(TSimDeviceOptions options = {}, bool overPty = false)
    {
        options.InProcess = !overPty;
        Device = MakeDevice(std::move(options));
        if (!Device)
            GTEST_SKIP() << "cannot start the simulated device";
        if (overPty)
            T.SetDevicePath(Device->SlavePath());
        else
            T.SetLine(Device->LineEnd());
        T.SetComTimeOut(1000);
        T.OnLogSend = [this](TKovTerminal& t) { Log.push_back("TALV <= " + t.SentString()); };
        T.OnLogReceived = [this](TKovTerminal& t) { Log.push_back("TALV => " + t.ReceivedString()); };
        T.Open();
    }

    // The technician presses the reset key once the request waits for the banner.
    void EnterConfigMode()
    {
        TWaitingView view;
        T.RequestConfigMode(&view);
        ASSERT_TRUE(view.WaitFor([&] { return view.Last == EConfigModeWaitForStart; }, 3s));
        Device->Reset();
        ASSERT_TRUE(view.WaitFor([&] { return view.Closed; }, 10s)) << view.Reason;
        T.StopRequestConfigMode();
        ASSERT_TRUE(T.GetConfigMode());
        ASSERT_TRUE(Device->InConfigMode());
        Device->ClearReceived();
    }

    // The same without the request and its pauses: the exchange that waits for the start
    // string answers it itself.
    void EnterConfigModeAtOnce()
    {
        T.Send("", EKovWaitStartString);
        Device->Reset();
        T.ProcessReceived();
        ASSERT_TRUE(T.GetConfigMode());
        ASSERT_TRUE(Device->InConfigMode());
        Device->ClearReceived();
    }

    std::string ErrorOf(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const Exception& e) {
            return e.what();
        }
        return "no error";
    }
};

}  // namespace

TEST_F(TDevice, ConfigureADeviceFromResetToStart)
{
    TSimDeviceOptions options;
    options.Pace = true;
    options.Split = true;
    options.Seed = 7;
    Start(options, true);
    if (!Device)
        return;
    EnterConfigMode();

    TSimParameters onDevice;
    onDevice.Msn1 = "";
    onDevice.Msn2 = "0302";
    onDevice.Aciomco = 2;
    onDevice.Aciomcatab1 = "-";
    onDevice.Aciomcatab2 = "0401";
    onDevice.Isdn = 12;
    Device->SetCurrent(onDevice);
    T.Parameters().SetMsnIncoming(0, "alt");
    T.ReceiveConfiguration();
    EXPECT_EQ(T.Parameters().GetMsnIncoming(0), "");
    EXPECT_EQ(T.Parameters().GetMsnIncoming(1), "0302");
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB2);
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(0), "-");
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(1), "0401");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnLeasedLineB1);
    EXPECT_EQ(Log[0], "TALV <= aciomco");
    EXPECT_EQ(Log[1], "TALV => aciomco 2");
    EXPECT_EQ(Log[7], "TALV => isdn 12-Standleitung B1");

    // "Sende Parameter": factory defaults, the six values, store.
    T.Parameters().SetMsnIncoming(0, "0301");
    T.Parameters().SetAutomaticCallMode(EAciomcoB1B2);
    T.Parameters().SetIsdnDChannelProtocol(IsdnDss1);
    Device->ClearReceived();
    T.SendDefaultFactory();
    T.SendConfiguration();
    T.SendSave();
    EXPECT_EQ(Device->Received(), "defa 1\raciomco 0\raciomcatab1 -\raciomcatab2 0401\risdn 0\r"
                                  "vmoddi/1.msni 0301\rvmoddi/2.msni 0302\rsave\r");
    const TSimParameters stored = Device->Stored();
    EXPECT_EQ(stored.Msn1, "0301");
    EXPECT_EQ(stored.Msn2, "0302");
    EXPECT_EQ(stored.Aciomco, 0);
    EXPECT_EQ(stored.Aciomcatab1, "-");
    EXPECT_EQ(stored.Aciomcatab2, "0401");
    EXPECT_EQ(stored.Isdn, 0);
    EXPECT_TRUE(T.GetConfigMode());

    // Start: the device runs, and the terminal notices through its reply timer.
    T.SendGo();
    EXPECT_TRUE(Device->WaitForState(ESimRunning, 10s));
    const auto end = std::chrono::steady_clock::now() + 3s;
    while (T.GetConfigMode() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(T.GetConfigMode());
}

TEST_F(TDevice, ARunningDeviceDoesNotAnswer)
{
    Start();
    if (!Device)
        return;
    EXPECT_EQ(ErrorOf([&] { T.ReceiveConfiguration(); }),
              "TKovTerminal::ProcessReceived: Timout beim Senden nach 1000 msec.");
}

TEST_F(TDevice, ResetInTheMiddleOfAnExchangeIsAWrongAnswer)
{
    Start();
    if (!Device)
        return;
    EnterConfigModeAtOnce();
    Device->ResetMidNextReply();
    EXPECT_EQ(ErrorOf([&] { T.ReceiveConfiguration(); }),
              "TKovTerminal::ReceiveConfigMode: falsche Antwort vom TALV erhalten.");
    EXPECT_EQ(Log.back(), "TALV => " + StartString);
    EXPECT_EQ(T.GetWaitState(), EKovWaitNone);
}

TEST_F(TDevice, GarbledRepliesCostOneExchangeNotTheSession)
{
    Start();
    if (!Device)
        return;
    EnterConfigModeAtOnce();
    const std::function<void()> faults[] = {
        [&] { Device->GarbageNextReply(); },
        [&] { Device->NulInNextReply(); },
        [&] { Device->FloodNextReply(3000, false); },
        [&] { Device->SetSilent(true); },
    };
    TSimParameters onDevice;
    onDevice.Aciomco = 1;
    Device->SetCurrent(onDevice);
    for (const auto& fault : faults) {
        fault();
        T.Parameters().SetAutomaticCallMode(EAciomcoNo);
        EXPECT_NE(ErrorOf([&] {
                      T.RequestAutomaticCallMode();
                      T.ProcessReceived();
                  }),
                  "no error");
        EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoNo);
        EXPECT_EQ(T.GetWaitState(), EKovWaitNone);
        Device->SetSilent(false);
        // Whatever the fault left on the line is gone with the time-out or the bad unit.
        Device->WaitForReceived([](std::string_view) { return true; }, 10ms);
        T.RequestAutomaticCallMode();
        T.ProcessReceived();
        EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1);
    }
}

TEST_F(TDevice, HangUpMidReplyIsASystemErrorAndTheSecondPortIsBusy)
{
    Start({}, true);
    if (!Device)
        return;
    TKovTerminal second;
    second.SetDevicePath(Device->SlavePath());
    second.Parameters().SetCOMPort(COM2);
    const std::string busy = ErrorOf([&] { second.Open(); });
    EXPECT_EQ(busy.substr(0, busy.find('\n')), "COM2 (" + Device->SlavePath() + ") kann nicht geöffnet werden: Gerät belegt: "
                                                 "ein anderes Programm oder ein anderes Gerätefeld hat die Schnittstelle schon geöffnet.");
    EXPECT_FALSE(second.GetConnected());

    EnterConfigModeAtOnce();
    Device->HangUpMidNextReply();
    try {
        T.ReceiveConfiguration();
        ADD_FAILURE() << "no error";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), EIO);
        EXPECT_EQ(std::string(e.what()), "Systemfehler. Code: 5.\nEin-/Ausgabefehler.\nDie Verbindung zum Gerät ist abgebrochen "
                                         "(Adapter abgezogen oder Leitung unterbrochen). Bitte Adapter und Kabel prüfen.");
    }
}

TEST_F(TDevice, StartingLeavesNoTimerThatEndsALaterConfigMode)
{
    Start();
    if (!Device)
        return;
    // The reply timer of "go" would run out 3 s after it, between the request's success (about
    // 2 s after the reset) and the end of its dialog (2 s later), where EnterConfigMode checks.
    T.SetComTimeOut(3500);
    T.SendGo();
    EnterConfigMode();
}

TEST_F(TDevice, AReconnectAfterAHangUpMidReplyReadsOnlyTheNewDevice)
{
    Start();
    if (!Device)
        return;
    EnterConfigModeAtOnce();
    // Half of a long reply: the first read takes a full chunk and leaves text without a prompt.
    Device->FloodNextReply();
    Device->HangUpMidNextReply();
    EXPECT_THROW(T.ReceiveConfiguration(), EOSError);

    T.Close();
    TSimDeviceOptions options;
    options.InProcess = true;
    Device = MakeDevice(options);
    ASSERT_TRUE(Device);
    T.SetLine(Device->LineEnd());
    T.Open();
    EnterConfigModeAtOnce();
    const TSimParameters onDevice{"0301", "0302", EAciomcoB2, "0401", "0402", IsdnLeasedLineB1B2};
    Device->SetCurrent(onDevice);
    T.ReceiveConfiguration();
    EXPECT_EQ((TSimParameters{T.Parameters().GetMsnIncoming(0), T.Parameters().GetMsnIncoming(1), T.Parameters().GetAutomaticCallMode(),
                              T.Parameters().GetAutomaticCallNumber(0), T.Parameters().GetAutomaticCallNumber(1),
                              T.Parameters().GetIsdnDChannelProtocol()}),
              onDevice);
}

// Fast reads change only the time an exchange takes. Needs a pseudo-terminal: the serial port's
// reads are what differs.
TEST(TDeviceFastTransfer, GivesTheSameBytesLogAndValuesInAFractionOfTheTime)
{
    const TSimParameters onDevice{"0301", "", EAciomcoB2, "-", "0402", IsdnLeasedLineB1};
    struct TRun {
        std::vector<std::string> Log;
        std::string Received;
        TSimParameters Values;
        long long ReceiveMs = 0;
    };
    const auto run = [&](bool fast) -> std::optional<TRun> {
        // Replies come in pieces with pauses, and the reply time is the program's default, which
        // the timer counts out at once in the default mode: a fast read that ends in a pause
        // must not take the reply for missing.
        TSimDeviceOptions options;
        options.Pace = true;
        options.Split = true;
        const auto device = MakeDevice(options);
        if (!device)
            return std::nullopt;
        TRun result;
        TKovTerminal t;
        t.SetDevicePath(device->SlavePath());
        t.SetComTimeOut(500);
        t.SetFastTransfer(fast);
        t.OnLogSend = [&](TKovTerminal& s) { result.Log.push_back("TALV <= " + s.SentString()); };
        t.OnLogReceived = [&](TKovTerminal& s) { result.Log.push_back("TALV => " + s.ReceivedString()); };
        t.Open();
        if (fast) {
            // Through the request, as the user enters configuration mode: its reads are fast too.
            TWaitingView view;
            t.RequestConfigMode(&view);
            if (!view.WaitFor([&] { return view.Last == EConfigModeWaitForStart; }, 3s))
                ADD_FAILURE() << "the request does not wait for the start string";
            device->Reset();
            if (!view.WaitFor([&] { return view.Closed; }, 10s))
                ADD_FAILURE() << "configuration mode not entered: " << view.Reason;
            t.StopRequestConfigMode();
        } else {
            // Without the request's pauses: the exchange that waits for the start string
            // answers it itself.
            t.Send("", EKovWaitStartString);
            device->Reset();
            t.ProcessReceived();
        }
        // The two ways in differ; what follows must not.
        result.Log.clear();
        device->ClearReceived();
        device->SetCurrent(onDevice);

        const auto start = std::chrono::steady_clock::now();
        t.ReceiveConfiguration();
        result.ReceiveMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        result.Received = device->Received();
        result.Values = {t.Parameters().GetMsnIncoming(0), t.Parameters().GetMsnIncoming(1), t.Parameters().GetAutomaticCallMode(),
                         t.Parameters().GetAutomaticCallNumber(0), t.Parameters().GetAutomaticCallNumber(1), t.Parameters().GetIsdnDChannelProtocol()};
        return result;
    };

    const auto standard = run(false);
    if (!standard)
        GTEST_SKIP() << "cannot start the simulated device";
    const auto fast = run(true);
    ASSERT_TRUE(fast);
    EXPECT_EQ(fast->Log, standard->Log);
    EXPECT_EQ(fast->Received, standard->Received);
    EXPECT_EQ(standard->Values, onDevice);
    EXPECT_EQ(fast->Values, onDevice);
    ::testing::Test::RecordProperty("DefaultReceiveMs", std::to_string(standard->ReceiveMs));
    ::testing::Test::RecordProperty("FastReceiveMs", std::to_string(fast->ReceiveMs));
    // Six exchanges: each default read waits its 500 ms; fast ones take about the line time.
    EXPECT_GE(standard->ReceiveMs, 2900);
    EXPECT_LT(fast->ReceiveMs, 1500);
}
