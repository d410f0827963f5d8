// Protects the Windows serial port: a failed and an exclusive open, the 500-ms read, a command and its reply. Needs the simulated device on the port TALV_TEST_PORT (tools/wine-test.sh).
#include "slutil/slcomport.h"

#include "platform/exceptions.h"
#include "platform/win32text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// The simulated device has been reset and waits for the confirmation that enters its
// configuration mode.
const char* TestPort()
{
    const char* port = std::getenv("TALV_TEST_PORT");
    return port && *port ? port : nullptr;
}

// Wine gives a serial port to every opener; Windows' serial drivers keep it to the first.
bool UnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

// "COM1 (<device>) kann nicht geöffnet werden: <the system's text>", then the hints.
void ExpectOpenFailure(const EOSError& error, const std::string& device)
{
    EXPECT_NE(error.ErrorCode(), 0);
    const std::string expected = "COM1 (" + device + ") kann nicht geöffnet werden: " +
                                 Win32ErrorText(static_cast<unsigned long>(error.ErrorCode())) + "\n";
    EXPECT_EQ(std::string(error.what()).substr(0, expected.size()), expected) << error.what();
}

#define REQUIRE_TEST_PORT()                                                        \
    if (!TestPort())                                                               \
    GTEST_SKIP() << "TALV_TEST_PORT names no port with the simulated device on it"

}  // namespace

TEST(WinSerialPort, AMissingPortFailsToOpenWithTheSystemsText)
{
    TslCOMPort port;
    port.SetDevicePath("COM199");
    try {
        port.Open();
        FAIL() << "COM199 opened";
    } catch (const EOSError& error) {
        ExpectOpenFailure(error, "\\\\.\\COM199");
        EXPECT_EQ(port.LastError(), error.ErrorCode());
    }
    EXPECT_FALSE(port.GetActive());
}

TEST(WinSerialPort, ASecondOpenOfTheSamePortFailsWithTheSystemsText)
{
    REQUIRE_TEST_PORT();
    if (UnderWine())
        GTEST_SKIP() << "Wine does not keep a serial port to its first opener";
    TslCOMPort first;
    first.SetDevicePath(TestPort());
    first.Open();
    ASSERT_EQ(first.GetState(), TslCOMPort::stOpen);

    TslCOMPort second;
    second.SetDevicePath(TestPort());
    try {
        second.Open();
        FAIL() << "the second open succeeded";
    } catch (const EOSError& error) {
        ExpectOpenFailure(error, "\\\\.\\" + std::string(TestPort()));
        EXPECT_EQ(second.LastError(), error.ErrorCode());
    }
    EXPECT_FALSE(second.GetActive());

    // Once the first lets go, the port opens again.
    first.Close();
    EXPECT_NO_THROW(second.Open());
}

TEST(WinSerialPort, AReadOnASilentLineReturnsEmptyAfterHalfASecond)
{
    REQUIRE_TEST_PORT();
    TslCOMPort port;
    port.SetDevicePath(TestPort());
    port.Open();
    EXPECT_EQ(port.ReadTimeOut(), 500);

    std::string text = "stale";
    uint32_t count = 99;
    const auto start = Clock::now();
    ASSERT_TRUE(port.Read(text, &count)) << port.LastError();
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(text, "");
    EXPECT_GE(waited, 450);
    EXPECT_LT(waited, 3000);
}

TEST(WinSerialPort, TheConfirmationIsAnsweredWithTheConfigurationBanner)
{
    REQUIRE_TEST_PORT();
    TslCOMPort port;
    port.SetDevicePath(TestPort());
    port.Open();
    ASSERT_TRUE(port.Write("\r\r\x1b\x1b")) << port.LastError();

    const std::string banner = "\r\nTALV configuration\r\n#";
    std::string received;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (received.find(banner) == std::string::npos && Clock::now() < deadline) {
        std::string text;
        ASSERT_TRUE(port.Read(text, nullptr)) << port.LastError();
        received += text;
    }
    EXPECT_NE(received.find(banner), std::string::npos) << received;
}

// The terminal's fast mode sets an interval time-out on the open port: a read ends soon after the
// reply's last byte instead of waiting out the total time-out.
TEST(WinSerialPort, AnIntervalTimeOutSetOnTheOpenPortEndsAReadAfterTheReply)
{
    REQUIRE_TEST_PORT();
    TslCOMPort port;
    port.SetDevicePath(TestPort());
    port.Open();
    port.CommTimeOuts().SetTimeOut(TslCommTimeOuts::ReadIntervalTimeoutIndex, 20);
    port.ApplyCommTimeOuts();
    // Confirms a reset, or, in configuration mode, sends two empty command lines: a reply comes
    // either way.
    ASSERT_TRUE(port.Write("\r\r\x1b\x1b")) << port.LastError();

    std::string text;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    long long waited = 0;
    while (text.empty() && Clock::now() < deadline) {
        const auto start = Clock::now();
        ASSERT_TRUE(port.Read(text, nullptr)) << port.LastError();
        waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    }
    ASSERT_FALSE(text.empty());
    EXPECT_LT(waited, 400) << text;
}
