// Protects the device's side of the protocol byte for byte: confirmation, framing, every command.

#include "sim/simprotocol.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using TClock = TSimProtocol::TClock;

const TClock::time_point T0{};

std::string Bytes(const std::vector<TSimReply>& replies)
{
    std::string bytes;
    for (const TSimReply& reply : replies)
        bytes += reply.Bytes;
    return bytes;
}

// A device that has just been confirmed into configuration mode with the given parameters.
TSimProtocol ConfigMode(const TSimParameters& parameters = {})
{
    TSimProtocol protocol;
    protocol.Commands().SetStored(parameters);
    protocol.Reset(T0);
    protocol.Input("\r\r\x1b\x1b", T0);
    return protocol;
}

TSimParameters With(void (*change)(TSimParameters&))
{
    TSimParameters parameters;
    change(parameters);
    return parameters;
}

}  // namespace

TEST(SimProtocol, ResetSendsTheBannerAndLoadsTheStoredSet)
{
    TSimProtocol protocol;
    protocol.Commands().SetStored(With([](TSimParameters& p) { p.Aciomco = 1; }));
    protocol.Commands().SetCurrent(With([](TSimParameters& p) { p.Isdn = 5; }));
    EXPECT_EQ(protocol.Reset(T0),
              "\r\n+++ Press <CR>,<CR>,<ESC>,<ESC> to enter TA+configurator +++\r\n");
    EXPECT_EQ(protocol.State(), ESimAwaitingConfirmation);
    EXPECT_EQ(protocol.Commands().Current(), protocol.Commands().Stored());
}

TEST(SimProtocol, ConfirmationWithinTheWindow)
{
    struct TCase {
        const char* Name;
        bool Reset;
        std::vector<std::pair<std::chrono::milliseconds, std::string>> Chunks;  // at T0 + first
        std::string Expected;
        tSimState State;
    };
    const std::string entry = "\r\nTALV configuration\r\n#";
    const std::vector<TCase> cases = {
        {"exact", true, {{0ms, "\r\r\x1b\x1b"}}, entry, ESimConfigMode},
        {"bytes before", true, {{0ms, "xy\r\n\x1b\r\r\x1b\x1b"}}, entry, ESimConfigMode},
        {"third CR", true, {{0ms, "\r\r\r\x1b\x1b"}}, entry, ESimConfigMode},
        {"split", true, {{0ms, "\r"}, {10ms, "\r\x1b"}, {20ms, "\x1b"}}, entry, ESimConfigMode},
        {"with the tool's CR", true, {{0ms, "\r\r\x1b\x1b\r"}}, entry + "\r\n#", ESimConfigMode},
        {"command after", true, {{0ms, "\r\r\x1b\x1b" "aciomco\r"}}, entry + "aciomco\r\n3\r\n#",
         ESimConfigMode},
        {"last moment", true, {{4999ms, "\r\r\x1b\x1b"}}, entry, ESimConfigMode},
        {"too late", true, {{5000ms, "\r\r\x1b\x1b"}}, "", ESimRunning},
        {"interrupted", true, {{0ms, "\r\r\x1bx\x1b"}}, "", ESimAwaitingConfirmation},
        {"one CR", true, {{0ms, "\r\x1b\x1b"}}, "", ESimAwaitingConfirmation},
        {"never reset", false, {{0ms, "\r\r\x1b\x1b\r"}}, "", ESimRunning},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSimProtocol protocol;
        if (c.Reset)
            protocol.Reset(T0);
        std::string output;
        for (const auto& [at, bytes] : c.Chunks)
            output += Bytes(protocol.Input(bytes, T0 + at));
        EXPECT_EQ(output, c.Expected);
        EXPECT_EQ(protocol.State(), c.State);
    }
}

TEST(SimProtocol, WindowLengthIsConfigurable)
{
    TSimProtocol protocol(200ms);
    protocol.Reset(T0);
    EXPECT_EQ(protocol.ConfirmationDeadline(), T0 + 200ms);
    EXPECT_FALSE(protocol.Expire(T0 + 199ms));
    EXPECT_TRUE(protocol.Expire(T0 + 200ms));
    EXPECT_FALSE(protocol.Expire(T0 + 300ms));
    EXPECT_TRUE(protocol.Input("\r\r\x1b\x1b", T0 + 100ms).empty());
}

