// Protects the per-user language setting: where it is kept, how a stored value and the locale decide the language, and that a failed write changes nothing.
#include "platform/exceptions.h"
#include "platform/languagesetting.h"
#include "tests/scopedenv.h"
#include "tests/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

const std::string Program = "/opt/talv/bin/TALVConfig";

struct TLanguageSetting : ::testing::Test {
    TTempDir Dir;
    TScopedEnv Env;

    void SetUp() override
    {
        Env.Set("XDG_CONFIG_HOME", Dir.Path().c_str());
        Env.SetLocale("de_DE.UTF-8");
    }

    // A file as another program or the user may have left it.
    void Store(const std::string& key, const std::string& value)
    {
        Dir.Write("TALVConfigLanguage.INI", "[Language]\r\n" + key + "=" + value + "\r\n");
    }
};

}  // namespace

TEST_F(TLanguageSetting, StoredValueThenLocaleDecide)
{
    struct TCase {
        const char* Stored;  // nullptr: no value
        const char* Lang;
        const char* Language;  // what the update handler reads
        const char* Start;     // the texts chosen at start
    };
    const TCase cases[] = {
        {"EN", "de_DE.UTF-8", "EN", "EN"},
        {"DE", "en_US.UTF-8", "DE", "DE"},
        // A code of another kind counts as German for the actions; the texts at start follow
        // the locale, as no catalogue is named by it.
        {"ENU", "en_GB.UTF-8", "ENU", "EN"},
        {"FR", "en_GB.UTF-8", "FR", "EN"},
        {"FR", "fr_FR.UTF-8", "FR", "DE"},
        {"en", "de_DE.UTF-8", "en", "DE"},
        {nullptr, "en_US.UTF-8", "EN", "EN"},
        {nullptr, "fr_FR.UTF-8", "DE", "DE"},
        {nullptr, "de_AT", "DE", "DE"},
        {nullptr, "C.UTF-8", "DE", "DE"},
        {nullptr, nullptr, "DE", "DE"},
        // Longer than three characters: as if nothing were stored.
        {"ENGL", "en_US.UTF-8", "EN", "EN"},
        {"ENGLISH", "fr_FR.UTF-8", "DE", "DE"},
        {"", "en_US.UTF-8", "EN", "EN"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Stored ? c.Stored : "(none)") + " / " + (c.Lang ? c.Lang : "(no LANG)"));
        std::filesystem::remove(Dir.File("TALVConfigLanguage.INI"));
        if (c.Stored)
            Store(Program, c.Stored);
        Env.SetLocale(c.Lang);
        EXPECT_EQ(ReadLanguage(Program), c.Language);
        EXPECT_EQ(StartLanguage(Program), c.Start);
        TLanguageReader reader;
        EXPECT_EQ(reader.ReadLanguage(Program), c.Language);
    }
}

TEST_F(TLanguageSetting, LocaleVariablesAreConsultedInTheLibraryOrder)
{
    struct TCase {
        const char* Language;
        const char* All;
        const char* Messages;
        const char* Lang;
        const char* Expected;
    };
    const TCase cases[] = {
        {nullptr, "en_US", nullptr, "de_DE", "EN"},
        {nullptr, nullptr, "de_AT", "en_US", "DE"},
        {nullptr, "", "en_GB", "de_DE", "EN"},
        {"en_GB:de", nullptr, nullptr, "de_DE", "EN"},
        {"fr:en", nullptr, nullptr, "en_US", "FR"},
        // LANGUAGE is ignored in the "C" locale.
        {"en", nullptr, nullptr, "C", ""},
        {"en", nullptr, nullptr, nullptr, ""},
        {nullptr, nullptr, nullptr, "POSIX", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Expected) + " expected");
        Env.Set("LANGUAGE", c.Language);
        Env.Set("LC_ALL", c.All);
        Env.Set("LC_MESSAGES", c.Messages);
        Env.Set("LANG", c.Lang);
        EXPECT_EQ(UserLocaleLanguage(), c.Expected);
    }
}

