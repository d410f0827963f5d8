// Protects diff FILE --device N against a simulated device (skips without a pseudo-terminal): the
// lines for the values that differ, its exit codes, and that neither the file nor the device
// changes.
#include "cli/talvctlrunner.h"
#include "tests/cli/talvctldevice.h"
#include "tests/cli/talvctlrun.h"

#include <gtest/gtest.h>

namespace {

const std::string Plan =
    "[Device1]\r\nKOVName=Halle\r\nMsnIncoming1=301\r\nMsnIncoming2=302\r\nAutomaticCallMode=1\r\n"
    "AutomaticCallNumber1=401\r\nAutomaticCallNumber2=-\r\nIsdnDChannelProtocol=0\r\n";
const TSimParameters Halle = {"301", "302", 1, "401", "-", 0};

const std::string Timeout = "TKovTerminal::ProcessReceived: Timout beim Senden nach 500 msec.";

}  // namespace

TEST_F(TalvctlDevice, DiffPrintsTheValuesThatDifferAndExitsByThem)
{
    ASSERT_NO_FATAL_FAILURE(EnterConfigMode());
    TTempDir dir;
    dir.Write("plan.kov", Plan);
    struct TCase {
        const char* Name;
        TSimParameters OnDevice;
        int Exit;
        std::string Out;
    };
    const TCase cases[] = {
        {"as planned", Halle, TTalvctlRunner::ExitOk, ""},
        {"two values differ", {"301", "", 2, "401", "-", 0}, TTalvctlRunner::ExitDiffers,
         "MsnIncoming2: plan=302 device=\nAutomaticCallMode: plan=1 device=2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Device->SetCurrent(c.OnDevice);
        const TRun run = RunTalvctl(With({"--fast", "diff", dir.File("plan.kov"), "--device", "1"}));
        EXPECT_EQ(run.Exit, c.Exit) << run.Err;
        EXPECT_EQ(run.Out, c.Out);
        EXPECT_EQ(run.Err, "");
        EXPECT_EQ(Device->CommandLines(), (std::vector<std::string>{"aciomco", "aciomcatab1", "aciomcatab2", "isdn",
                                                                    "vmoddi/1.msni", "vmoddi/2.msni"}));
        EXPECT_EQ(Device->Current(), c.OnDevice);
        Device->ClearReceived();
    }
    EXPECT_EQ(dir.Read("plan.kov"), Plan);
}

TEST_F(TalvctlDevice, DiffThatCannotAskTheDeviceExitsWithThree)
{
    // The device was never reset: it runs and ignores what it is sent.
    TTempDir dir;
    dir.Write("plan.kov", Plan);
    const std::string file = dir.File("plan.kov");
    const TScopedSettings settings(NoPortsSettings());
    struct TCase {
        std::vector<std::string> Arguments;
        int Exit;
        std::string ErrPart;
    };
    const TCase cases[] = {
        {With({"diff", file, "--device", "1"}), TTalvctlRunner::ExitDiffFailure, "talvctl: " + Timeout + "\n"},
        {{"--port", "/nonexistent/talv", "diff", file, "--device", "1"}, TTalvctlRunner::ExitDiffFailure,
         "/nonexistent/talv"},
        {{"--port", "COM2", "diff", file, "--device", "1"}, TTalvctlRunner::ExitDiffFailure, "/nonexistent/talv2"},
        // The port fails the request, the first command that needs it, which keeps its own code.
        {{"--port", "/nonexistent/talv", "request-config-mode", "diff", file, "--device", "1"},
         TTalvctlRunner::ExitFailure, "/nonexistent/talv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        const TRun run = RunTalvctl(c.Arguments);
        EXPECT_EQ(run.Exit, c.Exit);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err.rfind("talvctl: ", 0), 0u) << run.Err;
        EXPECT_NE(run.Err.find(c.ErrPart), std::string::npos) << run.Err;
    }
    EXPECT_EQ(dir.Read("plan.kov"), Plan);
}
