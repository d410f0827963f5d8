// Protects talvctl's command line, and that every usage error exits with 2 before a port or a file is opened.
#include "cli/talvctloptions.h"
#include "cli/talvctlrunner.h"
#include "tests/cli/talvctlrun.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The six assignments of a valid "send", each of which a case below spoils on its own.
std::vector<std::string> ValidAssignments()
{
    return {"MsnIncoming1=4711", "MsnIncoming2=", "AutomaticCallMode=1",
            "AutomaticCallNumber1=0301234", "AutomaticCallNumber2=-", "IsdnDChannelProtocol=12"};
}

std::vector<std::string> Join(std::vector<std::string> head, const std::vector<std::string>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::vector<std::string> Replaced(size_t index, const std::string& assignment)
{
    auto assignments = ValidAssignments();
    assignments[index] = assignment;
    return assignments;
}

std::vector<std::string> Without(size_t index)
{
    auto assignments = ValidAssignments();
    assignments.erase(assignments.begin() + static_cast<std::ptrdiff_t>(index));
    return assignments;
}

std::vector<tTalvctlCommand> Kinds(const TTalvctlOptions& options)
{
    std::vector<tTalvctlCommand> kinds;
    for (const auto& command : options.Commands)
        kinds.push_back(command.Kind);
    return kinds;
}

}  // namespace