TEST(SimProtocol, CommandReplies)
{
    struct TCase {
        std::string Line;
        TSimParameters Before;
        std::string Reply;
        TSimParameters After;
    };
    const TSimParameters factory;
    const TSimParameters numbers = With([](TSimParameters& p) {
        p.Msn1 = "4711";
        p.Msn2 = "4712";
        p.Aciomco = 1;
        p.Aciomcatab1 = "0301234";
        p.Aciomcatab2 = "0305678";
        p.Isdn = 12;
    });
    const auto changed = [](TSimParameters p, auto change) { change(p); return p; };
    const std::string invalid = "\r\nFehler: unzulaessiger Wert\r\n#";
    const std::string unknown = "\r\nUnbekanntes Kommando\r\n#";
    const std::vector<TCase> cases = {
        {"", factory, "\r\n#", factory},
        {"aciomco", factory, "aciomco\r\n3\r\n#", factory},
        {"aciomco", numbers, "aciomco\r\n1\r\n#", numbers},
        {"aciomco 0", factory, "aciomco 0\r\n#", changed(factory, [](auto& p) { p.Aciomco = 0; })},
        {"aciomco 2", numbers, "aciomco 2\r\n#", changed(numbers, [](auto& p) { p.Aciomco = 2; })},
        {"aciomco 4", numbers, "aciomco 4" + invalid, numbers},
        {"aciomco -1", numbers, "aciomco -1" + invalid, numbers},
        {"aciomco +2", numbers, "aciomco +2" + invalid, numbers},
        {"aciomco 2 ", numbers, "aciomco 2 " + invalid, numbers},
        {"aciomco ", numbers, "aciomco " + invalid, numbers},
        {"aciomco 99999999999", numbers, "aciomco 99999999999" + invalid, numbers},
        {"aciomcatab1", numbers, "aciomcatab1\r\n0301234\r\n#", numbers},
        {"aciomcatab2", factory, "aciomcatab2\r\n\r\n#", factory},
        {"aciomcatab1 0891 2", factory, "aciomcatab1 0891 2\r\n#",
         changed(factory, [](auto& p) { p.Aciomcatab1 = "0891 2"; })},
        {"aciomcatab2 ", numbers, "aciomcatab2 \r\n#",
         changed(numbers, [](auto& p) { p.Aciomcatab2 = ""; })},
        {"isdn", numbers, "isdn\r\n12-Standleitung B1\r\n#", numbers},
        {"isdn 14", factory, "isdn 14\r\n#", changed(factory, [](auto& p) { p.Isdn = 14; })},
        {"isdn 0", numbers, "isdn 0\r\n#", changed(numbers, [](auto& p) { p.Isdn = 0; })},
        {"isdn 2", numbers, "isdn 2" + invalid, numbers},
        {"isdn 15", numbers, "isdn 15" + invalid, numbers},
        {"isdn DSS1", numbers, "isdn DSS1" + invalid, numbers},
        {"vmoddi/1.msni", numbers, "vmoddi/1.msni\r\n4711\r\n#", numbers},
        {"vmoddi/2.msni", factory, "vmoddi/2.msni\r\n\r\n#", factory},
        {"vmoddi/1.msni 4711", factory, "vmoddi/1.msni 4711\r\n#",
         changed(factory, [](auto& p) { p.Msn1 = "4711"; })},
        {"vmoddi/2.msni ", numbers, "vmoddi/2.msni \r\n#",
         changed(numbers, [](auto& p) { p.Msn2 = ""; })},
        {"show", numbers,
         "show\r\nvmoddi/1.msni 4711\r\nvmoddi/2.msni 4712\r\naciomco 1\r\n"
         "aciomcatab1 0301234\r\naciomcatab2 0305678\r\nisdn 12-Standleitung B1\r\n#",
         numbers},
        {"show", factory,
         "show\r\nvmoddi/1.msni \r\nvmoddi/2.msni \r\naciomco 3\r\naciomcatab1 \r\n"
         "aciomcatab2 \r\nisdn 0-DSS1\r\n#",
         factory},
        {"defa 1", numbers, "defa 1\r\nWerkseinstellungen geladen\r\n#", factory},
        {"defa 2", numbers, "defa 2" + invalid, numbers},
        {"vmoddi/3.msni", numbers, "vmoddi/3.msni" + unknown, numbers},
        {"ACIOMCO", numbers, "ACIOMCO" + unknown, numbers},
        {"show all", numbers, "show all" + unknown, numbers},
        {" aciomco", numbers, " aciomco" + unknown, numbers},
        {"go", numbers, "go\r\n", numbers},
        {"quit", numbers, "quit\r\n", numbers},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE("line '" + c.Line + "'");
        TSimProtocol protocol = ConfigMode();
        protocol.Commands().SetCurrent(c.Before);
        EXPECT_EQ(Bytes(protocol.Input(c.Line + "\r", T0)), c.Reply);
        EXPECT_EQ(protocol.Commands().Current(), c.After);
    }
}

