// Protects the simulated device on a real pseudo-terminal: bytes on the line, pace and split,
// every ordered misbehaviour, hang-up and a prompt end. Skips where no pseudo-terminal can be made.

#include "sim/simdevice.h"
#include "tests/sim/ptypeer.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

const std::string Banner = TSimProtocol::ResetBanner();
const std::string Entry = "\r\nTALV configuration\r\n#";

class SimDeviceTest : public ::testing::Test {
protected:
    // Check IsSkipped() after it.
    void Start(TSimDeviceOptions options = {}, bool rawPeer = true)
    {
        try {
            FDevice = std::make_unique<TSimDevice>(std::move(options));
        } catch (const EOSError& error) {
            GTEST_SKIP() << "no pseudo-terminal: " << error.what();
        }
        FPeer = std::make_unique<TPtyPeer>(FDevice->SlavePath(), rawPeer);
        if (!FPeer->IsOpen())
            GTEST_SKIP() << "cannot open " << FDevice->SlavePath();
    }

    void EnterConfigMode()
    {
        FDevice->Reset();
        ASSERT_EQ(FPeer->ReadUntil(Banner), Banner);
        ASSERT_TRUE(FPeer->Write("\r\r\x1b\x1b\r"));
        ASSERT_EQ(FPeer->ReadUntil(Entry + "\r\n#"), Entry + "\r\n#");
    }

    std::string Ask(const std::string& line)
    {
        EXPECT_TRUE(FPeer->Write(line + "\r"));
        return FPeer->ReadUntil("#");
    }

    // The reply a well-behaved device gives to line in configuration mode with parameters.
    static std::string Honest(const std::string& line, const TSimParameters& parameters = {})
    {
        TSimProtocol protocol;
        protocol.Commands().SetStored(parameters);
        protocol.Reset({});
        protocol.Input("\r\r\x1b\x1b", {});
        std::string bytes;
        for (const TSimReply& reply : protocol.Input(line + "\r", {}))
            bytes += reply.Bytes;
        return bytes;
    }

    std::unique_ptr<TSimDevice> FDevice;
    std::unique_ptr<TPtyPeer> FPeer;
};

// Waits for the peer's side of the line to report a hang-up.
bool HungUp(int fd)
{
    pollfd poller{fd, POLLIN, 0};
    return ::poll(&poller, 1, 5000) == 1 && (poller.revents & POLLHUP);
}

}  // namespace

