#pragma once
// The fixture of the talvctl tests against a simulated device on a pseudo-terminal: each test
// gets a fresh device and skips cleanly where no pseudo-terminal can be made.

#include "platform/exceptions.h"
#include "sim/simdevice.h"
#include "slutil/slcomport.h"
#include "terminal/kovterminal.h"
#include "tests/cli/talvctlrun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

// Brings device into configuration mode the way the request does, through a port of our
// own, and reads everything the device sent so nothing is left for talvctl. Its reads end
// after a short quiet gap, as fast transfers do: the device replies at once.
inline void EnterConfigModeOf(TSimDevice& device)
{
    using namespace std::chrono_literals;
    TslCOMPort port;
    port.SetDevicePath(device.SlavePath());
    port.Open();
    port.CommTimeOuts().SetTimeOut(TslCommTimeOuts::ReadIntervalTimeoutIndex, TKovTerminal::FastReadGapMs);
    port.ApplyCommTimeOuts();
    device.Reset();
    const auto readUntil = [&](const std::string& wanted) {
        std::string collected;
        for (int reads = 0; reads < 8 && collected.find(wanted) == std::string::npos; ++reads) {
            std::string text;
            uint32_t count = 0;
            ASSERT_TRUE(port.Read(text, &count));
            collected += text;
        }
        ASSERT_NE(collected.find(wanted), std::string::npos) << collected;
    };
    readUntil(std::string(TSimProtocol::StartString));
    port.Write(std::string(TSimProtocol::Confirmation));
    readUntil("#");
    ASSERT_TRUE(device.WaitForState(ESimConfigMode, 10s));
    port.Close();
    device.ClearReceived();
}

class TalvctlDevice : public ::testing::Test {
protected:
    void SetUp() override { MakeDevice({}); }

    // False, with the test marked skipped, when no pseudo-terminal can be made.
    bool MakeDevice(TSimDeviceOptions options)
    {
        Device.reset();
        try {
            Device = std::make_unique<TSimDevice>(std::move(options));
        } catch (const EOSError& e) {
            [&] { GTEST_SKIP() << "no pseudo-terminal: " << e.what(); }();
            return false;
        }
        return true;
    }

    std::vector<std::string> Port() const { return {"--port", Device->SlavePath()}; }

    std::vector<std::string> With(std::vector<std::string> tail) const
    {
        auto arguments = Port();
        arguments.insert(arguments.end(), tail.begin(), tail.end());
        return arguments;
    }

    void EnterConfigMode() { EnterConfigModeOf(*Device); }

    std::unique_ptr<TSimDevice> Device;
};
