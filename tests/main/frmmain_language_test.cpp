// Protects the language actions: which one the stored setting checks, the help file they select, storing a new language with its restart question, a setting that cannot be stored, and the English catalogue.
#include "platform/datafolders.h"
#include "platform/exceptions.h"
#include "platform/gui/actionupdates.h"
#include "platform/gui/application.h"
#include "platform/languagecatalogue.h"
#include "platform/languagesetting.h"
#include "platform/resstrings.h"
#include "tests/main/testmainwin.h"
#include "tests/scopedenv.h"
#include "tests/tempdir.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <tuple>

namespace {

struct TLanguageActions : ::testing::Test {
    TTempDir Dir;
    TScopedEnv Env;

    void SetUp() override
    {
        Env.Set("XDG_CONFIG_HOME", Dir.Path().c_str());
        Env.SetLocale("de_DE.UTF-8");
    }

    void Store(const std::string& value)
    {
        Dir.Write("TALVConfigLanguage.INI", "[Language]\n" + ProgramFileName() + "=" + value + "\n");
    }

    // German checked, German enabled, English checked, English enabled, help file.
    static std::tuple<bool, bool, bool, bool, QString> States(const TFrmMainWin& win)
    {
        return {win.ActLanguageGerman->isChecked(), win.ActLanguageGerman->isEnabled(),
                win.ActLanguageEnglish->isChecked(), win.ActLanguageEnglish->isEnabled(), TApplication::HelpFile()};
    }
};

const std::tuple<bool, bool, bool, bool, QString> GermanInUse{true, false, false, true, "TALVConfigDE.hlp"};
const std::tuple<bool, bool, bool, bool, QString> EnglishInUse{false, true, true, false, "TALVConfigEN.hlp"};

}  // namespace

TEST_F(TLanguageActions, StoredLanguageOrLocaleChecksOneActionAndSelectsTheHelpFile)
{
    struct TCase {
        const char* Stored;  // nullptr: no value
        const char* Lang;
        bool English;
    };
    const TCase cases[] = {
        {"EN", "de_DE.UTF-8", true},  {"DE", "en_US.UTF-8", false}, {"ENU", "en_US.UTF-8", false},
        {"FR", "en_GB.UTF-8", false}, {"en", "en_GB.UTF-8", false}, {nullptr, "en_US.UTF-8", true},
        {nullptr, "fr_FR.UTF-8", false}, {"ENGLISH", "en_US.UTF-8", true}, {"ENGLISH", "fr_FR", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Stored ? c.Stored : "(none)") + " / " + c.Lang);
        if (c.Stored)
            Store(c.Stored);
        else
            std::filesystem::remove(Dir.File("TALVConfigLanguage.INI"));
        Env.SetLocale(c.Lang);
        // The constructor runs the handler once: the help file is right before the first pass.
        TApplication::SetHelpFile("nothing");
        TTestMainWin win;
        EXPECT_EQ(States(win), c.English ? EnglishInUse : GermanInUse);
        TActionUpdates::RunAll();
        EXPECT_EQ(States(win), c.English ? EnglishInUse : GermanInUse);
    }
}

TEST_F(TLanguageActions, ChoosingEnglishAndNoStoresItAndTheHelpFollowsAtOnce)
{
    TTestMainWin win;
    TActionUpdates::RunAll();
    EXPECT_EQ(States(win), GermanInUse);
    win.LanguageAnswers.push_back(QMessageBox::No);
    TTestMainWin::Trigger(win.ActLanguageEnglish);

    ASSERT_EQ(win.LanguageQuestions.size(), 1u);
    EXPECT_EQ(win.LanguageQuestions[0].first,
              "Die Sprache wurde auf \"Englisch\" umgeschaltet.\nSie müssen die Applikation beenden und neu "
              "starten.\nMöchten sie die Applikation jetzt beenden?");
    EXPECT_EQ(win.LanguageQuestions[0].second, "Sprache umgeschaltet");
    EXPECT_EQ(ReadStoredLanguage(ProgramFileName()), "EN");
    TActionUpdates::RunAll();
    EXPECT_EQ(States(win), EnglishInUse);
    // The texts stay German until the next start.
    EXPECT_EQ(win.ActLanguageEnglish->text(), "&Englisch");
    EXPECT_EQ(win.SaveQuestions, 0);
    EXPECT_TRUE(win.Errors.empty());

    // And back: the German action names "Deutsch".
    win.LanguageAnswers.push_back(QMessageBox::No);
    TTestMainWin::Trigger(win.ActLanguageGerman);
    ASSERT_EQ(win.LanguageQuestions.size(), 2u);
    EXPECT_TRUE(win.LanguageQuestions[1].first.startsWith("Die Sprache wurde auf \"Deutsch\" umgeschaltet."));
    EXPECT_EQ(ReadStoredLanguage(ProgramFileName()), "DE");
    TActionUpdates::RunAll();
    EXPECT_EQ(States(win), GermanInUse);
    EXPECT_EQ(win.Unasked, 0);
}

