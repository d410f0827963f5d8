// Protects receive --into and send FILE against a simulated device (skips without a
// pseudo-terminal): what reaches the device, what reaches the file and what stays in it, and
// --port COMn through the settings file. They run with --fast, which puts the same bytes on the
// line in a fraction of the time; the default timing has tests of its own.
#include "cli/talvctlrunner.h"
#include "tests/cli/devicesection.h"
#include "tests/cli/talvctldevice.h"
#include "tests/cli/talvctlrun.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

using namespace std::chrono_literals;

namespace {

TSimParameters Parameters(std::string msn1, std::string msn2, int mode, std::string number1, std::string number2,
                          int isdn)
{
    TSimParameters p;
    p.Msn1 = std::move(msn1);
    p.Msn2 = std::move(msn2);
    p.Aciomco = mode;
    p.Aciomcatab1 = std::move(number1);
    p.Aciomcatab2 = std::move(number2);
    p.Isdn = isdn;
    return p;
}

const TSimParameters Cleared = Parameters("", "", 3, "", "", 0);

// What the older tool wrote: Windows-1252, CR LF, a comment and sections of its own around the
// device sections, a key of its own inside one.
const std::string Head = "; Planung Werk 2\r\n[Allgemein]\r\nProjekt=Nord\r\n\r\n";
const std::string Device1Text =
    "[Device1]\r\nKOVName=Halle S\xfc" "d\r\nMsnIncoming1=301\r\nMsnIncoming2=302\r\nAutomaticCallMode=1\r\n"
    "AutomaticCallNumber1=401\r\nAutomaticCallNumber2=-\r\nIsdnDChannelProtocol=0\r\nCOMPort=2\r\n";
const std::string Device2Text =
    "[Device2]\r\nKOVName=K\xfchlhaus\r\nMsnIncoming1=401\r\nMsnIncoming2=402\r\nAutomaticCallMode=3\r\n"
    "AutomaticCallNumber1=-\r\nAutomaticCallNumber2=-\r\nIsdnDChannelProtocol=0\r\nCOMPort=3\r\nExtra=bleibt\r\n";
const std::string Foreign = "[Zubeh\xf6r]\r\nKabel=5 m\r\n";
const std::string Memos = "[Device1.Memo]\r\nCount=1\r\nItem0=Schaltschrank 3\r\n"
                          "[Device2.Memo]\r\nCount=2\r\nItem0=T\xfcr links\r\nItem1=Keller\r\n";
const std::string Plan = Head + Device1Text + Device2Text + Foreign + Memos;
const TSimParameters PlanDevice1 = Parameters("301", "302", 1, "401", "-", 0);
const TSimParameters PlanDevice2 = Parameters("401", "402", 3, "-", "-", 0);
const TSimParameters PlanDevice3 = Parameters("-", "-", 1, "-", "-", 12);
const std::string Plan3 = Plan + "[Device3]\r\nKOVName=Strecke\r\nMsnIncoming1=501\r\nAutomaticCallMode=3\r\n"
                                 "IsdnDChannelProtocol=12\r\n";

}  // namespace

TEST_F(TalvctlDevice, ReceiveIntoReplacesTheSixValuesOfOneDeviceAndKeepsTheRest)
{
    ASSERT_NO_FATAL_FAILURE(EnterConfigMode());
    const TSimParameters dss1 = Parameters("4711", "", 2, "-", "0301234", 0);
    struct TCase {
        const char* Name;
        std::optional<std::string> Before;
        int DeviceNumber;
        TSimParameters FromDevice;
        TSimParameters Stored;  // what the file holds for the device afterwards
        std::vector<std::map<std::string, std::string>> Devices;
    };
    const TCase cases[] = {
        {"device 2 of 2", Plan, 2, dss1, dss1,
         {DeviceKeys("Halle Süd", PlanDevice1, 2), [&] {
              auto keys = DeviceKeys("Kühlhaus", dss1, 3);
              keys["Extra"] = "bleibt";
              return keys;
          }()}},
        // A leased line: the panel puts "-" in every number and lets LWL1 dial, as it shows it.
        {"leased line into device 1", Plan, 1, Parameters("4711", "4712", 3, "0301", "0302", 12),
         Parameters("-", "-", 1, "-", "-", 12),
         {DeviceKeys("Halle Süd", Parameters("-", "-", 1, "-", "-", 12), 2), [&] {
              auto keys = DeviceKeys("Kühlhaus", PlanDevice2, 3);
              keys["Extra"] = "bleibt";
              return keys;
          }()}},
        // A device beyond the count: the ones between stay cleared under their default names.
        {"new file, device 3", std::nullopt, 3, dss1, dss1,
         {DeviceKeys("<TALV 1>", Cleared, 1), DeviceKeys("<TALV 2>", Cleared, 1), DeviceKeys("<TALV 3>", dss1, 1)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        const std::string file = dir.File("plan.kov");
        if (c.Before)
            dir.Write("plan.kov", *c.Before);
        Device->SetCurrent(c.FromDevice);

        const TRun run = RunTalvctl(With({"--fast", "receive", "--into", file, "--device", std::to_string(c.DeviceNumber)}));
        EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk) << run.Err;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, "");
        for (size_t n = 1; n <= 6; ++n) {
            const std::string section = "Device" + std::to_string(n);
            const auto expected = n <= c.Devices.size() ? c.Devices[n - 1] : std::map<std::string, std::string>();
            EXPECT_EQ(Keys(file, section), expected) << section;
        }
        const std::string after = dir.Read("plan.kov");
        if (c.Before) {
            EXPECT_EQ(after.substr(0, Head.size()), Head);
            EXPECT_NE(after.find(Foreign), std::string::npos) << after;
            // The save rewrites the comments: same lines, moved to the end of the file.
            EXPECT_EQ(Keys(file, "Device1.Memo"),
                      (std::map<std::string, std::string>{{"Count", "1"}, {"Item0", "Schaltschrank 3"}}));
            EXPECT_EQ(Keys(file, "Device2.Memo"),
                      (std::map<std::string, std::string>{{"Count", "2"}, {"Item0", "Tür links"}, {"Item1", "Keller"}}));
            if (c.DeviceNumber != 1) {
                EXPECT_NE(after.find(Device1Text), std::string::npos) << after;
            }
        }
        // The device was only read.
        EXPECT_EQ(Device->Current(), c.FromDevice);
        EXPECT_EQ(Device->CommandLines(), (std::vector<std::string>{"aciomco", "aciomcatab1", "aciomcatab2", "isdn",
                                                                    "vmoddi/1.msni", "vmoddi/2.msni"}));
        Device->ClearReceived();
    }
}

