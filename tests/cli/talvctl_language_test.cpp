// Protects talvctl's language: "--lang", the desktop program's setting beside talvctl, and English usage, errors and check findings.
#include "cli/talvctllanguage.h"
#include "cli/talvctlrunner.h"
#include "cli/talvctltext.h"
#include "platform/datafolders.h"
#include "platform/languagesetting.h"
#include "platform/resstrings.h"
#include "tests/cli/talvctlrun.h"
#include "tests/scopedenv.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TRun RunIn(const std::string& language, const std::vector<std::string>& arguments)
{
    std::ostringstream out, err;
    TTalvctlRunner runner(out, err, language);
    TRun run;
    run.Exit = runner.Run(arguments);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

// Halle's two MSNs are the same: one error.
const std::string Plan = "[Device1]\r\nKOVName=Halle\r\nMsnIncoming1=301\r\nMsnIncoming2=301\r\n"
                         "AutomaticCallMode=3\r\nAutomaticCallNumber1=-\r\nAutomaticCallNumber2=-\r\n"
                         "IsdnDChannelProtocol=0\r\n";

}  // namespace

TEST(TalvctlLanguage, LangOptionAndDefaultChooseTheTexts)
{
    struct TCase {
        const char* Default;
        std::vector<std::string> Options;
        const char* UsageStart;
    };
    const TCase cases[] = {
        {"DE", {}, "Aufruf: talvctl"},
        {"EN", {}, "Usage: talvctl"},
        {"DE", {"--lang", "en"}, "Usage: talvctl"},
        {"DE", {"--lang=EN"}, "Usage: talvctl"},
        {"EN", {"--lang", "de"}, "Aufruf: talvctl"},
        {"DE", {"--lang", "en", "--lang", "de"}, "Aufruf: talvctl"},
        {"DE", {"--port", "COM2", "--timeout=900", "--lang", "en", "--log"}, "Usage: talvctl"},
        {"DE", {"--port", "--lang", "--lang", "en"}, "Usage: talvctl"},
        {"DE", {"--help", "--lang", "en"}, "Usage: talvctl"},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> arguments = c.Options;
        arguments.push_back("--help");
        SCOPED_TRACE(c.Default + std::string(" ") + ::testing::PrintToString(arguments));
        const TRun run = RunIn(c.Default, arguments);
        EXPECT_EQ(run.Exit, TTalvctlRunner::ExitOk);
        EXPECT_EQ(run.Out.rfind(c.UsageStart, 0), 0u) << run.Out.substr(0, 40);
    }
}

TEST(TalvctlLanguage, EnglishErrorsAndFindingsAndGermanAgainAfterTheRun)
{
    const TScopedSettings settings(NoPortsSettings());
    TTempDir dir;
    dir.Write("plan.kov", Plan);
    dir.Write("two.kov", "[Device1]\r\nKOVName=A\r\n[Device2]\r\nKOVName=B\r\nCOMPort=2\r\n");
    const struct {
        std::vector<std::string> Arguments;
        int Exit;
        std::string OutContains;
        std::string ErrStart;
        std::string ErrContains = "";
    } cases[] = {
        {{"--lang", "en", "frobnicate"}, TTalvctlRunner::ExitUsage, "", "talvctl: unknown command 'frobnicate'\n\nUsage:"},
        {{"--lang", "en"}, TTalvctlRunner::ExitUsage, "", "talvctl: no command given\n\nUsage:"},
        {{"--lang", "en", "check", dir.File("none.kov")}, TTalvctlRunner::ExitUsage, "",
         "talvctl: File \"" + dir.File("none.kov") + "\" not found.\n"},
        {{"--lang", "en", "check", dir.File("plan.kov")}, TTalvctlRunner::ExitFailure,
         "error: Halle.MSN1 is identical to Halle.MSN2.\n", ""},
        {{"--lang", "en", "show", dir.File("plan.kov"), "--device", "1"}, TTalvctlRunner::ExitUsage, "",
         "talvctl: show: option '--device' is not allowed here\n"},
        {{"--lang", "en", "send", dir.File("plan.kov"), "--all", "--device", "1"}, TTalvctlRunner::ExitUsage, "",
         "talvctl: send: options '--device' and '--all' exclude each other\n"},
        {{"--lang", "en", "receive", "--into", dir.File("two.kov"), "--all"}, TTalvctlRunner::ExitFailure, "",
         "A: Cannot open COM1 (/nonexistent/talv1)",
         "\ntalvctl: 0 of 2 devices: parameters received; A: Cannot open COM1 (/nonexistent/talv1): No such file or "
         "device.; B: Cannot open COM2 (/nonexistent/talv2): No such file or device.\n"},
        {{"--lang", "fr", "check"}, TTalvctlRunner::ExitUsage, "",
         "talvctl: Option '--lang': 'fr' ist keine Sprache (de, en)\n\nAufruf:"},
        {{"check", dir.File("plan.kov")}, TTalvctlRunner::ExitFailure,
         "error: Halle.MSN1 ist identisch mit Halle.MSN2.\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        const TRun run = RunTalvctl(c.Arguments);
        EXPECT_EQ(run.Exit, c.Exit);
        EXPECT_NE(run.Out.find(c.OutContains), std::string::npos) << run.Out;
        EXPECT_EQ(run.Err.rfind(c.ErrStart, 0), 0u) << run.Err;
        EXPECT_NE(run.Err.find(c.ErrContains), std::string::npos) << run.Err;
        // The run's language does not outlive it.
        EXPECT_EQ(LoadStr(600), "---- Start der Prüfungen ----");
        EXPECT_EQ(TalvctlText("kein Kommando angegeben"), "kein Kommando angegeben");
    }
}

TEST(TalvctlLanguage, DefaultFollowsTheDesktopProgramBesideTalvctl)
{
    TTempDir dir;
    TScopedEnv env;
    env.Set("XDG_CONFIG_HOME", dir.Path().c_str());
    const std::string desktop = (std::filesystem::path(ProgramFileName()).parent_path() / "TALVConfig").string();
    const struct {
        const char* Stored;  // for the desktop program; nullptr: nothing stored
        const char* Lang;
        const char* Expected;
    } cases[] = {
        {"EN", "de_DE.UTF-8", "EN"}, {"DE", "en_US.UTF-8", "DE"}, {"ENU", "en_US.UTF-8", "DE"},
        {nullptr, "en_US.UTF-8", "EN"}, {nullptr, "fr_FR.UTF-8", "DE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Stored ? c.Stored : "(none)") + " / " + c.Lang);
        std::filesystem::remove(dir.File("TALVConfigLanguage.INI"));
        if (c.Stored)
            WriteLanguage(desktop, c.Stored);
        env.SetLocale(c.Lang);
        EXPECT_EQ(TalvctlDefaultLanguage(), c.Expected);
    }
    // talvctl's own path is not the setting's key.
    std::filesystem::remove(dir.File("TALVConfigLanguage.INI"));
    WriteLanguage(ProgramFileName(), "EN");
    env.SetLocale("de_DE.UTF-8");
    EXPECT_EQ(TalvctlDefaultLanguage(), "DE");
}

TEST(TalvctlLanguage, ProgramSpeaksEnglishWithLang)
{
    const std::string output = ::testing::TempDir() + "talvctl_lang.txt";
    const std::string command = std::string(TALVCTL_PATH) + " --lang en --help > " + output + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(output);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(text.rfind("Usage: talvctl", 0), 0u) << text.substr(0, 80);
    std::filesystem::remove(output);
}
