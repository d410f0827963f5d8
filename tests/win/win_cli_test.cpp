// Protects talvctl's Ctrl-C on Windows: it reaches the running command through the console's
// control handler.
#include "cli/sigintwatcher.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

TEST(WinCtrlC, ACtrlCCallsTheCommandsCancelOnce)
{
    std::atomic<int> interrupts = 0;
    const TSigIntWatcher watcher([&interrupts] { ++interrupts; });
    // A Ctrl-C to our own console, which a test run without one (under Wine, say) gets here; Wine
    // sends it only where its console is a terminal.
    ::AllocConsole();
    ASSERT_TRUE(::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << "error " << ::GetLastError();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (interrupts == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_EQ(interrupts, 1);
}
