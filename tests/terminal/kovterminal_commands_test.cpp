// Protects the parameter commands end to end over a line (played in process): the bytes of every command, the
// order of the bulk transfers, values read back from the echoes, and configuration-mode tracking.
#include "platform/exceptions.h"
#include "terminal/kovterminal.h"
#include "slutil/slline.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <utility>

using namespace std::chrono_literals;

namespace {

// A line whose device answers every command line at once with what `reply` makes of it and
// records the lines; the terminal talks over it instead of a port.
class TScriptedDevice {
public:
    TScriptedDevice(TKovTerminal& terminal, std::function<std::string(const std::string&)> reply)
        : FLine(std::make_shared<TLine>(std::move(reply)))
    {
        terminal.SetLine(FLine);
        terminal.Open();
    }
    std::vector<std::string> Lines() const { return FLine->Lines; }

private:
    struct TLine : TslLine {
        explicit TLine(std::function<std::string(const std::string&)> reply) : Reply(std::move(reply)) {}
        void Open() override { Active = true; }
        bool Close() override { return std::exchange(Active, false); }
        bool GetActive() const override { return Active; }
        int32_t ReadTimeOut() const override { return 500; }
        bool Read(std::string& text, uint32_t* count) override
        {
            text.swap(Pending);
            Pending.clear();
            *count = static_cast<uint32_t>(text.size());
            return true;
        }
        bool Write(const std::string& text) override
        {
            Written += text;
            for (size_t cr; (cr = Written.find('\r')) != std::string::npos; Written.erase(0, cr + 1)) {
                Lines.push_back(Written.substr(0, cr));
                Pending += Reply(Lines.back());
            }
            return true;
        }
        void PurgeInput() override { Pending.clear(); }
        int LastError() const override { return 0; }

        std::function<std::string(const std::string&)> Reply;
        bool Active = false;
        std::string Written, Pending;
        std::vector<std::string> Lines;
    };
    std::shared_ptr<TLine> FLine;
};

// Echo, the value for a query, the prompt: as a device answers.
std::string EchoDevice(const std::string& line, const std::map<std::string, std::string>& values)
{
    if (line == "go" || line == "quit")
        return line + "\r\n";
    const auto value = values.find(line);
    return line + "\r\n" + (value != values.end() ? value->second + "\r\n" : "") + "#";
}

struct TCommands : ::testing::Test {
    TKovTerminal T;
    std::vector<std::string> Log;

    void SetUp() override
    {
        T.SetComTimeOut(2000);
        T.OnLogSend = [this](TKovTerminal& t) { Log.push_back("<= " + t.SentString()); };
        T.OnLogReceived = [this](TKovTerminal& t) { Log.push_back("=> " + t.ReceivedString()); };
    }
};

}  // namespace

TEST_F(TCommands, FixedCommandsEndThroughThePromptAndSetConfigMode)
{
    TScriptedDevice device(T, [](const std::string& line) { return EchoDevice(line, {}); });
    const struct { std::function<void()> call; const char* text; } cases[] = {
        {[&] { T.SendShow(); }, "show"},       {[&] { T.SendSave(); }, "save"},
        {[&] { T.SendHelp(); }, "help"},       {[&] { T.SendDefault(); }, "defa"},
        {[&] { T.SendDefaultFactory(); }, "defa 1"},
    };
    for (const auto& c : cases) {
        T.SetConfigMode(false);
        c.call();
        EXPECT_TRUE(T.GetConfigMode()) << c.text;
        EXPECT_EQ(T.GetWaitState(), EKovWaitNone) << c.text;
        EXPECT_EQ(T.ReceivedString(), c.text);
    }
    EXPECT_EQ(device.Lines(), (std::vector<std::string>{"show", "save", "help", "defa", "defa 1"}));
}