TEST_F(SimDeviceTest, ConversationIsByteExact)
{
    Start();
    if (IsSkipped())
        return;
    EnterConfigMode();
    EXPECT_TRUE(FDevice->InConfigMode());
    EXPECT_EQ(Ask("aciomco 2"), "aciomco 2\r\n#");
    EXPECT_EQ(FDevice->Current().Aciomco, 2);
    EXPECT_EQ(Ask("vmoddi/2.msni "), "vmoddi/2.msni \r\n#");
    ASSERT_TRUE(FPeer->Write("go\r"));
    EXPECT_EQ(FPeer->ReadUntil("\r\n"), "go\r\n");
    EXPECT_TRUE(FDevice->WaitForState(ESimRunning, 5s));
    // The device counts bytes once its write returned, which may be after the peer read them.
    const uint64_t sent = (Banner + Entry + "\r\n#" + "aciomco 2\r\n#" + "vmoddi/2.msni \r\n#" + "go\r\n").size();
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (FDevice->SentCount() < sent && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(FDevice->SentCount(), sent);

    EXPECT_EQ(FDevice->Received(), "\r\r\x1b\x1b\raciomco 2\rvmoddi/2.msni \rgo\r");
    EXPECT_EQ(FDevice->CommandLines(),
              (std::vector<std::string>{"", "aciomco 2", "vmoddi/2.msni ", "go"}));
    FDevice->ClearReceived();
    EXPECT_EQ(FDevice->Received(), "");
}

TEST_F(SimDeviceTest, SlaveStaysRawAndOpenWhileToolsComeAndGo)
{
    // A peer that sets nothing itself still finds the line raw, and a tool closing its side
    // does not cost the device its line.
    Start({}, false);
    if (IsSkipped())
        return;
    termios settings{};
    ASSERT_EQ(::tcgetattr(FPeer->Fd(), &settings), 0);
    EXPECT_EQ(settings.c_lflag & (ECHO | ICANON), 0u);
    EXPECT_EQ(settings.c_iflag & ICRNL, 0u);

    FPeer.reset();
    FPeer = std::make_unique<TPtyPeer>(FDevice->SlavePath(), false);
    ASSERT_TRUE(FPeer->IsOpen());
    FDevice->Reset();
    EXPECT_EQ(FPeer->ReadUntil(Banner), Banner);
    EXPECT_TRUE(FDevice->LineUp());
}

TEST_F(SimDeviceTest, SplitRepliesKeepTheByteStream)
{
    TSimDeviceOptions options;
    options.Split = true;
    options.Seed = 3;
    Start(options);
    if (IsSkipped())
        return;
    EnterConfigMode();
    for (const std::string line : {"show", "help", "isdn", "aciomco 9"})
        EXPECT_EQ(Ask(line), Honest(line)) << line;
    // Six replies so far; pieces arriving on their own show the split took place.
    EXPECT_GT(FPeer->Reads(), 6u);
}

TEST_F(SimDeviceTest, PaceTakesTheTimeOf9600Baud)
{
    TSimDeviceOptions options;
    options.Pace = true;
    Start(options);
    if (IsSkipped())
        return;
    const std::string bytes(96, 'x');
    const auto start = TClock::now();
    FDevice->SendRaw(bytes);
    EXPECT_EQ(FPeer->ReadCount(96), bytes);
    EXPECT_GE(TClock::now() - start, 90ms);
}

TEST_F(SimDeviceTest, SilentReadsButDoesNotAnswer)
{
    Start();
    if (IsSkipped())
        return;
    EnterConfigMode();
    FDevice->SetSilent(true);
    ASSERT_TRUE(FPeer->Write("aciomco 1\r"));
    ASSERT_TRUE(FDevice->WaitForReceived([](std::string_view r) { return r.ends_with("1\r"); }, 5s));
    // Carried out after the silent line was dealt with: the marker is the next thing on the line.
    FDevice->SendRaw("!");
    FDevice->SetSilent(false);
    EXPECT_EQ(Ask("aciomco"), "!aciomco\r\n3\r\n#");
}

TEST_F(SimDeviceTest, MisbehaviourOnOrder)
{
    struct TCase {
        const char* Name;
        std::function<void(TSimDevice&)> Order;
        std::string Line;
        std::function<void(TPtyPeer&, TSimDevice&)> Check;
    };
    const std::vector<TCase> cases = {
        {"garbage", [](TSimDevice& d) { d.GarbageNextReply(50); }, "aciomco",
         [](TPtyPeer& peer, TSimDevice&) {
             const std::string bytes = peer.ReadCount(50);
             ASSERT_EQ(bytes.size(), 50u);
             EXPECT_EQ(bytes.find('#'), std::string::npos);
         }},
        {"nul", [](TSimDevice& d) { d.NulInNextReply(); }, "aciomco",
         [](TPtyPeer& peer, TSimDevice&) {
             EXPECT_EQ(peer.ReadUntil("#"), std::string("aci\0omco\r\n3\r\n#", 14));
         }},
        {"flood", [](TSimDevice& d) { d.FloodNextReply(300); }, "aciomco",
         [](TPtyPeer& peer, TSimDevice&) {
             const std::string bytes = peer.ReadCount(13 + 300);
             ASSERT_EQ(bytes.size(), 13u + 300u);
             EXPECT_EQ(bytes.substr(0, 13), "aciomco\r\n3\r\n#");
             EXPECT_EQ(bytes.find('#', 13), std::string::npos);
         }},
        {"reset mid-reply", [](TSimDevice& d) { d.ResetMidNextReply(); }, "show",
         [](TPtyPeer& peer, TSimDevice& device) {
             const std::string show = Honest("show");
             EXPECT_EQ(peer.ReadUntil(Banner), show.substr(0, show.size() / 2) + Banner);
             EXPECT_EQ(device.State(), ESimAwaitingConfirmation);
             ASSERT_TRUE(peer.Write("\r\r\x1b\x1b"));
             EXPECT_EQ(peer.ReadUntil("#"), Entry);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Start();
        if (IsSkipped())
            return;
        EnterConfigMode();
        c.Order(*FDevice);
        ASSERT_TRUE(FPeer->Write(c.Line + "\r"));
        c.Check(*FPeer, *FDevice);
        // Used up by that reply: the device answers honestly again.
        EXPECT_EQ(Ask("aciomco"), "aciomco\r\n3\r\n#");
    }
}

TEST_F(SimDeviceTest, HangUpNowOrMidReply)
{
    for (const bool midReply : {false, true}) {
        SCOPED_TRACE(midReply ? "mid-reply" : "now");
        Start();
        if (IsSkipped())
            return;
        EnterConfigMode();
        if (midReply) {
            FDevice->HangUpMidNextReply();
            ASSERT_TRUE(FPeer->Write("show\r"));
            // Reads until the hang-up ends the stream.
            const std::string show = Honest("show");
            EXPECT_EQ(FPeer->Read([](const std::string&) { return false; }),
                      show.substr(0, show.size() / 2));
        } else {
            FDevice->HangUp();
        }
        EXPECT_TRUE(HungUp(FPeer->Fd()));
        EXPECT_FALSE(FPeer->Write("x"));
        EXPECT_EQ(errno, EIO);
        EXPECT_FALSE(FDevice->LineUp());
    }
}

TEST_F(SimDeviceTest, ConfirmationWindowCloses)
{
    TSimDeviceOptions options;
    options.ConfirmationWindow = 50ms;
    Start(options);
    if (IsSkipped())
        return;
    FDevice->Reset();
    ASSERT_EQ(FPeer->ReadUntil(Banner), Banner);
    ASSERT_TRUE(FDevice->WaitForState(ESimRunning, 5s));
    ASSERT_TRUE(FPeer->Write("\r\r\x1b\x1b\r"));
    ASSERT_TRUE(FDevice->WaitForReceived([](std::string_view r) { return r.size() == 5; }, 5s));
    FDevice->SendRaw("!");
    EXPECT_EQ(FPeer->ReadCount(1), "!");
    EXPECT_EQ(FDevice->State(), ESimRunning);
}

TEST_F(SimDeviceTest, AutoResetRepeatsOnlyOutsideConfigurationMode)
{
    TSimDeviceOptions options;
    options.AutoResetPeriod = 40ms;
    Start(options);
    if (IsSkipped())
        return;
    const std::string two = FPeer->ReadUntil(Banner + Banner);
    EXPECT_TRUE(two.ends_with(Banner + Banner));
    ASSERT_TRUE(FPeer->Write("\r\r\x1b\x1b"));
    EXPECT_TRUE(FPeer->ReadUntil(Entry).ends_with(Entry));
    ASSERT_TRUE(FDevice->WaitForState(ESimConfigMode, 5s));
    // Several periods long: a reset now would be a fault.
    EXPECT_FALSE(FDevice->WaitForState(ESimAwaitingConfirmation, 300ms));
}

TEST_F(SimDeviceTest, DestructorCutsAPacedFloodShort)
{
    TSimDeviceOptions options;
    options.Pace = true;
    Start(options);
    if (IsSkipped())
        return;
    EnterConfigMode();
    // About 100 s of line time.
    FDevice->FloodNextReply(100000);
    ASSERT_TRUE(FPeer->Write("aciomco\r"));
    ASSERT_GE(FPeer->ReadCount(20).size(), 20u);
    const auto start = TClock::now();
    FDevice.reset();
    EXPECT_LT(TClock::now() - start, 1s);
}