TEST_F(TLanguageSetting, EachProgramPathKeepsItsOwnValueWhateverItHolds)
{
    const std::pair<std::string, std::string> programs[] = {
        {Program, "EN"},
        {"/opt/a=b/TALVConfig", "DE"},
        {"/opt/100%3D/TALVConfig", "EN"},
        {"/opt/with blank/TALVConfig ", "EN"},
        {"/opt/line\nbreak", "DE"},
        {"/opt/[x]/;TALVConfig", "EN"},
    };
    for (const auto& [program, code] : programs)
        WriteLanguage(program, code);
    for (const auto& [program, code] : programs)
        EXPECT_EQ(ReadStoredLanguage(program), code) << program;
    EXPECT_EQ(ReadStoredLanguage("/opt/a"), "");

    // Changing one value leaves the others and foreign lines as they were.
    Dir.Write("TALVConfigLanguage.INI", Dir.Read("TALVConfigLanguage.INI") + "; note\r\n[Other]\r\nx=1\r\n");
    WriteLanguage(Program, "DE");
    EXPECT_EQ(ReadStoredLanguage(Program), "DE");
    EXPECT_EQ(ReadStoredLanguage("/opt/a=b/TALVConfig"), "DE");
    EXPECT_EQ(ReadStoredLanguage("/opt/100%3D/TALVConfig"), "EN");
    EXPECT_NE(Dir.Read("TALVConfigLanguage.INI").find("[Other]\r\nx=1\r\n"), std::string::npos);
}

// A fresh account: no ~/.config, or a configuration folder named below folders that do not
// exist yet. Every missing level is made, for the user only.
TEST_F(TLanguageSetting, MissingConfigFolderAndItsParentsAreMade)
{
    struct TCase {
        const char* Home;
        const char* Config;  // nullptr: XDG_CONFIG_HOME unset
        std::vector<std::string> Made;
    };
    const TCase cases[] = {
        {"home", nullptr, {"home/.config"}},
        {"home", "nested/deeper/config", {"nested", "nested/deeper", "nested/deeper/config"}},
    };
    std::filesystem::create_directory(Dir.File("home"));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Made.back());
        Env.Set("HOME", Dir.File(c.Home).c_str());
        Env.Set("XDG_CONFIG_HOME", c.Config ? Dir.File(c.Config).c_str() : nullptr);
        WriteLanguage(Program, "EN");
        EXPECT_EQ(ReadStoredLanguage(Program), "EN");
        for (const std::string& folder : c.Made)
            EXPECT_EQ(std::filesystem::status(Dir.File(folder)).permissions() & std::filesystem::perms::all,
                      std::filesystem::perms::owner_all) << folder;
    }
}

TEST_F(TLanguageSetting, FailedWriteRaisesTheSystemErrorAndKeepsTheStoredValue)
{
    WriteLanguage(Program, "DE");
    const std::string before = Dir.Read("TALVConfigLanguage.INI");

    // A configuration folder that is a file: no user, root included, can write there.
    Env.Set("XDG_CONFIG_HOME", Dir.File("TALVConfigLanguage.INI").c_str());
    EXPECT_THROW(WriteLanguage(Program, "EN"), EOSError);
    Env.Set("XDG_CONFIG_HOME", Dir.Path().c_str());
    EXPECT_EQ(Dir.Read("TALVConfigLanguage.INI"), before);
    EXPECT_EQ(ReadLanguage(Program), "DE");
}

TEST_F(TLanguageSetting, ReaderFollowsWritesAndReplacedFiles)
{
    TLanguageReader reader;
    EXPECT_EQ(reader.ReadLanguage(Program), "DE");
    WriteLanguage(Program, "EN");
    EXPECT_EQ(reader.ReadLanguage(Program), "EN");
    // Another program (or the user) rewrites the file in place.
    Store(Program, "ENU");
    EXPECT_EQ(reader.ReadLanguage(Program), "ENU");
    std::filesystem::remove(Dir.File("TALVConfigLanguage.INI"));
    Env.SetLocale("en_US");
    EXPECT_EQ(reader.ReadLanguage(Program), "EN");

    // Another configuration folder is another file.
    TTempDir other;
    Env.Set("XDG_CONFIG_HOME", other.Path().c_str());
    other.Write("TALVConfigLanguage.INI", "[Language]\n" + Program + "=FR\n");
    EXPECT_EQ(reader.ReadLanguage(Program), "FR");
}
