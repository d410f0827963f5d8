// Protects the errors the core raises to the technician: German by default, English from the English catalogue, with their values filled in.
#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "platform/languagecatalogue.h"
#include "platform/resstrings.h"
#include "slutil/slportgroup.h"
#include "terminal/kovterminal.h"
#include "tests/tempdir.h"
#include "tests/terminal/ptypair.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/stat.h>

namespace {

// The message of what f raises, prefixed with the kind of error, so that a text raised with the
// wrong kind shows up as well.
std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EOSError& e) {
        return "EOSError " + std::to_string(e.ErrorCode()) + ": " + e.what();
    } catch (const EConvertError& e) {
        return std::string("EConvertError: ") + e.what();
    } catch (const ERangeError& e) {
        return std::string("ERangeError: ") + e.what();
    } catch (const Exception& e) {
        return std::string("Exception: ") + e.what();
    } catch (const std::exception& e) {
        return std::string("other: ") + e.what();
    }
    return "no error";
}

// Loads the English catalogue for the scope and leaves the German texts behind, even when a
// check fails half-way.
struct TEnglish {
    TLanguageCatalogue Catalogue;
    bool Loaded = Catalogue.Load("EN");
    ~TEnglish() { SetResStringTranslation({}); }
};

std::string GroupOf(const std::string& path)
{
    struct stat status{};
    if (stat(path.c_str(), &status) != 0)
        return {};
    const group* entry = getgrgid(status.st_gid);
    return entry && entry->gr_name ? entry->gr_name : "";
}

}  // namespace

TEST(CoreMessages, GermanByDefaultAndEnglishFromTheCatalogue)
{
    TTempDir dir;
    dir.Write("owned.dev", "");
    const std::string group = GroupOf(dir.File("owned.dev"));
    ASSERT_FALSE(group.empty()) << "the temporary file's group has no name";
    const std::string unwritable = dir.File("missing/plan.kov");
    const std::string accessText = SysErrorMessage(EACCES);

    struct TCase {
        const char* What;
        std::function<void()> Raise;
        std::string German;
        std::string English;
    };
    const TCase cases[] = {
        {"number", [] { StrToInt("12a"); },
         "EConvertError: '12a' ist kein gültiger Integerwert", "EConvertError: '12a' is not a valid integer value"},
        {"number from the device",
         [] {
             TKovTerminal terminal;
             terminal.SetComTimeOut(60000);
             terminal.RequestAutomaticCallMode();
             terminal.ProcessReceivedText("aciomco zwei#");
         },
         "EConvertError: 'zwei' ist kein gültiger Integerwert", "EConvertError: 'zwei' is not a valid integer value"},
        {"system error", [] { RaiseLastOSError(EACCES); },
         "EOSError 13: Systemfehler. Code: 13.\n" + accessText, "EOSError 13: System error. Code: 13.\n" + accessText},
        {"system error without code", [] { RaiseLastOSError(0); },
         "EOSError 0: Eine Systemfunktion ist fehlgeschlagen", "EOSError 0: A system function failed"},
        {"file not written",
         [&] {
             TIniFile ini(unwritable);
             ini.WriteString("Device1", "KOVName", "Halle");
             ini.UpdateFile();
         },
         "Exception: nach " + unwritable + " kann nicht geschrieben werden",
         "Exception: Cannot write to " + unwritable},
        {"value with a line break",
         [&] {
             TIniFile ini(dir.File("plan.kov"));
             ini.WriteString("Device1.Memo", "Line1", "Halle\nNord");
         },
         "ERangeError: 'Halle\nNord' kann nicht in einer Profildatei stehen",
         "ERangeError: 'Halle\nNord' cannot be stored in a settings file"},
        {"wrong answer to a query",
         [] {
             TKovTerminal terminal;
             terminal.SetComTimeOut(60000);
             terminal.RequestMsnIncoming(0);
             terminal.ProcessReceivedText("aciomco 2#");
         },
         "Exception: TKovTerminal::ReceiveAutomaticCallMode: falsche Antwort vom TALV erhalten.",
         "Exception: TKovTerminal::ReceiveAutomaticCallMode: wrong reply received from the TALV."},
        {"device reset during an exchange",
         [] {
             TKovTerminal terminal;
             terminal.SetComTimeOut(60000);
             terminal.RequestAutomaticCallMode();
             terminal.ProcessReceivedText("+++ hallo#");
         },
         "Exception: TKovTerminal::ReceiveConfigMode: falsche Antwort vom TALV erhalten.",
         "Exception: TKovTerminal::ReceiveConfigMode: wrong reply received from the TALV."},
    };
    const auto check = [&](bool english) {
        for (const TCase& c : cases)
            EXPECT_EQ(ErrorOf(c.Raise), english ? c.English : c.German) << c.What;

        // Not raised on its own: the sentence added to a denied open of a serial port.
        EXPECT_EQ(PortAccessHint(dir.File("owned.dev")),
                  english ? "The user must be allowed to use serial ports (member of the group " + group + ")."
                          : "Der Benutzer muss serielle Schnittstellen benutzen dürfen (Mitglied der Gruppe " + group + ").");
        EXPECT_EQ(PortAccessHint(dir.File("none")),
                  english ? "The user must be allowed to use serial ports (on Debian: member of the group dialout)."
                          : "Der Benutzer muss serielle Schnittstellen benutzen dürfen (unter Debian: Mitglied der Gruppe dialout).");
    };

    check(false);
    {
        TEnglish english;
        ASSERT_TRUE(english.Loaded) << "catalogue missing: " << TLanguageCatalogue::ProgramCatalogueFile("EN").toStdString();
        SCOPED_TRACE("English");
        check(true);
    }
    check(false);
}

// Needs a pseudo-terminal for the silent device.
TEST(CoreMessages, TimeOutOfASilentDeviceNamesTheReplyTimeInBothLanguages)
{
    TPtyPair pty;
    if (!pty.Ok())
        GTEST_SKIP() << "no pseudo-terminal";
    const auto timeOutOf = [&] {
        TKovTerminal terminal;
        terminal.SetDevicePath(pty.SlavePath());
        terminal.SetComTimeOut(500);
        terminal.Open();
        terminal.RequestAutomaticCallMode();
        return ErrorOf([&] { terminal.ProcessReceived(); });
    };

    EXPECT_EQ(timeOutOf(), "Exception: TKovTerminal::ProcessReceived: Timout beim Senden nach 500 msec.");
    TEnglish english;
    ASSERT_TRUE(english.Loaded);
    EXPECT_EQ(timeOutOf(), "Exception: TKovTerminal::ProcessReceived: time-out after sending, no reply within 500 ms.");
}