TEST_F(TalvctlDevice, ReceiveIntoThatFailsWritesNothing)
{
    // The device was never reset: it runs and ignores what it is sent.
    TTempDir dir;
    dir.Write("plan.kov", Plan);
    for (const std::string name : {"plan.kov", "new.kov"}) {
        SCOPED_TRACE(name);
        const TRun run = RunTalvctl(With({"receive", "--into", dir.File(name), "--device", "2"}));
        EXPECT_EQ(run.Exit, TTalvctlRunner::ExitFailure);
        EXPECT_EQ(run.Err, "talvctl: TKovTerminal::ProcessReceived: Timout beim Senden nach 500 msec.\n");
    }
    EXPECT_EQ(dir.Read("plan.kov"), Plan);
    EXPECT_FALSE(dir.Exists("new.kov"));
}

TEST_F(TalvctlDevice, SendDocumentSendsTheDeviceAsTheDesktopProgramDoes)
{
    ASSERT_NO_FATAL_FAILURE(EnterConfigMode());
    TTempDir dir;
    dir.Write("plan.kov", Plan3);
    struct TCase {
        int DeviceNumber;
        TSimParameters Sent;
        std::string Lines;
    };
    const TCase cases[] = {
        {2, PlanDevice2, "aciomco 3\raciomcatab1 -\raciomcatab2 -\risdn 0\rvmoddi/1.msni 401\rvmoddi/2.msni 402\r"},
        // The leased line goes out as the panel shows it, not as the file spells it.
        {3, PlanDevice3, "aciomco 1\raciomcatab1 -\raciomcatab2 -\risdn 12\rvmoddi/1.msni -\rvmoddi/2.msni -\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.DeviceNumber);
        Device->SetStored(Parameters("9", "9", 0, "9", "9", 0));
        const TRun run = RunTalvctl(With({"--fast", "send", dir.File("plan.kov"), "--device", std::to_string(c.DeviceNumber)}));
        EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk) << run.Err;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, "");
        EXPECT_EQ(Device->Received(), "defa 1\r" + c.Lines + "save\r");
        EXPECT_EQ(Device->Stored(), c.Sent);
        EXPECT_TRUE(Device->InConfigMode());
        Device->ClearReceived();
    }
    EXPECT_EQ(dir.Read("plan.kov"), Plan3);
}

// The file the receive creates is the one the send then reads, in the same call.
TEST_F(TalvctlDevice, ReceiveIntoThenSendTheSameFileInOneCall)
{
    ASSERT_NO_FATAL_FAILURE(EnterConfigMode());
    const TSimParameters p = Parameters("4711", "4712", 0, "301", "302", 0);
    Device->SetCurrent(p);
    Device->SetStored(TSimParameters::Factory());
    TTempDir dir;
    const std::string file = dir.File("new.kov");

    const TRun run = RunTalvctl(With({"--fast", "receive", "--into", file, "--device", "2", "send", file, "--device", "2"}));
    EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk) << run.Err;
    EXPECT_EQ(Device->Stored(), p);
    EXPECT_EQ(Keys(file, "Device2"), DeviceKeys("<TALV 2>", p, 1));
}

TEST_F(TalvctlDevice, PortCOMnLeadsWhereTheSettingsFileSays)
{
    TSimDeviceOptions options;
    options.AutoResetPeriod = 700ms;
    if (!MakeDevice(options))
        return;
    const TSimParameters p = Parameters("4711", "", 1, "0301234", "-", 0);
    Device->SetStored(p);
    TTempDir dir;
    const std::string file = dir.File("plan.kov");
    struct TCase {
        const char* Name;
        std::string Settings;
        std::vector<std::string> Arguments;
    };
    const TCase cases[] = {
        {"COM2 mapped", "[Ports]\r\nCOM1=/nonexistent/talv1\r\nCOM2=" + Device->SlavePath() + "\r\n",
         {"--fast", "--port", "com2", "request-config-mode", "receive", "--into", file, "--device", "1"}},
        {"a path bypasses the settings", "[Ports]\r\nCOM1=/nonexistent/talv1\r\n",
         {"--fast", "--port", Device->SlavePath(), "receive", "--into", file, "--device", "1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TScopedSettings settings(c.Settings);
        std::remove(file.c_str());
        const TRun run = RunTalvctl(c.Arguments);
        EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk) << run.Err;
        EXPECT_EQ(Keys(file, "Device1"), DeviceKeys("<TALV 1>", p, 1));
        EXPECT_EQ(settings.Text(), c.Settings) << "talvctl never writes the settings file";
    }
}
