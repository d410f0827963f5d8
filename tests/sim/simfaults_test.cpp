// Protects what each ordered misbehaviour does to one reply, and that it is used up by it.

#include "sim/simfaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const TSimReply Aciomco{ESimReplyCommand, "aciomco", "aciomco\r\n3\r\n#", false};
const TSimReply Entry{ESimReplyConfigMode, "", "\r\nTALV configuration\r\n#", false};

bool IsPrintable(char c) { return c >= 0x20 && c < 0x7f; }

}  // namespace

TEST(SimFaults, EachOrderShapesTheNextReply)
{
    struct TCase {
        const char* Name;
        std::function<void(TSimFaults&)> Arm;
        TSimReply Reply;
        std::function<void(const TSimTransmission&)> Check;
    };
    const std::vector<TCase> cases = {
        {"none", [](TSimFaults&) {}, Aciomco,
         [](const TSimTransmission& out) {
             EXPECT_EQ(out.Bytes, Aciomco.Bytes);
             EXPECT_EQ(out.After, ESimAfterNothing);
             EXPECT_EQ(out.Note, "");
         }},
        {"garbage", [](TSimFaults& f) { f.ArmGarbage(600); }, Aciomco,
         [](const TSimTransmission& out) {
             ASSERT_EQ(out.Bytes.size(), 600u);
             EXPECT_EQ(out.Bytes.find('#'), std::string::npos);
             EXPECT_EQ(out.Bytes.find("aciomco"), std::string::npos);
             EXPECT_TRUE(std::any_of(out.Bytes.begin(), out.Bytes.end(),
                                     [](char c) { return c >= 0 && c < 0x20; }));
         }},
        {"nul in the echo", [](TSimFaults& f) { f.ArmNul(); }, Aciomco,
         [](const TSimTransmission& out) {
             EXPECT_EQ(out.Bytes, std::string("aci\0omco\r\n3\r\n#", 14));
         }},
        {"nul in the entry banner", [](TSimFaults& f) { f.ArmNul(); }, Entry,
         [](const TSimTransmission& out) {
             EXPECT_EQ(out.Bytes, std::string("\r\nTALV conf\0iguration\r\n#", 24));
         }},
        {"flood after", [](TSimFaults& f) { f.ArmFlood(3000, true); }, Aciomco,
         [](const TSimTransmission& out) {
             ASSERT_EQ(out.Bytes.size(), Aciomco.Bytes.size() + 3000);
             EXPECT_TRUE(out.Bytes.starts_with(Aciomco.Bytes));
             const std::string text = out.Bytes.substr(Aciomco.Bytes.size());
             EXPECT_TRUE(std::all_of(text.begin(), text.end(), IsPrintable));
             EXPECT_EQ(text.find('#'), std::string::npos);
         }},
        {"flood instead", [](TSimFaults& f) { f.ArmFlood(100, false); }, Aciomco,
         [](const TSimTransmission& out) {
             ASSERT_EQ(out.Bytes.size(), 100u);
             EXPECT_EQ(out.Bytes.find('#'), std::string::npos);
         }},
        {"reset mid-reply", [](TSimFaults& f) { f.ArmResetMid(); }, Aciomco,
         [](const TSimTransmission& out) {
             EXPECT_EQ(out.Bytes, "aciomc");
             EXPECT_EQ(out.After, ESimAfterReset);
         }},
        {"hang-up wins over reset", [](TSimFaults& f) { f.ArmResetMid(); f.ArmHangUpMid(); },
         Aciomco,
         [](const TSimTransmission& out) {
             EXPECT_EQ(out.Bytes, "aciomc");
             EXPECT_EQ(out.After, ESimAfterHangUp);
         }},
        {"nul then cut", [](TSimFaults& f) { f.ArmNul(); f.ArmResetMid(); }, Aciomco,
         [](const TSimTransmission& out) {
             EXPECT_EQ(out.Bytes, std::string("aci\0omc", 7));
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSimFaults faults(7);
        c.Arm(faults);
        const TSimTransmission out = faults.Apply(c.Reply);
        c.Check(out);
        // Used up: the reply after goes out as it is.
        EXPECT_FALSE(faults.Armed());
        EXPECT_EQ(faults.Apply(c.Reply).Bytes, c.Reply.Bytes);
    }
}

TEST(SimFaults, SeedRepeatsTheRandomBytes)
{
    TSimFaults first(42), second(42), other(43);
    const std::string bytes = first.Garbage(64);
    EXPECT_EQ(second.Garbage(64), bytes);
    EXPECT_NE(other.Garbage(64), bytes);
}
