// Protects the errors the core raises to the technician: German by default, English from the English catalogue, with their values filled in.
#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "platform/languagecatalogue.h"
#include "platform/resstrings.h"
#include "slutil/slportgroup.h"
#include "slutil/slportopenerror.h"
#include "terminal/kovterminal.h"
#include "tests/tempdir.h"
#include "tests/terminal/ptypair.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
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
    const std::string noSpace = std::strerror(ENOSPC);

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
        {"system error", [] { RaiseLastOSError(ENOSPC); },
         "EOSError 28: Systemfehler. Code: 28.\n" + noSpace, "EOSError 28: System error. Code: 28.\n" + noSpace},
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
                  english ? "Your account needs access to serial ports: add it to the group " + group + " and log in again."
                          : "Der Benutzer muss serielle Schnittstellen benutzen dürfen (Mitglied der Gruppe " + group + ").");
        EXPECT_EQ(PortAccessHint(dir.File("none")),
                  english ? "Your account needs access to serial ports: add it to the group dialout and log in again."
                          : "Der Benutzer muss serielle Schnittstellen benutzen dürfen (unter Debian: Mitglied der Gruppe dialout).");
        // A port that cannot be opened, on a machine without serial ports (dir holds none).
        EXPECT_EQ(PortOpenErrorMessage("COM2", "/dev/ttyUSB0", ENOENT, dir.Path()),
                  english ? "Cannot open COM2 (/dev/ttyUSB0): No such file or device.\n"
                            "Choose the device that COM2 reaches under \"Tools > Options > Communication\".\n"
                            "No serial ports were found."
                          : "COM2 (/dev/ttyUSB0) kann nicht geöffnet werden: Datei oder Gerät nicht vorhanden.\n"
                            "Welches Gerät COM2 erreicht, wird unter \"Extras > Optionen > Kommunikation\" eingestellt.\n"
                            "Es wurden keine seriellen Schnittstellen gefunden.");
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

// The errors met at a serial port explain themselves in the window's language; the error number
// stays, and an error in the middle of an exchange says what broke and what to check.
TEST(CoreMessages, SystemErrorsOfSerialPortsSpeakTheLanguageOfTheProgram)
{
    const std::string lost = "\nDie Verbindung zum Gerät ist abgebrochen (Adapter abgezogen oder Leitung unterbrochen). "
                             "Bitte Adapter und Kabel prüfen.";
    const std::string lostEnglish = "\nThe connection to the device broke off (adapter unplugged or line hung up). "
                                    "Check the adapter and the cable.";
    const std::string busy = "Gerät belegt: ein anderes Programm oder ein anderes Gerätefeld hat die Schnittstelle schon geöffnet.";
    const std::string busyEnglish = "Device busy: another program or another device panel already has the port open.";
    struct TCase {
        int Code;
        std::string German;
        std::string English;
    };
    const TCase cases[] = {
        {ENOENT, "Datei oder Gerät nicht vorhanden.", "No such file or device."},
        {EACCES, "Zugriff verweigert (keine Berechtigung).", "Access denied (no permission)."},
        {EPERM, "Zugriff verweigert (keine Berechtigung).", "Access denied (no permission)."},
        {EBUSY, busy, busyEnglish},
        {EIO, "Ein-/Ausgabefehler." + lost, "Input/output error." + lostEnglish},
        {ENXIO, "Gerät nicht vorhanden." + lost, "No such device." + lostEnglish},
        {ENODEV, "Gerät nicht vorhanden." + lost, "No such device." + lostEnglish},
    };
    const auto check = [&](bool english) {
        for (const TCase& c : cases) {
            const std::string code = std::to_string(c.Code);
            EXPECT_EQ(ErrorOf([&] { RaiseLastOSError(c.Code); }),
                      "EOSError " + code + (english ? ": System error. Code: " + code + ".\n" + c.English
                                                    : ": Systemfehler. Code: " + code + ".\n" + c.German));
        }
    };
    check(false);
    TEnglish english;
    ASSERT_TRUE(english.Loaded);
    SCOPED_TRACE("English");
    check(true);
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
