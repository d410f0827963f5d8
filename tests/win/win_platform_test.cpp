// Protects the Windows system services: the Win32 error texts, the file replacement that keeps umlauts in names, the settings file under the application data.
#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "platform/resstrings.h"
#include "platform/settingsfile.h"
#include "platform/wholefile.h"
#include "platform/win32text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

TEST(WinErrors, SystemErrorsNameTheWin32CodeAndTheSystemsText)
{
    try {
        RaiseLastOSError(ERROR_ACCESS_DENIED);
        FAIL();
    } catch (const EOSError& error) {
        EXPECT_EQ(error.ErrorCode(), ERROR_ACCESS_DENIED);
        const std::string text = Win32ErrorText(ERROR_ACCESS_DENIED);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(std::string(error.what()), "Win32-Fehler. Code: 5.\n" + text);
    }
    // A pulled USB adapter: the driver's text, then what it means for the device.
    try {
        RaiseLastOSError(ERROR_BAD_COMMAND);
        FAIL();
    } catch (const EOSError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Win32-Fehler. Code: 22.\n" + Win32ErrorText(ERROR_BAD_COMMAND) + "\n" + LoadStr(254));
    }
    try {
        RaiseLastOSError(0);
        FAIL();
    } catch (const EOSError& error) {
        EXPECT_EQ(std::string(error.what()), "Eine Win32-API-Funktion ist fehlgeschlagen");
    }
}

TEST(WinFiles, AFileWithUmlautsIsWrittenReplacedAndReadBack)
{
    wchar_t base[MAX_PATH + 1] = {};
    ASSERT_NE(::GetTempPathW(MAX_PATH, base), 0u);
    const std::filesystem::path folder = std::filesystem::path(base) / L"talvtest-\u00e4\u00f6\u00fc";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::string name = Utf8FromWide((folder / L"Pr\u00fcfung.INI").wstring());

    ASSERT_TRUE(ReplaceWholeFile(name, "[Ports]\r\nCOM1=COM5\r\n"));
    EXPECT_EQ(ReadWholeFile(name), "[Ports]\r\nCOM1=COM5\r\n");
    ASSERT_TRUE(ReplaceWholeFile(name, "[Ports]\r\n"));
    EXPECT_EQ(ReadWholeFile(name), "[Ports]\r\n");
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

    ::SetFileAttributesW((folder / L"Pr\u00fcfung.INI").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ReplaceWholeFile(name, "lost"));
    EXPECT_EQ(ReadWholeFile(name), "[Ports]\r\n");
    ::SetFileAttributesW((folder / L"Pr\u00fcfung.INI").c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(folder);
}

TEST(WinFiles, TheSettingsFileIsMadeUnderTheApplicationDataOnFirstWrite)
{
    wchar_t base[MAX_PATH + 1] = {};
    ASSERT_NE(::GetTempPathW(MAX_PATH, base), 0u);
    const std::filesystem::path appData = std::filesystem::path(base) / L"talvtest-Anwendungsdaten-\u00fc";
    std::filesystem::remove_all(appData);
    const std::wstring previous = ::_wgetenv(L"APPDATA") ? ::_wgetenv(L"APPDATA") : L"";
    ::_wputenv_s(L"APPDATA", appData.c_str());

    const std::string expected = Utf8FromWide(appData.wstring()) + "\\TALV-Configurator\\TALVConfig.INI";
    EXPECT_EQ(SettingsFileName(), expected);
    {
        TIniFile settings(SettingsFileName());
        settings.WriteString("Ports", "COM1", "COM5");
        UpdateSettingsFile(settings);
    }
    EXPECT_EQ(TIniFile(expected).ReadString("Ports", "COM1", ""), "COM5");

    ::_wputenv_s(L"APPDATA", previous.c_str());
    std::filesystem::remove_all(appData);
}