TEST(TalvctlOptions, ReadsPortTimeOutFastLogAndCommands)
{
    struct TCase {
        std::vector<std::string> Arguments;
        tCOMPorts COMPort;
        std::string DevicePath;
        int TimeOutMs;
        bool Log;
        std::vector<tTalvctlCommand> Commands;
        bool Fast = false;
    };
    const TCase cases[] = {
        {{"receive"}, COM1, "", 500, false, {ETalvctlReceive}},
        {{"--port", "com3", "go"}, COM3, "", 500, false, {ETalvctlGo}},
        {{"--port=COM4", "go"}, COM4, "", 500, false, {ETalvctlGo}},
        {{"--port", "Com2", "go"}, COM2, "", 500, false, {ETalvctlGo}},
        {{"--port", "/dev/pts/7", "receive"}, COM1, "/dev/pts/7", 500, false, {ETalvctlReceive}},
        // Only COM1..COM4 name ports; any other text is a device path.
        {{"--port", "COM5", "receive"}, COM1, "COM5", 500, false, {ETalvctlReceive}},
        {{"--port", "/dev/pts/7", "--port", "COM2", "go"}, COM2, "", 500, false, {ETalvctlGo}},
        {{"--timeout", "1500", "--log", "request-config-mode", "receive", "go"}, COM1, "", 1500, true,
         {ETalvctlRequestConfigMode, ETalvctlReceive, ETalvctlGo}},
        {{"--timeout=-3", "go"}, COM1, "", -3, false, {ETalvctlGo}},
        {{"--fast", "--timeout", "900", "receive"}, COM1, "", 900, false, {ETalvctlReceive}, true},
        {Join(Join({"send"}, ValidAssignments()), {"go", "receive"}), COM1, "", 500, false,
         {ETalvctlSend, ETalvctlGo, ETalvctlReceive}},
        {Join(Join({"send"}, ValidAssignments()), Join({"send"}, ValidAssignments())), COM1, "", 500, false,
         {ETalvctlSend, ETalvctlSend}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        const auto options = TTalvctlOptions::Parse(c.Arguments);
        EXPECT_EQ(options.COMPort, c.COMPort);
        EXPECT_EQ(options.DevicePath, c.DevicePath);
        EXPECT_EQ(options.TimeOutMs, c.TimeOutMs);
        EXPECT_EQ(options.Log, c.Log);
        EXPECT_EQ(options.Fast, c.Fast);
        EXPECT_FALSE(options.Help);
        EXPECT_EQ(Kinds(options), c.Commands);
    }
}

TEST(TalvctlOptions, DocumentCommandsTakeTheirFileAndDevice)
{
    struct TExpected {
        tTalvctlCommand Kind;
        std::string FileName;
        int Device;
        bool All = false;
    };
    struct TCase {
        std::vector<std::string> Arguments;
        std::vector<TExpected> Commands;
        bool NeedsDevice;
    };
    const TCase cases[] = {
        {{"check", "plan.kov"}, {{ETalvctlCheck, "plan.kov", 0}}, false},
        {{"show", "a.kov", "check", "b.kov"}, {{ETalvctlShow, "a.kov", 0}, {ETalvctlCheck, "b.kov", 0}}, false},
        // A lone "-" is a name, not an option.
        {{"check", "-"}, {{ETalvctlCheck, "-", 0}}, false},
        {{"receive", "--into", "p.kov", "--device", "3"}, {{ETalvctlReceiveInto, "p.kov", 3}}, true},
        {{"receive", "--device=6", "--into=p.kov"}, {{ETalvctlReceiveInto, "p.kov", 6}}, true},
        {{"send", "p.kov", "--device", "1"}, {{ETalvctlSendDocument, "p.kov", 1}}, true},
        // Any word after "send" without "=" names a file, a command's name too.
        {{"send", "go", "--device", "2", "go"}, {{ETalvctlSendDocument, "go", 2}, {ETalvctlGo, "", 0}}, true},
        {{"check", "p.kov", "send", "p.kov", "--device=4"},
         {{ETalvctlCheck, "p.kov", 0}, {ETalvctlSendDocument, "p.kov", 4}}, true},
        {{"diff", "p.kov", "--device", "5"}, {{ETalvctlDiff, "p.kov", 5}}, true},
        {{"check", "p.kov", "--format=JSON", "diff", "p.kov", "--all"},
         {{ETalvctlCheck, "p.kov", 0}, {ETalvctlDiff, "p.kov", 0, true}}, true},
        {{"receive", "--all", "--into", "p.kov", "check", "p.kov", "send", "p.kov", "--all"},
         {{ETalvctlReceiveInto, "p.kov", 0, true},
          {ETalvctlCheck, "p.kov", 0},
          {ETalvctlSendDocument, "p.kov", 0, true}},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        const auto options = TTalvctlOptions::Parse(c.Arguments);
        ASSERT_EQ(options.Commands.size(), c.Commands.size());
        for (size_t i = 0; i < c.Commands.size(); ++i) {
            EXPECT_EQ(options.Commands[i].Kind, c.Commands[i].Kind) << i;
            EXPECT_EQ(options.Commands[i].FileName, c.Commands[i].FileName) << i;
            EXPECT_EQ(options.Commands[i].Device, c.Commands[i].Device) << i;
            EXPECT_EQ(options.Commands[i].AllDevices, c.Commands[i].All) << i;
        }
        EXPECT_EQ(options.NeedsDevice(), c.NeedsDevice);
    }
}

TEST(TalvctlOptions, SendTakesItsAssignmentsInAnyOrder)
{
    const auto options = TTalvctlOptions::Parse(
        {"send", "IsdnDChannelProtocol=12", "AutomaticCallNumber2=-", "MsnIncoming2=",
         "AutomaticCallNumber1=030=1234", "AutomaticCallMode=2", "MsnIncoming1=47 11", "go"});
    ASSERT_EQ(Kinds(options), (std::vector<tTalvctlCommand>{ETalvctlSend, ETalvctlGo}));
    const TTalvctlParameters& p = options.Commands[0].Parameters;
    EXPECT_EQ(p.MsnIncoming[0], "47 11");
    EXPECT_EQ(p.MsnIncoming[1], "");
    EXPECT_EQ(p.AutomaticCallMode, EAciomcoB2);
    // Split at the first "=": the rest, further "=" included, is the value.
    EXPECT_EQ(p.AutomaticCallNumber[0], "030=1234");
    EXPECT_EQ(p.AutomaticCallNumber[1], "-");
    EXPECT_EQ(p.IsdnDChannelProtocol, 12);
}

TEST(TalvctlOptions, HelpPrintsUsageToStdoutAndEndsParsing)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--help"}, {"--port", "/nonexistent/talv", "--help", "bogus", "--bogus"}}) {
        std::ostringstream out, err;
        TTalvctlRunner runner(out, err);
        EXPECT_EQ(runner.Run(arguments), TTalvctlRunner::ExitOk);
        EXPECT_EQ(out.str(), TTalvctlOptions::Usage());
        EXPECT_EQ(err.str(), "");
    }
}

