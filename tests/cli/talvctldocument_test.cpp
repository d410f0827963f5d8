// Protects check and show on plan files: the exact lines, the exit codes, files the open refuses,
// and that neither command nor a refused device command ever opens a port.
#include "cli/talvctlcheckjson.h"
#include "cli/talvctldocument.h"
#include "cli/talvctlinputerror.h"
#include "cli/talvctlrunner.h"
#include "tests/cli/talvctlrun.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <optional>
#include <sstream>

namespace {

const std::string Start = "heading: ---- Start der Prüfungen ----\n";
const std::string Unique = "heading: Check: Eindeutigkeit aller MSNs prüfen.\n";
const std::string Callers = "heading: Check: eine MSN wird von mehreren Rufern angewählt.\n";
const std::string Outside = "heading: Check: MSN liegt ausserhalb des Netzwerks.\n";
const std::string Directions = "heading: Check: beide Stellen sind auf ACCEPT/DIAL eingestellt.\n";
const std::string Protocols = "heading: Check: Standleitung und DSS1 eingestellt.\n";
const std::string End = "heading: ---- Ende der Prüfungen ----\n";
const std::string NoFindings = Start + Unique + Callers + Outside + Directions + Protocols + End;

// A section as the older tool writes it: Windows-1252, CR LF.
std::string Section(const std::string& name, const std::vector<std::string>& lines)
{
    std::string text = "[" + name + "]\r\n";
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::string Device(int n, const std::string& name, const std::string& msn1, const std::string& msn2, int mode,
                   const std::string& number1, const std::string& number2, int protocol = 0)
{
    return Section("Device" + std::to_string(n),
                   {"KOVName=" + name, "MsnIncoming1=" + msn1, "MsnIncoming2=" + msn2,
                    "AutomaticCallMode=" + std::to_string(mode), "AutomaticCallNumber1=" + number1,
                    "AutomaticCallNumber2=" + number2, "IsdnDChannelProtocol=" + std::to_string(protocol)});
}

// LWL1 of "Halle" dials "Büro"; both MSNs of Halle are the same, and Büro's LWL1 dials too and
// calls a number outside the plan.
const std::string FindingsPlan =
    Device(1, "Halle", "301", "301", 1, "401", "-") + Device(2, "B\xfcro", "401", "402", 0, "555", "-");
const std::string FindingsOutput = Start + Unique + "error: Halle.MSN1 ist identisch mit Halle.MSN2.\n" + Callers +
                                   Outside + "warning: Büro.Number 1 (555) liegt ausserhalb des Netzwerks.\n" +
                                   Directions +
                                   "error: Büro.MSN1 und Anrufer Halle.Number1 sind beide auf \"DIAL\" eingestellt.\n" +
                                   Protocols + End;

const std::string CleanPlan = Device(1, "Halle S\xfc" "d", "301", "302", 1, "401", "-") +
                              Device(2, "K\xfchlhaus", "401", "402", 3, "-", "-");

struct TFileCase {
    const char* Name;
    std::optional<std::string> Bytes;  // none: the file does not exist
    int Exit;
    std::string Out;
    std::string Err;  // "%s" stands for the file's path
};

std::string WithPath(std::string text, const std::string& path)
{
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

// Runs each case in a settings world where every COM port leads nowhere: a command that opened
// a port would fail with exit code 1 and a port message.
void RunFileCases(const std::string& command, const std::vector<TFileCase>& cases)
{
    const TScopedSettings settings(NoPortsSettings());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        if (c.Bytes)
            dir.Write("plan.kov", *c.Bytes);
        const TRun run = RunTalvctl({command, dir.File("plan.kov")});
        EXPECT_EQ(run.Exit, c.Exit);
        EXPECT_EQ(run.Out, c.Out);
        EXPECT_EQ(run.Err, WithPath(c.Err, dir.File("plan.kov")));
        if (c.Bytes) {
            EXPECT_EQ(dir.Read("plan.kov"), *c.Bytes) << "check and show change no file";
        }
    }
}

}  // namespace

TEST(TalvctlCheck, PrintsTheCheckLogAndExitsByItsWorstLine)
{
    RunFileCases("check", {
        {"findings", FindingsPlan, TTalvctlRunner::ExitFailure, FindingsOutput, ""},
        {"clean, umlauts in Windows-1252", CleanPlan, TTalvctlRunner::ExitOk, NoFindings, ""},
        {"a warning is no error",
         CleanPlan + Device(3, "Gr\xf6\xdf" "e", "501", "502", 3, "-", "999"), TTalvctlRunner::ExitOk,
         Start + Unique + Callers + Outside + "warning: Größe.Number 2 (999) liegt ausserhalb des Netzwerks.\n" +
             Directions + Protocols + End,
         ""},
        // Only the exact names count: a copy of Device1 under another spelling duplicates nothing.
        {"odd case section names",
         Device(1, "Halle", "301", "302", 3, "-", "-") + Device(1, "Kopie", "301", "302", 3, "-", "-").replace(1, 7, "device2") +
             Device(1, "Kopie", "301", "302", 3, "-", "-").replace(1, 7, "DEVICE3") +
             Device(1, "Kopie", "301", "302", 3, "-", "-").replace(1, 7, "Device01"),
         TTalvctlRunner::ExitOk, NoFindings, ""},
        // The leased line's numbers turn into "-" on opening, so its MSN 301 clashes with nothing.
        {"leased line beside DSS1",
         Device(1, "Halle", "301", "302", 3, "-", "-") + Device(2, "Strecke", "301", "302", 3, "401", "402", 12),
         TTalvctlRunner::ExitOk,
         Start + Unique + Callers + Outside + Directions + Protocols +
             "warning: Halle ist auf \"DSS1\" und Strecke ist auf \"Standleitung\" eingestellt.\n" + End,
         ""},
        {"foreign port", Device(1, "Halle", "301", "302", 3, "-", "-") + "COMPort=9\r\n", TTalvctlRunner::ExitOk,
         NoFindings, "warning: Device1: COMPort 9 liegt ausserhalb von 1 bis 4, COM1 wird verwendet.\n"},
        // Protocol 5 is valid for the device but has no place in the panel: the open refuses it,
        // so the check never starts.
        {"protocol 5", CleanPlan + Device(3, "Funk", "501", "502", 3, "-", "-", 5), TTalvctlRunner::ExitUsage, "",
         "talvctl: TFrameDev::UpdateView: falsches IsdnDChannelProtocol 5\n"},
        {"call mode 7", CleanPlan + Section("Device3", {"AutomaticCallMode=7"}), TTalvctlRunner::ExitUsage, "",
         "talvctl: CheckAutomaticCallMode: unzulässiger Wert 7\n"},
        {"missing file", std::nullopt, TTalvctlRunner::ExitUsage, "", "talvctl: Datei \"%s\" nicht gefunden.\n"},
    });
}

TEST(TalvctlCheck, RangeErrorPrintsTheLinesSoFarThenStops)
{
    TTempDir dir;
    dir.Write("plan.kov", CleanPlan);
    TTalvctlDocument document(dir.File("plan.kov"), TTalvctlDocument::ERefuseMissing);
    // No file gets a protocol like this past the open; a set received from a device does.
    document.Document().Parameters(0).SetIsdnDChannelProtocol(5);
    std::ostringstream out;
    std::string message;
    try {
        document.PrintCheck(out);
    } catch (const ETalvctlInputError& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "TFrmMainWin::ActCheckExecute: falsches IsdnDChannelProtocol 5");
    EXPECT_EQ(out.str(), Start + Unique + Callers + Outside + Directions + Protocols);
}

TEST(TalvctlCheck, JsonFormatGivesEveryLineWithTheDeviceAndFieldItConcerns)
{
    const TScopedSettings settings(NoPortsSettings());
    TTempDir dir;
    dir.Write("plan.kov", FindingsPlan);
    const TRun run = RunTalvctl({"check", dir.File("plan.kov"), "--format", "json"});
    EXPECT_EQ(run.Exit, TTalvctlRunner::ExitFailure);
    EXPECT_EQ(run.Err, "");

    // What FindingsOutput shows, line for line; device 0 and an empty field stand for null.
    struct TLine {
        std::string Kind;
        std::string Text;
        int Device;
        std::string Field;
        bool operator==(const TLine&) const = default;
    };
    std::vector<TLine> expected;
    std::istringstream text(FindingsOutput);
    for (std::string line; std::getline(text, line);) {
        const auto colon = line.find(": ");
        expected.push_back({line.substr(0, colon), line.substr(colon + 2), 0, ""});
    }
    ASSERT_EQ(expected.size(), 10u);
    expected[2].Device = 1;
    expected[2].Field = "MsnIncoming2";
    expected[5].Device = 2;
    expected[5].Field = "AutomaticCallNumber1";
    expected[7].Device = 1;
    expected[7].Field = "AutomaticCallMode";

    std::vector<TLine> lines;
    std::istringstream json(run.Out);
    for (std::string line; std::getline(json, line);) {
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        EXPECT_EQ(object.size(), 4) << line;
        const bool nullDevice = object["device"].isNull();
        const bool nullField = object["field"].isNull();
        EXPECT_EQ(nullDevice, nullField) << line;
        lines.push_back({object["kind"].toString().toStdString(), object["text"].toString().toStdString(),
                         nullDevice ? 0 : object["device"].toInt(-1), object["field"].toString().toStdString()});
    }
    EXPECT_EQ(lines, expected);
}

TEST(TalvctlCheck, JsonEscapesWhatJsonRequiresAndKeepsUtf8)
{
    EXPECT_EQ(JsonQuoted("a\"b\\c\x01\n\x7f\xc3\xbc"), "\"a\\\"b\\\\c\\u0001\\n\x7f\xc3\xbc\"");
    const std::string texts[] = {"", "say \"hi\"", "C:\\plan\\", "line\nbreak\ttab\rend", "\x01\x1f\b\f",
                                 "Größe € \U0001F4DE"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const std::string line = TalvctlCheckJson("info", text, {2, tFindingField::Protocol});
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        EXPECT_EQ(object["text"].toString().toStdString(), text);
        EXPECT_EQ(object["device"].toInt(), 3);
        EXPECT_EQ(object["field"].toString(), "IsdnDChannelProtocol");
    }
}

TEST(TalvctlShow, PrintsEveryShownDeviceWithItsComment)
{
    const std::string cleared =
        "MsnIncoming1=\nMsnIncoming2=\nAutomaticCallMode=3\nAutomaticCallNumber1=\nAutomaticCallNumber2=\n"
        "IsdnDChannelProtocol=0\nCOMPort=1\n";
    RunFileCases("show", {
        // Device3 alone makes three devices; the two before it are cleared. A missing own number
        // reads as "*", the comment keeps the items present below Count in their order.
        {"gaps, missing keys and a sparse comment",
         "; Plan\r\n" +
             Section("Device3", {"KOVName=K\xfchlraum", "MsnIncoming2=302", "AutomaticCallMode=2",
                                 "AutomaticCallNumber2=401", "COMPort=4"}) +
             Section("Device3.Memo", {"Count=3", "Item2=dritte", "Item0=T\xfcr links", "Item3=zu viel"}),
         TTalvctlRunner::ExitOk,
         "[Device1]\nKOVName=<TALV 1>\n" + cleared + "[Device2]\nKOVName=<TALV 2>\n" + cleared +
             "[Device3]\nKOVName=Kühlraum\nMsnIncoming1=*\nMsnIncoming2=302\nAutomaticCallMode=2\n"
             "AutomaticCallNumber1=\nAutomaticCallNumber2=401\nIsdnDChannelProtocol=0\nCOMPort=4\n"
             "Memo: Tür links\nMemo: dritte\n",
         ""},
        // A leased line on LWL2 shows "-" for every number and LWL2 dialling, whatever the file says.
        {"leased line", Device(1, "Strecke", "301", "302", 0, "401", "402", 13), TTalvctlRunner::ExitOk,
         "[Device1]\nKOVName=Strecke\nMsnIncoming1=-\nMsnIncoming2=-\nAutomaticCallMode=2\n"
         "AutomaticCallNumber1=-\nAutomaticCallNumber2=-\nIsdnDChannelProtocol=13\nCOMPort=1\n",
         ""},
        {"foreign port", Section("Device1", {"KOVName=A", "COMPort=0"}), TTalvctlRunner::ExitOk,
         "[Device1]\nKOVName=A\nMsnIncoming1=*\nMsnIncoming2=*\nAutomaticCallMode=3\nAutomaticCallNumber1=\n"
         "AutomaticCallNumber2=\nIsdnDChannelProtocol=0\nCOMPort=1\n",
         "warning: Device1: COMPort 0 liegt ausserhalb von 1 bis 4, COM1 wird verwendet.\n"},
        {"call mode 7", Section("Device1", {"AutomaticCallMode=7"}), TTalvctlRunner::ExitUsage, "",
         "talvctl: CheckAutomaticCallMode: unzulässiger Wert 7\n"},
        {"missing file", std::nullopt, TTalvctlRunner::ExitUsage, "", "talvctl: Datei \"%s\" nicht gefunden.\n"},
    });
}

TEST(TalvctlCheck, ErrorsEndTheRunAndOnlyDeviceCommandsOpenThePort)
{
    const TScopedSettings settings(NoPortsSettings());
    TTempDir dir;
    dir.Write("bad.kov", FindingsPlan);
    dir.Write("good.kov", CleanPlan);
    const std::string good = dir.File("good.kov");
    const std::string showGood = "[Device1]\nKOVName=Halle Süd\nMsnIncoming1=301\nMsnIncoming2=302\n"
                                 "AutomaticCallMode=1\nAutomaticCallNumber1=401\nAutomaticCallNumber2=-\n"
                                 "IsdnDChannelProtocol=0\nCOMPort=1\n"
                                 "[Device2]\nKOVName=Kühlhaus\nMsnIncoming1=401\nMsnIncoming2=402\n"
                                 "AutomaticCallMode=3\nAutomaticCallNumber1=-\nAutomaticCallNumber2=-\n"
                                 "IsdnDChannelProtocol=0\nCOMPort=1\n";
    struct TCase {
        std::vector<std::string> Arguments;
        int Exit;
        std::string Out;
        std::string ErrPart;  // empty: nothing on stderr
    };
    const TCase cases[] = {
        {{"check", good, "show", good}, TTalvctlRunner::ExitOk, NoFindings + showGood, ""},
        {{"check", dir.File("bad.kov"), "show", good}, TTalvctlRunner::ExitFailure, FindingsOutput, ""},
        {{"check", dir.File("bad.kov"), "--format", "text"}, TTalvctlRunner::ExitFailure, FindingsOutput, ""},
        // The settings send COM1 nowhere: check and show alone never notice.
        {{"--port", "COM1", "show", good}, TTalvctlRunner::ExitOk, showGood, ""},
        // With a device command the port is opened before the first command, through the settings.
        {{"--port", "COM3", "check", good, "go"}, TTalvctlRunner::ExitFailure, "", "/nonexistent/talv3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        const TRun run = RunTalvctl(c.Arguments);
        EXPECT_EQ(run.Exit, c.Exit);
        EXPECT_EQ(run.Out, c.Out);
        if (c.ErrPart.empty()) {
            EXPECT_EQ(run.Err, "");
        } else {
            EXPECT_EQ(run.Err.rfind("talvctl: ", 0), 0u) << run.Err;
            EXPECT_NE(run.Err.find(c.ErrPart), std::string::npos) << run.Err;
        }
    }
}

// Every case names a port that does not exist: a run that got as far as opening it would end
// with exit code 1 and a port message instead.
TEST(TalvctlDocumentCommands, BadFilesAreRefusedBeforeThePortIsOpened)
{
    // For "--all", which takes its ports from the file.
    const TScopedSettings settings(NoPortsSettings());
    TTempDir dir;
    dir.Write("one.kov", CleanPlan.substr(0, CleanPlan.find("[Device2]")));
    dir.Write("two.kov", CleanPlan);
    dir.Write("bad.kov", Section("Device1", {"AutomaticCallMode=7"}));
    std::filesystem::create_directory(dir.File("folder.kov"));
    dir.Write("protected.kov", CleanPlan);
    std::filesystem::permissions(dir.File("protected.kov"), std::filesystem::perms(0444));
    // A "#" would cut the device's echo of the command in two.
    const std::string hash =
        Device(1, "A", "301", "302", 3, "-", "-") + Device(2, "B", "401", "402", 1, "30#1", "-") + "COMPort=2\r\n";
    dir.Write("hash.kov", hash);
    dir.Write("locked.kov", hash);
    std::filesystem::permissions(dir.File("locked.kov"), std::filesystem::perms(0444));
    const std::vector<std::string> port = {"--port", "/nonexistent/talv"};
    const auto at = [&](std::vector<std::string> tail) {
        auto arguments = port;
        arguments.insert(arguments.end(), tail.begin(), tail.end());
        return arguments;
    };
    struct TCase {
        std::vector<std::string> Arguments;
        int Exit;
        std::string Err;
    };
    const TCase cases[] = {
        // A mistyped name must not send the cleared device of an empty plan.
        {at({"send", dir.File("nix.kov"), "--device", "1"}), TTalvctlRunner::ExitUsage,
         "talvctl: Datei \"" + dir.File("nix.kov") + "\" nicht gefunden.\n"},
        {at({"send", dir.File("two.kov"), "--device", "3"}), TTalvctlRunner::ExitUsage,
         "talvctl: send: --device 3: Datei \"" + dir.File("two.kov") + "\" enthält nur 2 Geräte\n"},
        {at({"send", dir.File("one.kov"), "--device", "2"}), TTalvctlRunner::ExitUsage,
         "talvctl: send: --device 2: Datei \"" + dir.File("one.kov") + "\" enthält nur 1 Gerät\n"},
        // Also when another device command comes first.
        {at({"request-config-mode", "send", dir.File("two.kov"), "--device", "6"}), TTalvctlRunner::ExitUsage,
         "talvctl: send: --device 6: Datei \"" + dir.File("two.kov") + "\" enthält nur 2 Geräte\n"},
        {at({"receive", "--into", dir.File("bad.kov"), "--device", "1"}), TTalvctlRunner::ExitUsage,
         "talvctl: CheckAutomaticCallMode: unzulässiger Wert 7\n"},
        {at({"receive", "--into", dir.File("folder.kov"), "--device", "1"}), TTalvctlRunner::ExitUsage,
         "talvctl: Datei \"" + dir.File("folder.kov") + "\" kann nicht gelesen werden.\n"},
        {at({"show", dir.File("folder.kov")}), TTalvctlRunner::ExitUsage,
         "talvctl: Datei \"" + dir.File("folder.kov") + "\" kann nicht gelesen werden.\n"},
        // Before the device is asked for values that could not be saved.
        {at({"receive", "--into", dir.File("protected.kov"), "--device", "1"}), TTalvctlRunner::ExitUsage,
         "talvctl: nach " + dir.File("protected.kov") + " kann nicht geschrieben werden\n"},
        {at({"diff", dir.File("nix.kov"), "--device", "1"}), TTalvctlRunner::ExitUsage,
         "talvctl: Datei \"" + dir.File("nix.kov") + "\" nicht gefunden.\n"},
        {at({"diff", dir.File("two.kov"), "--device", "3"}), TTalvctlRunner::ExitUsage,
         "talvctl: diff: --device 3: Datei \"" + dir.File("two.kov") + "\" enthält nur 2 Geräte\n"},
        {at({"diff", dir.File("bad.kov"), "--device", "1"}), TTalvctlRunner::ExitUsage,
         "talvctl: CheckAutomaticCallMode: unzulässiger Wert 7\n"},
        {{"diff", dir.File("two.kov"), "--all"}, TTalvctlRunner::ExitUsage,
         "talvctl: diff: Geräte \"Halle Süd\" (COM1) und \"Kühlhaus\" (COM1) führen beide zu /nonexistent/talv1\n"},
        {at({"send", dir.File("hash.kov"), "--device", "2"}), TTalvctlRunner::ExitUsage,
         "talvctl: send: --device 2: AutomaticCallNumber1: Steuerzeichen und '#' sind nicht erlaubt\n"},
        // A file an earlier receive writes is left to the moment it is read: these get as far
        // as the port.
        {at({"receive", "--into", dir.File("new.kov"), "--device", "2", "send", dir.File("new.kov"), "--device", "2"}),
         TTalvctlRunner::ExitFailure, ""},
        {at({"receive", "--into", dir.File("two.kov"), "--device", "3", "send", dir.File("./two.kov"), "--device",
             "3"}),
         TTalvctlRunner::ExitFailure, ""},
        // "--all": both devices of two.kov are on COM1.
        {{"check", dir.File("hash.kov"), "receive", "--into", dir.File("two.kov"), "--all"}, TTalvctlRunner::ExitUsage,
         "talvctl: receive: Geräte \"Halle Süd\" (COM1) und \"Kühlhaus\" (COM1) führen beide zu "
         "/nonexistent/talv1\n"},
        {{"send", dir.File("hash.kov"), "--all"}, TTalvctlRunner::ExitUsage,
         "talvctl: send: B: AutomaticCallNumber1: Steuerzeichen und '#' sind nicht erlaubt\n"},
        {{"receive", "--into", dir.File("nix.kov"), "--all"}, TTalvctlRunner::ExitUsage,
         "talvctl: Datei \"" + dir.File("nix.kov") + "\" nicht gefunden.\n"},
        {{"receive", "--into", dir.File("locked.kov"), "--all"}, TTalvctlRunner::ExitUsage,
         "talvctl: nach " + dir.File("locked.kov") + " kann nicht geschrieben werden\n"},
        // Neither device can be reached: the file stays as it was.
        {{"receive", "--into", dir.File("hash.kov"), "--all"}, TTalvctlRunner::ExitFailure, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        const TRun run = RunTalvctl(c.Arguments);
        EXPECT_EQ(run.Exit, c.Exit);
        EXPECT_EQ(run.Out, "");
        if (c.Exit == TTalvctlRunner::ExitUsage) {
            EXPECT_EQ(run.Err, c.Err);
        } else {
            EXPECT_NE(run.Err.find("/nonexistent/talv"), std::string::npos) << run.Err;
        }
    }
    EXPECT_FALSE(dir.Exists("new.kov"));
    EXPECT_EQ(dir.Read("two.kov"), CleanPlan);
    EXPECT_EQ(dir.Read("protected.kov"), CleanPlan);
    EXPECT_EQ(dir.Read("bad.kov"), Section("Device1", {"AutomaticCallMode=7"}));
    EXPECT_EQ(dir.Read("hash.kov"), hash);
}
