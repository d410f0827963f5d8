// Protects the simulated device's in-process line end: whole answers without waiting, the read
// time-out of a silent line, and a hang-up that fails reads and writes with EIO.

#include "sim/simdevice.h"
#include "slutil/slline.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

struct TRead {
    bool Ok;
    std::string Text;
    TClock::duration Took;
};

TRead ReadOnce(TslLine& line)
{
    const auto start = TClock::now();
    std::string text;
    uint32_t count = 0;
    const bool ok = line.Read(text, &count);
    return {ok, text, TClock::now() - start};
}

}  // namespace

TEST(SimLineEnd, AnswersAtOnceWaitsOnlyWhenSilentAndFailsAfterAHangUp)
{
    TSimDeviceOptions options;
    options.InProcess = true;
    TSimDevice device(options);
    TslLine& line = *device.LineEnd();
    EXPECT_TRUE(device.SlavePath().empty());
    device.Reset();
    line.Open();  // drops the banner sent before, as a port does

    const TRead silent = ReadOnce(line);
    EXPECT_TRUE(silent.Ok);
    EXPECT_EQ(silent.Text, "");
    EXPECT_GE(silent.Took, 450ms);

    // The confirmation's answer comes whole in one read, without the read time-out.
    ASSERT_TRUE(line.Write("\r\r\x1b\x1b\r"));
    const TRead entry = ReadOnce(line);
    EXPECT_EQ(entry.Text, "\r\nTALV configuration\r\n#\r\n#");
    EXPECT_LT(entry.Took, 400ms);

    device.HangUpMidNextReply();
    ASSERT_TRUE(line.Write("aciomco\r"));
    EXPECT_EQ(ReadOnce(line).Text, "aciomc");  // half of "aciomco\r\n3\r\n#"
    const TRead broken = ReadOnce(line);
    EXPECT_FALSE(broken.Ok);
    EXPECT_EQ(line.LastError(), EIO);
    EXPECT_FALSE(line.Write("aciomco\r"));
    line.Close();
    EXPECT_THROW(line.Open(), std::exception);
}
