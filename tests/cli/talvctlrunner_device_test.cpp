// Protects talvctl's commands against a simulated device on a pseudo-terminal (skips without one).
// Where the timing is not the point they run with --fast, which changes nothing on the line but
// the pauses.
#include "cli/talvctlrunner.h"
#include "platform/exceptions.h"
#include "sim/simdevice.h"
#include "slutil/slcomport.h"
#include "tests/cli/talvctldevice.h"
#include "tests/cli/watchedstream.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <future>
#include <memory>
#include <sstream>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

const std::string Waiting = "Warte auf Start-Zeichenkette von TALV-Gerät.\n";
const std::string Confirmed = "Bestätigung für Start-Zeichenkette an TALV-Gerät gesendet.\n";
const std::string Entered = "TALV-Gerät ist im Konfigurationsmodus.\n";

// A parameter set with an empty MSN, "no number" and a leased-line protocol, whose device text
// ("12-Standleitung B1") the terminal has to take apart.
TSimParameters SampleParameters()
{
    TSimParameters p;
    p.Msn1 = "4711";
    p.Msn2 = "";
    p.Aciomco = 1;
    p.Aciomcatab1 = "0301234";
    p.Aciomcatab2 = "-";
    p.Isdn = 12;
    return p;
}

const std::string SampleOutput =
    "MsnIncoming1=4711\nMsnIncoming2=\nAutomaticCallMode=1\nAutomaticCallNumber1=0301234\n"
    "AutomaticCallNumber2=-\nIsdnDChannelProtocol=12\n";

}  // namespace

TEST_F(TalvctlDevice, RequestConfigModeThenReceiveInOneCall)
{
    TSimDeviceOptions options;
    // The technician keeps pressing reset until the device is in configuration mode; later
    // than the first read, so the request shows its waiting status more than once.
    options.AutoResetPeriod = 700ms;
    if (!MakeDevice(options))
        return;
    // A reset loads the stored set, so that is what the device then holds.
    Device->SetStored(SampleParameters());

    const TRun run = RunTalvctl(With({"--fast", "request-config-mode", "receive"}));
    EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk) << run.Err;
    EXPECT_EQ(run.Err, Waiting + Confirmed + Entered);
    EXPECT_EQ(run.Out, SampleOutput);
    EXPECT_TRUE(Device->InConfigMode());
}

TEST_F(TalvctlDevice, ReceivePrintsTheDeviceParametersAndLogsEveryLine)
{
    ASSERT_NO_FATAL_FAILURE(EnterConfigMode());
    Device->SetCurrent(SampleParameters());

    const TRun run = RunTalvctl(With({"--fast", "--log", "receive"}));
    EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk) << run.Err;
    EXPECT_EQ(run.Out, SampleOutput);
    EXPECT_EQ(run.Err,
              "TALV <= aciomco\nTALV => aciomco 1\n"
              "TALV <= aciomcatab1\nTALV => aciomcatab1 0301234\n"
              "TALV <= aciomcatab2\nTALV => aciomcatab2 -\n"
              "TALV <= isdn\nTALV => isdn 12-Standleitung B1\n"
              "TALV <= vmoddi/1.msni\nTALV => vmoddi/1.msni 4711\n"
              "TALV <= vmoddi/2.msni\nTALV => vmoddi/2.msni\n");
}

TEST_F(TalvctlDevice, SendLoadsFactorySettingsSetsAllSixAndSaves)
{
    ASSERT_NO_FATAL_FAILURE(EnterConfigMode());
    TSimParameters previous;
    previous.Msn1 = "1";
    previous.Msn2 = "2";
    previous.Aciomcatab1 = "3";
    Device->SetStored(previous);

    const TRun run = RunTalvctl(With({"--fast", "send", "MsnIncoming1=4711", "MsnIncoming2=", "AutomaticCallMode=1",
                                      "AutomaticCallNumber1=0301234", "AutomaticCallNumber2=-",
                                      "IsdnDChannelProtocol=12"}));
    EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(Device->Stored(), SampleParameters());
    EXPECT_EQ(Device->Received(),
              "defa 1\r"
              "aciomco 1\r"
              "aciomcatab1 0301234\r"
              "aciomcatab2 -\r"
              "isdn 12\r"
              "vmoddi/1.msni 4711\r"
              "vmoddi/2.msni \r"
              "save\r");
    EXPECT_TRUE(Device->InConfigMode());
}

TEST_F(TalvctlDevice, GoLeavesConfigurationMode)
{
    ASSERT_NO_FATAL_FAILURE(EnterConfigMode());

    const TRun run = RunTalvctl(With({"go"}));
    EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk) << run.Err;
    // talvctl has closed the port and returned: what it wrote must still reach the device.
    EXPECT_TRUE(Device->WaitForState(ESimRunning, 10s));
    EXPECT_EQ(Device->Received(), "go\r");
}