TEST(SimProtocol, IsdnQueryNamesEveryProtocol)
{
    const std::vector<std::pair<int, std::string>> names = {
        {0, "0-DSS1"}, {1, "1-1TR6"}, {5, "5-QSIG"}, {6, "6-NI1"}, {7, "7-5ESS"}, {8, "8-DMS100"},
        {12, "12-Standleitung B1"}, {13, "13-Standleitung B2"}, {14, "14-Standleitung B1+B2"},
    };
    TSimProtocol protocol = ConfigMode();
    for (const auto& [number, text] : names) {
        EXPECT_EQ(Bytes(protocol.Input("isdn " + std::to_string(number) + "\r", T0)),
                  "isdn " + std::to_string(number) + "\r\n#");
        EXPECT_EQ(Bytes(protocol.Input("isdn\r", T0)), "isdn\r\n" + text + "\r\n#");
    }
    for (const int refused : {2, 3, 4, 9, 10, 11})
        EXPECT_EQ(Bytes(protocol.Input("isdn " + std::to_string(refused) + "\r", T0)),
                  "isdn " + std::to_string(refused) + "\r\nFehler: unzulaessiger Wert\r\n#");
}

TEST(SimProtocol, HelpListsTheCommandsWithoutAPrompt)
{
    TSimProtocol protocol = ConfigMode();
    const std::string reply = Bytes(protocol.Input("help\r", T0));
    ASSERT_TRUE(reply.starts_with("help\r\n"));
    ASSERT_TRUE(reply.ends_with("\r\n#"));
    EXPECT_EQ(reply.find('#'), reply.size() - 1);
    for (const char* keyword : {"show", "save", "defa", "go", "quit", "vmoddi/", "aciomco",
                                "aciomcatab", "isdn"})
        EXPECT_NE(reply.find(keyword, 6), std::string::npos) << keyword;
}

TEST(SimProtocol, LineAssembly)
{
    // LF and ESC never reach a command; a line may come in any number of pieces.
    TSimProtocol protocol = ConfigMode();
    EXPECT_TRUE(protocol.Input("aci\nom", T0).empty());
    EXPECT_TRUE(protocol.Input("\x1b" "co 2", T0).empty());
    EXPECT_EQ(Bytes(protocol.Input("\r\n", T0)), "aciomco 2\r\n#");
    EXPECT_EQ(Bytes(protocol.Input("\r\r", T0)), "\r\n#\r\n#");
    EXPECT_EQ(protocol.Commands().Current().Aciomco, 2);
}

TEST(SimProtocol, GoAndQuitLeaveConfigurationMode)
{
    for (const std::string command : {"go", "quit"}) {
        SCOPED_TRACE(command);
        TSimProtocol protocol = ConfigMode();
        const std::vector<TSimReply> replies = protocol.Input(command + "\r", T0);
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_TRUE(replies[0].LeftConfigMode);
        EXPECT_EQ(protocol.State(), ESimRunning);
        // Everything after is ignored, the confirmation included: only a reset opens the window.
        EXPECT_TRUE(protocol.Input("show\r\r\r\x1b\x1b\r", T0).empty());
        EXPECT_EQ(protocol.State(), ESimRunning);
    }
}

TEST(SimProtocol, SaveDefaAndReset)
{
    TSimProtocol protocol = ConfigMode();
    const auto send = [&](const std::string& line) { return Bytes(protocol.Input(line + "\r", T0)); };
    send("aciomco 1");
    send("isdn 5");
    EXPECT_EQ(send("save"), "save\r\nParameter gespeichert\r\n#");
    EXPECT_EQ(protocol.Commands().Stored(), protocol.Commands().Current());

    send("aciomco 2");
    EXPECT_EQ(send("defa"), "defa\r\nParameter geladen\r\n#");
    EXPECT_EQ(protocol.Commands().Current().Aciomco, 1);

    EXPECT_EQ(send("defa 1"), "defa 1\r\nWerkseinstellungen geladen\r\n#");
    EXPECT_EQ(protocol.Commands().Current(), TSimParameters::Factory());
    EXPECT_EQ(protocol.Commands().Stored().Isdn, 5);

    // A reset loads the stored set and drops a half-received line.
    protocol.Input("aciomco 0", T0);
    protocol.Reset(T0);
    EXPECT_EQ(protocol.Commands().Current().Aciomco, 1);
    protocol.Input("\r\r\x1b\x1b", T0);
    EXPECT_EQ(send("aciomco"), "aciomco\r\n1\r\n#");
}
