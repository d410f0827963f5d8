// Protects talvsim's operator commands: each word reaches the device as the order it names.
// Needs a pseudo-terminal for the device; skips without one.

#include "sim/simconsole.h"
#include "sim/simdevice.h"
#include "tests/sim/ptypeer.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>

TEST(SimConsole, CommandsReachTheDevice)
{
    std::unique_ptr<TSimDevice> device;
    try {
        device = std::make_unique<TSimDevice>();
    } catch (const EOSError& error) {
        GTEST_SKIP() << "no pseudo-terminal: " << error.what();
    }
    TPtyPeer peer(device->SlavePath());
    ASSERT_TRUE(peer.IsOpen());
    TSimConsole console(*device);

    struct TCase {
        std::string Line;
        bool Continues;
        std::string Out;  // expected to be contained in the output
        std::string Err;  // expected to be contained in the messages
        std::function<bool(TSimDevice&, TPtyPeer&)> Done;
    };
    const std::vector<TCase> cases = {
        {"", true, "", "", nullptr},
        {"silent", true, "", "", [](TSimDevice& d, TPtyPeer&) { return d.Silent(); }},
        {"speak", true, "", "", [](TSimDevice& d, TPtyPeer&) { return !d.Silent(); }},
        {"reset", true, "", "",
         [](TSimDevice& d, TPtyPeer& p) {
             return d.State() == ESimAwaitingConfirmation &&
                    p.ReadUntil(TSimProtocol::ResetBanner()) == TSimProtocol::ResetBanner();
         }},
        {"show", true, "state awaiting confirmation\ncurrent vmoddi/1.msni=\"\"", "", nullptr},
        {"help", true, "reset-mid", "", nullptr},
        {"garbage x", true, "", "garbage: the count must be a whole number", nullptr},
        {"flood 1 2", true, "", "flood: the count must be a whole number", nullptr},
        {"dance", true, "", "unknown command 'dance'", nullptr},
        {"hangup", true, "", "", [](TSimDevice& d, TPtyPeer&) { return !d.LineUp(); }},
        {"quit", false, "", "", nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE("'" + c.Line + "'");
        std::ostringstream out, err;
        EXPECT_EQ(console.Execute(c.Line, out, err), c.Continues);
        EXPECT_NE(out.str().find(c.Out), std::string::npos) << out.str();
        EXPECT_NE(err.str().find(c.Err), std::string::npos) << err.str();
        if (c.Err.empty()) {
            EXPECT_EQ(err.str(), "");
        }
        if (c.Done) {
            EXPECT_TRUE(c.Done(*device, peer));
        }
    }
}

TEST(SimConsole, OrdersForTheNextReply)
{
    std::unique_ptr<TSimDevice> device;
    try {
        device = std::make_unique<TSimDevice>();
    } catch (const EOSError& error) {
        GTEST_SKIP() << "no pseudo-terminal: " << error.what();
    }
    TPtyPeer peer(device->SlavePath());
    ASSERT_TRUE(peer.IsOpen());
    TSimConsole console(*device);
    std::ostringstream out, err;
    device->Reset();
    ASSERT_TRUE(peer.Write("\r\r\x1b\x1b"));
    ASSERT_TRUE(peer.ReadUntil("#").ends_with("#"));

    // Each order with its count shows in the length of the next reply ("\r\n#" when honest).
    const std::vector<std::pair<std::string, size_t>> orders = {
        {"garbage 7", 7}, {"garbage", TSimDevice::DefaultGarbageCount},
        {"flood 5", 3 + 5}, {"nul", 4},
    };
    for (const auto& [line, size] : orders) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(console.Execute(line, out, err));
        ASSERT_TRUE(peer.Write("\r"));
        EXPECT_EQ(peer.ReadCount(size).size(), size);
    }
    EXPECT_EQ(err.str(), "");
    ASSERT_TRUE(console.Execute("reset-mid", out, err));
    ASSERT_TRUE(peer.Write("\r"));
    EXPECT_EQ(peer.ReadUntil(TSimProtocol::ResetBanner()), "\r" + TSimProtocol::ResetBanner());
}