// "go" waits for no reply, so only the failed write can tell that the device is gone.
TEST_F(TalvctlDevice, GoOnALineThatWentDownFails)
{
    std::ostringstream out;
    TWatchedStream err;
    TTalvctlRunner runner(out, err);
    int exitCode = -1;
    std::thread run([&] { exitCode = runner.Run(With({"request-config-mode", "go"})); });
    const bool waiting = err.WaitFor(Waiting, 5s);
    Device->Reset();
    // The request now settles for a while without touching the line: time to cut it.
    const bool entered = err.WaitFor(Entered, 8s);
    Device->HangUp();
    run.join();
    ASSERT_TRUE(waiting);
    ASSERT_TRUE(entered);

    EXPECT_EQ(exitCode, TTalvctlRunner::ExitFailure);
    EXPECT_NE(err.Text().find(Entered + "talvctl: Systemfehler. Code: " + std::to_string(EIO) + "."), std::string::npos)
        << err.Text();
}

TEST_F(TalvctlDevice, SilentDeviceTimesOutAfterTheReplyTime)
{
    // A device that was never reset runs and ignores what it is sent.
    struct TCase {
        std::vector<std::string> Options;
        std::string Message;
    };
    const TCase cases[] = {
        {{}, "talvctl: TKovTerminal::ProcessReceived: Timout beim Senden nach 500 msec.\n"},
        {{"--timeout", "1049"}, "talvctl: TKovTerminal::ProcessReceived: Timout beim Senden nach 1000 msec.\n"},
    };
    for (const auto& c : cases) {
        auto arguments = With(c.Options);
        arguments.push_back("receive");
        const TRun run = RunTalvctl(arguments);
        EXPECT_EQ(run.Exit, TTalvctlRunner::ExitFailure);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, c.Message);
    }
}

TEST_F(TalvctlDevice, BusyPortFailsWithAMessageNamingIt)
{
    TslCOMPort holder;
    holder.SetDevicePath(Device->SlavePath());
    holder.Open();

    const TRun run = RunTalvctl(With({"receive"}));
    EXPECT_EQ(run.Exit, TTalvctlRunner::ExitFailure);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err.rfind("talvctl: ", 0), 0u) << run.Err;
    EXPECT_NE(run.Err.find(Device->SlavePath()), std::string::npos) << run.Err;
    EXPECT_EQ(Device->Received(), "");
}

TEST_F(TalvctlDevice, RequestThatGetsNoPromptFailsWithTheReason)
{
    std::ostringstream out;
    TWatchedStream err;
    TTalvctlRunner runner(out, err);
    int exitCode = -1;
    std::thread run([&] { exitCode = runner.Run(With({"request-config-mode", "go"})); });
    // The port drops what came before it was opened: reset once talvctl listens. A silent
    // device still sends its banner but leaves the confirmation unanswered.
    const bool waiting = err.WaitFor(Waiting, 5s);
    Device->SetSilent(true);
    Device->Reset();
    run.join();
    ASSERT_TRUE(waiting);

    const std::string reason = "Das TALV-Gerät hat nicht innerhalb von 500 msec geantwortet.";
    EXPECT_EQ(exitCode, TTalvctlRunner::ExitFailure);
    EXPECT_EQ(err.Text(), Waiting + Confirmed + "Konfigurationsmodus nicht erreicht: " + reason + "\ntalvctl: " +
                              reason + "\n");
    // The request thread wrote the confirmation; "go" was never sent.
    EXPECT_EQ(Device->Received(), std::string(TSimProtocol::Confirmation) + "\r");
}

TEST_F(TalvctlDevice, CancelStopsARequestPromptlyAtEveryStage)
{
    struct TCase {
        const char* Stage;
        bool ResetDevice;
        std::string Shown;  // the status after which the cancel comes
    };
    const TCase cases[] = {
        {"waiting for the start string", false, Waiting},
        {"settling after the confirmation", true, Confirmed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stage);
        if (!MakeDevice({}))
            return;
        std::ostringstream out;
        TWatchedStream err;
        TTalvctlRunner runner(out, err);
        std::promise<int> exitCode;
        std::thread run([&] { exitCode.set_value(runner.Run(With({"request-config-mode", "receive"}))); });
        auto ended = exitCode.get_future();

        const bool waiting = err.WaitFor(Waiting, 5s);
        if (c.ResetDevice)
            Device->Reset();
        const bool shown = err.WaitFor(c.Shown, 5s);
        const auto cancelled = Clock::now();
        runner.Cancel();
        // The request's reads last 500 ms each and its sleep is cut short.
        const bool endedInTime = ended.wait_for(1200ms) == std::future_status::ready;
        if (!endedInTime) {
            // Let a request that ignored the cancel come to its end rather than hang the test.
            Device->Reset();
        }
        run.join();
        ASSERT_TRUE(waiting);
        ASSERT_TRUE(shown);
        EXPECT_TRUE(endedInTime) << "took " << (Clock::now() - cancelled) / 1ms << " ms";
        EXPECT_EQ(ended.get(), TTalvctlRunner::ExitFailure);
        const std::string message = "talvctl: " + TTalvctlRunner::RequestCancelledMessage + "\n";
        EXPECT_EQ(err.Text(), (c.ResetDevice ? Waiting + Confirmed : Waiting) + message);
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(TalvctlDevice, CancelBeforeTheRunTouchesNoDevice)
{
    std::ostringstream out, err;
    TTalvctlRunner runner(out, err);
    runner.Cancel();
    EXPECT_EQ(runner.Run(With({"go"})), TTalvctlRunner::ExitFailure);
    EXPECT_EQ(err.str(), "talvctl: " + TTalvctlRunner::CancelledMessage + "\n");
    EXPECT_EQ(Device->Received(), "");
}