// Every case names a port that does not exist, and COM1..COM4 lead nowhere: had talvctl tried to
// open a port, the exit code would be 1, so exit code 2 also shows that the error was found
// before a port was touched.
TEST(TalvctlOptions, UsageErrorsExitWithTwoBeforeOpeningThePort)
{
    const TScopedSettings settings(NoPortsSettings());
    const std::vector<std::string> port = {"--port", "/nonexistent/talv"};
    const std::string allAndPort =
        "Option '--port' geht nicht zusammen mit '--all': die Ports der Geräte stehen in der Datei";
    const auto allAndCommand = [](const std::string& command) {
        return "Kommando '" + command + "' geht nicht zusammen mit '--all': es spricht nur das Gerät an einem Port an";
    };
    struct TCase {
        std::vector<std::string> Arguments;
        std::string Message;
    };
    const TCase cases[] = {
        {{}, "kein Kommando angegeben"},
        {port, "kein Kommando angegeben"},
        {Join(port, {"--log"}), "kein Kommando angegeben"},
        {{"--port"}, "Option '--port' erwartet einen Wert"},
        {{"--port="}, "Option '--port': leerer Wert"},
        {Join(port, {"--timeout"}), "Option '--timeout' erwartet einen Wert"},
        {Join(port, {"--timeout", "abc", "receive"}), "Option '--timeout': 'abc' ist kein gültiger Integerwert"},
        {Join(port, {"--timeout", "1.5", "receive"}), "Option '--timeout': '1.5' ist kein gültiger Integerwert"},
        {Join(port, {"--timeout=", "receive"}), "Option '--timeout': '' ist kein gültiger Integerwert"},
        {Join(port, {"--verbose", "receive"}), "unbekannte Option '--verbose'"},
        {Join(port, {"-p", "receive"}), "unbekannte Option '-p'"},
        {Join(port, {"--log=yes", "receive"}), "Option '--log' erwartet keinen Wert"},
        {Join(port, {"--fast=1", "receive"}), "Option '--fast' erwartet keinen Wert"},
        {Join(port, {"receive", "--log"}), "Option '--log' muss vor den Kommandos stehen"},
        {Join(port, {"fetch"}), "unbekanntes Kommando 'fetch'"},
        {Join(port, {"receive", "Receive"}), "unbekanntes Kommando 'Receive'"},
        // A later error stops the whole call, also the valid commands before it.
        {Join(port, {"go", "receive", "fetch"}), "unbekanntes Kommando 'fetch'"},
        {Join(port, {"send"}),
         "send: Parameter fehlt: MsnIncoming1, MsnIncoming2, AutomaticCallMode, AutomaticCallNumber1, "
         "AutomaticCallNumber2, IsdnDChannelProtocol"},
        {Join(port, Join({"send"}, Without(5))), "send: Parameter fehlt: IsdnDChannelProtocol"},
        {Join(port, Join({"send"}, Without(0))), "send: Parameter fehlt: MsnIncoming1"},
        // The assignments end at the first argument without "=": what follows is a command.
        {Join(port, Join(Join({"send"}, Without(3)), {"AutomaticCallNumber1"})),
         "send: Parameter fehlt: AutomaticCallNumber1"},
        {Join(port, Join(Join({"send"}, ValidAssignments()), {"MsnIncoming1=5"})),
         "send: Parameter 'MsnIncoming1' mehrfach angegeben"},
        {Join(port, Join(Join({"send"}, ValidAssignments()), {"Msn3=1"})), "send: unbekannter Parameter 'Msn3'"},
        {Join(port, Join({"send"}, Replaced(0, "msnincoming1=1"))), "send: unbekannter Parameter 'msnincoming1'"},
        {Join(port, Join({"send"}, Replaced(0, "=1"))), "send: unbekannter Parameter ''"},
        {Join(port, Join({"send"}, Replaced(2, "AutomaticCallMode=x"))),
         "send: AutomaticCallMode: 'x' ist kein gültiger Integerwert"},
        {Join(port, Join({"send"}, Replaced(2, "AutomaticCallMode="))),
         "send: AutomaticCallMode: '' ist kein gültiger Integerwert"},
        {Join(port, Join({"send"}, Replaced(2, "AutomaticCallMode=7"))),
         "send: AutomaticCallMode: CheckAutomaticCallMode: unzulässiger Wert 7"},
        {Join(port, Join({"send"}, Replaced(2, "AutomaticCallMode=4"))),
         "send: AutomaticCallMode: CheckAutomaticCallMode: unzulässiger Wert 4"},
        {Join(port, Join({"send"}, Replaced(2, "AutomaticCallMode=-1"))),
         "send: AutomaticCallMode: CheckAutomaticCallMode: unzulässiger Wert -1"},
        {Join(port, Join({"send"}, Replaced(5, "IsdnDChannelProtocol=2"))),
         "send: IsdnDChannelProtocol: CheckIsdnDChannelProtocol: unzulässiger Wert 2"},
        {Join(port, Join({"send"}, Replaced(5, "IsdnDChannelProtocol=15"))),
         "send: IsdnDChannelProtocol: CheckIsdnDChannelProtocol: unzulässiger Wert 15"},
        {Join(port, Join({"send"}, Replaced(5, "IsdnDChannelProtocol=DSS1"))),
         "send: IsdnDChannelProtocol: 'DSS1' ist kein gültiger Integerwert"},
        {Join(port, Join({"send"}, Replaced(0, "MsnIncoming1=47\r11"))),
         "send: MsnIncoming1: Steuerzeichen und '#' sind nicht erlaubt"},
        {Join(port, Join({"send"}, Replaced(4, "AutomaticCallNumber2=12#"))),
         "send: AutomaticCallNumber2: Steuerzeichen und '#' sind nicht erlaubt"},
        {Join(port, Join(Join(Join({"send"}, ValidAssignments()), {"go", "send"}), Replaced(2, "AutomaticCallMode=9"))),
         "send: AutomaticCallMode: CheckAutomaticCallMode: unzulässiger Wert 9"},
        // The document commands: the files named do not exist either, so a message about a
        // file would show that talvctl went on to open it.
        {Join(port, {"check"}), "check: Dateiname fehlt"},
        {Join(port, {"show", "--device", "2"}), "show: Dateiname fehlt"},
        {Join(port, {"send", "--device", "2", "a.kov"}), "send: Dateiname fehlt"},
        {Join(port, {"check", "a.kov", "--device", "2"}), "check: Option '--device' ist hier nicht erlaubt"},
        {Join(port, {"go", "--into", "a.kov"}), "go: Option '--into' ist hier nicht erlaubt"},
        {Join(port, {"receive", "--into", "a.kov"}), "receive: Option '--into' ohne '--device' oder '--all'"},
        {Join(port, {"receive", "--device", "2"}), "receive: Option '--device' ohne '--into'"},
        {Join(port, {"receive", "--into", "a.kov", "--device"}), "receive: Option '--device' erwartet einen Wert"},
        {Join(port, {"receive", "--into=", "--device", "2"}), "receive: Option '--into': leerer Wert"},
        {Join(port, {"receive", "--into", "a.kov", "--into", "b.kov", "--device", "1"}),
         "receive: Option '--into' mehrfach angegeben"},
        {Join(port, {"receive", "--into", "a.kov", "--device", "0"}),
         "receive: Option '--device': 0 liegt nicht im Bereich 1..6"},
        {Join(port, {"send", "a.kov"}), "send: Option '--device' oder '--all' fehlt"},
        {Join(port, {"send", "a.kov", "--device", "7"}), "send: Option '--device': 7 liegt nicht im Bereich 1..6"},
        {Join(port, {"send", "a.kov", "--device", "x"}), "send: Option '--device': 'x' ist kein gültiger Integerwert"},
        {Join(port, {"send", "a.kov", "--device", "1", "--device", "1"}), "send: Option '--device' mehrfach angegeben"},
        {Join(port, {"send", "a.kov", "--device", "2", "--into", "b.kov"}),
         "send: Option '--into' ist hier nicht erlaubt"},
        {Join(port, Join(Join({"send"}, ValidAssignments()), {"--device", "2"})),
         "send: Option '--device' ist hier nicht erlaubt"},
        {Join(port, {"send", "a.kov", "--device", "2", "--log"}), "Option '--log' muss vor den Kommandos stehen"},
        {Join(port, {"check", "a.kov", "receive", "--into", "a.kov"}),
         "receive: Option '--into' ohne '--device' oder '--all'"},
        // "--all" takes every device's port from the file.
        {{"receive", "--into", "a.kov", "--all", "--device", "1"},
         "receive: Optionen '--device' und '--all' schließen einander aus"},
        {{"send", "a.kov", "--device=2", "--all"}, "send: Optionen '--device' und '--all' schließen einander aus"},
        {{"receive", "--all"}, "receive: Option '--all' ohne '--into'"},
        {{"go", "--all"}, "go: Option '--all' ist hier nicht erlaubt"},
        {{"check", "a.kov", "--all"}, "check: Option '--all' ist hier nicht erlaubt"},
        {{"send", "a.kov", "--all=yes"}, "send: Option '--all' erwartet keinen Wert"},
        {{"send", "a.kov", "--all", "--all"}, "send: Option '--all' mehrfach angegeben"},
        {{"--all", "send", "a.kov"}, "unbekannte Option '--all'"},
        {Join(port, {"send", "a.kov", "--all"}), allAndPort},
        {{"--port", "COM2", "check", "a.kov", "receive", "--into", "a.kov", "--all"}, allAndPort},
        {{"request-config-mode", "send", "a.kov", "--all"}, allAndCommand("request-config-mode")},
        {{"send", "a.kov", "--all", "go"}, allAndCommand("go")},
        {{"receive", "--into", "a.kov", "--all", "receive"}, allAndCommand("receive")},
        {{"receive", "--into", "a.kov", "--all", "send", "a.kov", "--device", "1"}, allAndCommand("send")},
        {Join(port, {"diff"}), "diff: Dateiname fehlt"},
        {Join(port, {"diff", "a.kov"}), "diff: Option '--device' oder '--all' fehlt"},
        {Join(port, {"diff", "a.kov", "--device", "7"}), "diff: Option '--device': 7 liegt nicht im Bereich 1..6"},
        {Join(port, {"diff", "a.kov", "--device", "1", "--into", "b.kov"}), "diff: Option '--into' ist hier nicht erlaubt"},
        {{"diff", "a.kov", "--all", "--device", "1"}, "diff: Optionen '--device' und '--all' schließen einander aus"},
        {Join(port, {"diff", "a.kov", "--all"}), allAndPort},
        {{"diff", "a.kov", "--all", "diff", "a.kov", "--device", "1"}, allAndCommand("diff")},
        {{"check", "a.kov", "--format", "xml"}, "check: Option '--format': 'xml' ist kein Format (text, json)"},
        {{"check", "a.kov", "--format"}, "check: Option '--format' erwartet einen Wert"},
        {{"check", "a.kov", "--format", "json", "--format=text"}, "check: Option '--format' mehrfach angegeben"},
        {{"show", "a.kov", "--format", "json"}, "show: Option '--format' ist hier nicht erlaubt"},
        {Join(port, {"diff", "a.kov", "--device", "1", "--format", "json"}),
         "diff: Option '--format' ist hier nicht erlaubt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        std::ostringstream out, err;
        TTalvctlRunner runner(out, err);
        EXPECT_EQ(runner.Run(c.Arguments), TTalvctlRunner::ExitUsage);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().rfind("talvctl: " + c.Message + "\n", 0), 0u) << err.str();
        EXPECT_NE(err.str().find(TTalvctlOptions::Usage()), std::string::npos);
    }
}