TEST_F(TLanguageActions, YesEndsTheProgramThroughTheSaveQuestion)
{
    TTestMainWin win;
    win.show();
    win.Document().Panel(0).SetModified(true);
    win.LanguageAnswers.push_back(QMessageBox::Yes);
    win.SaveAnswers.push_back(QMessageBox::Cancel);
    TTestMainWin::Trigger(win.ActLanguageEnglish);

    EXPECT_EQ(win.SaveQuestions, 1);
    EXPECT_TRUE(win.isVisible());
    EXPECT_TRUE(win.IsModified());
    EXPECT_EQ(ReadStoredLanguage(ProgramFileName()), "EN");
    TActionUpdates::RunAll();
    EXPECT_EQ(States(win), EnglishInUse);

    // Without unsaved data, Yes closes the window.
    win.SetModified(false);
    win.LanguageAnswers.push_back(QMessageBox::Yes);
    TTestMainWin::Trigger(win.ActLanguageGerman);
    EXPECT_FALSE(win.isVisible());
    EXPECT_EQ(win.SaveQuestions, 1);
    EXPECT_EQ(win.Unasked, 0);
}

TEST_F(TLanguageActions, SettingThatCannotBeStoredIsReportedAndChangesNothing)
{
    TTestMainWin win;
    TActionUpdates::RunAll();
    // A configuration folder below a file cannot be made, whoever runs the test.
    Dir.Write("file", "");
    Env.Set("XDG_CONFIG_HOME", Dir.File("file/config").c_str());
    TTestMainWin::Trigger(win.ActLanguageEnglish);

    ASSERT_EQ(win.Errors.size(), 1u);
    EXPECT_EQ(win.Errors[0], "Systemfehler. Code: 20.\n" + SysErrorMessage(ENOTDIR));
    EXPECT_TRUE(win.LanguageQuestions.empty());
    TActionUpdates::RunAll();
    EXPECT_EQ(States(win), GermanInUse);
    Env.Set("XDG_CONFIG_HOME", Dir.Path().c_str());
    EXPECT_EQ(ReadStoredLanguage(ProgramFileName()), "");
}

TEST(LanguageCatalogue, EnglishCatalogueGivesEnglishCaptionsAndTexts)
{
    struct TReset {
        ~TReset() { SetResStringTranslation({}); }
    } reset;
    {
        TLanguageCatalogue catalogue;
        ASSERT_TRUE(catalogue.Load("EN")) << "catalogue missing: " << TLanguageCatalogue::ProgramCatalogueFile("EN").toStdString();
        catalogue.Install();
        EXPECT_EQ(catalogue.Language(), "EN");

        TTestMainWin win;
        const std::pair<QAction*, const char*> captions[] = {
            {win.ActFileNew, "&New"},          {win.ActFileSave, "&Save"},
            {win.ActExit, "E&xit"},            {win.ActCheck, "&Check"},
            {win.ActLanguageGerman, "&German"}, {win.ActLanguageEnglish, "&English"},
            {win.MIDevReceiveConfiguration, "Receive parameters"},
            {win.MIDevRequestConfigMode, "Configuration mode"},
        };
        for (const auto& [action, caption] : captions)
            EXPECT_EQ(action->text(), caption);
        EXPECT_EQ(win.ActExit->toolTip(), "Exit TALV-Configurator.");
        EXPECT_EQ(LoadStr(210), "The configuration has unsaved changes. Save now?");
        EXPECT_EQ(FmtLoadStr(224, {LoadStr(226)}),
                  "The language has been switched to \"German\".\nYou must close the application and start it "
                  "again.\nDo you want to close the application now?");
    }
    // The translators left with the catalogue.
    TTestMainWin win;
    EXPECT_EQ(win.ActFileNew->text(), "&Neu");
}

TEST(LanguageCatalogue, GermanLoadsQtsGermanButtons)
{
    TLanguageCatalogue catalogue;
    EXPECT_TRUE(catalogue.Load("DE"));
    catalogue.Install();
    EXPECT_EQ(catalogue.Language(), "DE");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
    EXPECT_EQ(LoadStr(210), "Daten sind nicht gespeichert. Jetzt speichern?");
}