TEST_F(TCommands, GoExpectsNoReplyAndTheRunOutTimerEndsConfigMode)
{
    TScriptedDevice device(T, [](const std::string& line) { return EchoDevice(line, {}); });
    T.SetComTimeOut(700);  // two ticks
    T.SetConfigMode(true);
    const auto start = std::chrono::steady_clock::now();
    T.SendGo();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);  // does not wait
    EXPECT_EQ(T.GetWaitState(), EKovWaitGo);
    while (T.GetConfigMode() && std::chrono::steady_clock::now() - start < 2s)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(T.GetConfigMode());
    EXPECT_EQ(Log, (std::vector<std::string>{"<= go"}));  // nothing was read
}

TEST_F(TCommands, SendConfigurationWritesAllSixInOrderAndStoresTheEchoes)
{
    TScriptedDevice device(T, [](const std::string& line) { return EchoDevice(line, {}); });
    T.Parameters().SetMsnIncoming(0, "0301");
    T.Parameters().SetMsnIncoming(1, "");
    T.Parameters().SetAutomaticCallMode(EAciomcoB2);
    T.Parameters().SetAutomaticCallNumber(0, "-");
    T.Parameters().SetAutomaticCallNumber(1, "0401");
    T.Parameters().SetIsdnDChannelProtocol(IsdnLeasedLineB1B2);
    T.SendConfiguration();
    EXPECT_EQ(device.Lines(), (std::vector<std::string>{"aciomco 2", "aciomcatab1 -", "aciomcatab2 0401", "isdn 14",
                                                        "vmoddi/1.msni 0301", "vmoddi/2.msni "}));
    EXPECT_EQ(Log.size(), 12u);
    EXPECT_EQ(Log[1], "=> aciomco 2");
    EXPECT_EQ(Log[11], "=> vmoddi/2.msni");
    EXPECT_EQ(T.Parameters().GetMsnIncoming(1), "");
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(1), "0401");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnLeasedLineB1B2);
}

TEST_F(TCommands, ReceiveConfigurationReadsEveryParameter)
{
    TScriptedDevice device(T, [](const std::string& line) {
        return EchoDevice(line, {{"aciomco", "1"},
                                 {"aciomcatab1", "0309"},
                                 {"aciomcatab2", ""},
                                 {"isdn", "12-Standleitung B1"},
                                 {"vmoddi/1.msni", "4711"},
                                 {"vmoddi/2.msni", "-"}});
    });
    std::vector<std::string> events;
    T.OnReceiveAutomaticCallMode = [&](TKovTerminal&) { events.push_back("mode"); };
    T.OnReceiveAutomaticCallNumber = [&](TKovTerminal&) { events.push_back("number"); };
    T.OnReceiveIsdnDChannelProtocol = [&](TKovTerminal&) { events.push_back("isdn"); };
    T.OnReceiveMsnIncoming = [&](TKovTerminal&) { events.push_back("msn"); };
    T.Parameters().SetAutomaticCallNumber(1, "alt");
    T.ReceiveConfiguration();
    EXPECT_EQ(device.Lines(), (std::vector<std::string>{"aciomco", "aciomcatab1", "aciomcatab2", "isdn",
                                                        "vmoddi/1.msni", "vmoddi/2.msni"}));
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1);
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(0), "0309");
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(1), "");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnLeasedLineB1);
    EXPECT_EQ(T.Parameters().GetMsnIncoming(0), "4711");
    EXPECT_EQ(T.Parameters().GetMsnIncoming(1), "-");
    EXPECT_EQ(events, (std::vector<std::string>{"mode", "number", "number", "isdn", "msn", "msn"}));
}

TEST_F(TCommands, BadValueEndsTheBulkTransferAndKeepsEarlierValues)
{
    TScriptedDevice device(T, [](const std::string& line) {
        return EchoDevice(line, {{"aciomco", "0"}, {"aciomcatab1", "55"}, {"aciomcatab2", "66"}, {"isdn", "4-?"}});
    });
    try {
        T.ReceiveConfiguration();
        ADD_FAILURE() << "no error";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "CheckIsdnDChannelProtocol: unzulässiger Wert 4");
    }
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(1), "66");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnDss1);
    EXPECT_EQ(device.Lines().size(), 4u);
}
