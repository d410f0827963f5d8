// Protects the reply engine: unit cutting at the prompt, normalising, dispatch by first word,
// the start string, time-outs and read failures, and the bytes the terminal writes.
#include "platform/exceptions.h"
#include "terminal/kovterminal.h"
#include "tests/terminal/ptypair.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// A terminal whose port is closed: Send writes nothing but arms the wait, so units can be fed
// to the engine directly. The reply time is long enough never to run out during a test.
struct TFedTerminal : ::testing::Test {
    TKovTerminal T;
    std::vector<std::string> Log;
    int Prompts = 0;

    void SetUp() override
    {
        T.SetComTimeOut(60000);
        T.OnLogReceived = [this](TKovTerminal& t) { Log.push_back("=> " + t.ReceivedString()); };
        T.OnLogSend = [this](TKovTerminal& t) { Log.push_back("<= " + t.SentString()); };
        T.OnReceivePrompt = [this](TKovTerminal&) { ++Prompts; };
    }
};

std::string MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(TrimReceivedString, NormalisesLineBreaksPromptAndBlanks)
{
    const struct { const char* in; const char* out; } cases[] = {
        {"aciomco\r\n3\r\n", "aciomco 3"},
        {"\r\n  vmoddi/1.msni\r\n4711\r\n", "vmoddi/1.msni 4711"},
        {"a\rb\nc\n\rd", "a b c d"},
        {"a\r\n\r\nb", "a b"},
        {"x  #  y # z", "x # y z"},          // only the last prompt goes
        {"#", ""},
        {"\t\x01 isdn\r\n12-Standleitung   B1 \x7f", "isdn 12-Standleitung B1 \x7f"},
        {"", ""},
    };
    for (const auto& c : cases) {
        AnsiString text = c.in;
        EXPECT_EQ(TKovTerminal::TrimReceivedString(text), c.out) << c.in;
        EXPECT_EQ(text, c.out);
    }
}

TEST(ExtractReceivedValue, TakesTheTextAfterTheKeyLength)
{
    EXPECT_EQ(TKovTerminal::ExtractReceivedValue("vmoddi/1.msni 4711", "vmoddi/1.msni"), "4711");
    EXPECT_EQ(TKovTerminal::ExtractReceivedValue("aciomco", "aciomco"), "");
    EXPECT_EQ(TKovTerminal::ExtractReceivedValue("ab", "abcdef"), "");
    // Not checked against the key: callers test that the key occurs first.
    EXPECT_EQ(TKovTerminal::ExtractReceivedValue("xxxxxxx  7 ", "aciomco"), "7");
}

TEST_F(TFedTerminal, SplitReplyIsHandledOnceAsOneUnit)
{
    T.RequestAutomaticCallMode();
    T.ProcessReceivedText("aciomco\r\n");
    EXPECT_EQ(T.GetWaitState(), EKovWaitAciomco);
    T.ProcessReceivedText("");
    EXPECT_EQ(T.ReceiveBuffer(), "aciomco\r\n");
    T.ProcessReceivedText("2\r\n#");
    EXPECT_EQ(T.GetWaitState(), EKovWaitNone);
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB2);
    EXPECT_EQ(Log, (std::vector<std::string>{"<= aciomco", "=> aciomco 2"}));
    EXPECT_EQ(T.ReceiveBuffer(), "");
}

TEST_F(TFedTerminal, TwoUnitsInOneReadAreHandledInOrderAndTheRestStays)
{
    T.RequestMsnIncoming(0);
    T.ProcessReceivedText("vmoddi/1.msni\r\n4711\r\n#vmoddi/2.msni\r\n0815\r\n#isdn\r\n1");
    EXPECT_EQ(T.Parameters().GetMsnIncoming(0), "4711");
    EXPECT_EQ(T.Parameters().GetMsnIncoming(1), "0815");
    EXPECT_EQ(T.ReceiveBuffer(), "isdn\r\n1");
    // The rest begins the next unit of the next exchange.
    T.RequestIsdnDChannelProtocol();
    T.ProcessReceivedText("2-Standleitung B1\r\n#");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnLeasedLineB1);
}

TEST_F(TFedTerminal, BarePromptAndUnknownKeywordsEndTheWaitThroughReceivePrompt)
{
    for (const char* reply : {"#", "\r\n#", "save\r\nParameter gespeichert\r\n#", "xyz aciomco 3#"}) {
        T.Send("", EKovWaitSave);
        T.SetConfigMode(false);
        const int before = Prompts;
        T.ProcessReceivedText(reply);
        EXPECT_EQ(T.GetWaitState(), EKovWaitNone) << reply;
        EXPECT_EQ(Prompts, before + 1) << reply;
        EXPECT_TRUE(T.GetConfigMode()) << reply;
    }
    // A key later in the unit reaches no parameter handler.
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1B2);
}

TEST_F(TFedTerminal, DispatchIsByTheWholeFirstWord)
{
    T.RequestAutomaticCallNumber(1);
    T.ProcessReceivedText("aciomcatab1 0301234#");
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(0), "0301234");
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1B2);

    T.RequestAutomaticCallNumber(2);
    T.ProcessReceivedText("aciomcatab2\r\n\r\n#");
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(1), "");
}

TEST_F(TFedTerminal, ReceivedValuesAreCheckedAndConverted)
{
    T.RequestAutomaticCallMode();
    EXPECT_EQ(MessageOf([&] { T.ProcessReceivedText("aciomco\r\n7\r\n#"); }),
              "CheckAutomaticCallMode: unzulässiger Wert 7");
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1B2);
    EXPECT_EQ(T.GetWaitState(), EKovWaitNone);

    T.RequestIsdnDChannelProtocol();
    T.ProcessReceivedText("isdn 12-Standleitung B1#");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnLeasedLineB1);

    T.RequestIsdnDChannelProtocol();
    try {
        T.ProcessReceivedText("isdn#");
        FAIL() << "no conversion error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'' ist kein gültiger Integerwert");
    }

    T.RequestIsdnDChannelProtocol();
    EXPECT_EQ(MessageOf([&] { T.ProcessReceivedText("isdn 3-x#"); }), "CheckIsdnDChannelProtocol: unzulässiger Wert 3");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnLeasedLineB1);
}

TEST_F(TFedTerminal, WrongAnswerIsAPlainErrorReportedOnceAndLaterUnitsSurvive)
{
    T.RequestMsnIncoming(0);
    try {
        T.ProcessReceivedText("aciomco 2#vmoddi/1.msni 55#");
        FAIL() << "no error";
    } catch (const ERangeError&) {
        FAIL() << "a wrong answer is not a range error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "TKovTerminal::ReceiveAutomaticCallMode: falsche Antwort vom TALV erhalten.");
    }
    EXPECT_EQ(T.GetWaitState(), EKovWaitNone);
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1B2);
    // The failing unit is gone; the one after it is handled by the next call.
    EXPECT_EQ(T.ReceiveBuffer(), "vmoddi/1.msni 55#");
    T.RequestMsnIncoming(0);
    T.ProcessReceivedText("");
    EXPECT_EQ(T.Parameters().GetMsnIncoming(0), "55");
}

TEST_F(TFedTerminal, StartStringDuringAnExchangeWinsOverEarlierUnits)
{
    T.RequestAutomaticCallMode();
    EXPECT_EQ(MessageOf([&] { T.ProcessReceivedText("aciomco 2#\r\n" + StartString + "\r\nrest"); }),
              "TKovTerminal::ReceiveConfigMode: falsche Antwort vom TALV erhalten.");
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1B2);  // the unit before it was dropped
    EXPECT_EQ(T.ReceivedString(), StartString);
    EXPECT_EQ(Log.back(), "=> " + StartString);
    EXPECT_EQ(T.ReceiveBuffer(), "\r\nrest");
    EXPECT_EQ(T.GetWaitState(), EKovWaitNone);

    // A unit beginning with "+++" goes the same way.
    T.RequestAutomaticCallMode();
    EXPECT_EQ(MessageOf([&] { T.ProcessReceivedText("#+++ hallo#"); }),
              "TKovTerminal::ReceiveConfigMode: falsche Antwort vom TALV erhalten.");
}

TEST_F(TFedTerminal, SendWithEmptyTextLogsNothingButArmsTheWait)
{
    T.Send("", EKovWaitShow);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(T.GetWaitState(), EKovWaitShow);
}

TEST(KovTerminalCommandChecks, ChannelAndEntryAreCheckedBeforeAnythingIsSent)
{
    TKovTerminal t;
    t.SetComTimeOut(60000);
    int sent = 0;
    t.OnLogSend = [&](TKovTerminal&) { ++sent; };
    const struct { std::function<void()> call; const char* message; } cases[] = {
        {[&] { t.SendMsnIncoming(2, "1"); }, "TKovTerminal::SendMsnIncoming: falscher Channel 2"},
        {[&] { t.RequestMsnIncoming(-1); }, "TKovTerminal::RequestMsnIncoming: falscher Channel -1"},
        {[&] { t.ReceiveMsnIncoming(3); }, "TKovTerminal::ReceiveMsnIncoming: falscher Channel 3"},
        {[&] { t.SendAutomaticCallNumber(0, "1"); }, "TKovTerminal::SendAutomaticCallNumber: falscher Index 0"},
        {[&] { t.RequestAutomaticCallNumber(3); }, "TKovTerminal::RequestAutomaticCallNumber: falscher Index 3"},
        {[&] { t.ReceiveAutomaticCallNumber(0); },
         "TKovTerminal::ReceiveAutomaticCallNumber: falscher EntryNumber 0"},
        {[&] { t.SendAutomaticCallMode(static_cast<tAciomco>(4)); }, "CheckAutomaticCallMode: unzulässiger Wert 4"},
        {[&] { t.SendIsdnDChannelProtocol(9); }, "CheckIsdnDChannelProtocol: unzulässiger Wert 9"},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_EQ(sent, 0);
}

// ---- over a pseudo-terminal ---------------------------------------------------

namespace {

struct TPtyTerminal : ::testing::Test {
    TPtyPair Pty;
    TKovTerminal T;

    void SetUp() override
    {
        if (!Pty.Ok())
            GTEST_SKIP() << "no pseudo-terminal";
        T.SetDevicePath(Pty.SlavePath());
        T.SetComTimeOut(500);
        T.Open();
    }

    // Plays the device: answers after `delay` with `reply`, in pieces.
    std::thread Answer(std::vector<std::pair<std::chrono::milliseconds, std::string>> pieces)
    {
        return std::thread([this, pieces] {
            for (const auto& [delay, bytes] : pieces) {
                std::this_thread::sleep_for(delay);
                Pty.Write(bytes);
            }
        });
    }
};

}  // namespace

TEST_F(TPtyTerminal, OpenAndCloseTrackConnectedAndConfigMode)
{
    EXPECT_TRUE(T.GetConnected());
    EXPECT_FALSE(T.GetConfigMode());
    T.SetConfigMode(true);
    T.SetConnected(false);
    EXPECT_FALSE(T.GetConnected());
    EXPECT_FALSE(T.GetConfigMode());
    EXPECT_EQ(T.GetWaitState(), EKovWaitNone);
    T.SetConnected(true);
    EXPECT_TRUE(T.GetConnected());
}

TEST_F(TPtyTerminal, WritesExactlyTheCommandAndOneCarriageReturn)
{
    T.SendMsnIncoming(1, "");
    T.SendAutomaticCallNumber(2, "0301234");
    T.SendIsdnDChannelProtocol(IsdnLeasedLineB1B2);
    T.SendAutomaticCallMode(EAciomcoB1);
    T.RequestMsnIncoming(0);
    T.SendGo();
    EXPECT_EQ(Pty.ReadAvailable(), "vmoddi/2.msni \raciomcatab2 0301234\risdn 14\raciomco 1\rvmoddi/1.msni\rgo\r");
}

TEST_F(TPtyTerminal, ReplyArrivingInPiecesOverSeveralReads)
{
    auto device = Answer({{50ms, "vmoddi/2.msni\r\n"}, {600ms, "4711\r\n"}, {50ms, "#"}});
    T.SetComTimeOut(3000);
    T.RequestMsnIncoming(1);
    T.ProcessReceived();
    device.join();
    EXPECT_EQ(T.Parameters().GetMsnIncoming(1), "4711");
    EXPECT_TRUE(T.GetConfigMode() == false);  // a parameter reply is no bare prompt
}

TEST_F(TPtyTerminal, AReplyWithinTheShortestReplyTimeKeepsConfigMode)
{
    // 500 ms gives a timer without ticks that runs out during the first read; the reply that
    // read brings still ends in the prompt, so the device has not left configuration mode.
    auto device = Answer({{100ms, "aciomco\r\n1\r\n#"}});
    T.SetComTimeOut(500);
    T.SetConfigMode(true);
    T.RequestAutomaticCallMode();
    T.ProcessReceived();
    device.join();
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1);
    EXPECT_TRUE(T.GetConfigMode());
}

TEST_F(TPtyTerminal, SilentDeviceTimesOutAfterTheReplyTime)
{
    const struct { int timeOut; std::chrono::milliseconds low, high; } cases[] = {
        {500, 450ms, 1200ms},    // no ticks: one read, then the time-out
        // The timer runs out 1000 ms after sending, at the end of the second 500-ms read: who
        // comes first decides whether a third read follows, so 1000 or 1500 ms.
        {1500, 950ms, 2600ms},
    };
    for (const auto& c : cases) {
        T.SetComTimeOut(c.timeOut);
        T.SetConfigMode(true);
        T.Parameters().SetAutomaticCallMode(EAciomcoB1);
        const auto start = std::chrono::steady_clock::now();
        try {
            T.ReceiveConfiguration();
            ADD_FAILURE() << "no time-out";
        } catch (const ERangeError&) {
            ADD_FAILURE() << "a time-out is a plain error";
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()),
                      "TKovTerminal::ProcessReceived: Timout beim Senden nach " + std::to_string(c.timeOut) + " msec.");
        }
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_GE(took, c.low);
        EXPECT_LE(took, c.high);
        EXPECT_FALSE(T.GetConfigMode());
        EXPECT_EQ(T.GetWaitState(), EKovWaitNone);
        EXPECT_EQ(T.ReceiveBuffer(), "");
        EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1);  // the first step failed: nothing changed
        EXPECT_EQ(Pty.ReadAvailable(), "aciomco\r");        // and no further step was sent
    }
}

TEST_F(TPtyTerminal, IncompleteReplyIsDroppedOnTimeOut)
{
    Pty.Write("aciomco\r\n3");
    T.RequestAutomaticCallMode();
    EXPECT_THROW(T.ProcessReceived(), Exception);
    EXPECT_EQ(T.ReceiveBuffer(), "");
    EXPECT_EQ(T.ReceivedString(), "");
}

TEST_F(TPtyTerminal, HangUpMidExchangeIsASystemError)
{
    auto device = std::thread([this] {
        std::this_thread::sleep_for(100ms);
        Pty.Write("aciomco\r\n");
        std::this_thread::sleep_for(100ms);
        Pty.HangUp();
    });
    T.SetComTimeOut(5000);
    T.RequestAutomaticCallMode();
    const auto start = std::chrono::steady_clock::now();
    try {
        T.ProcessReceived();
        ADD_FAILURE() << "no error";
    } catch (const EOSError& e) {
        EXPECT_NE(e.ErrorCode(), 0);
        EXPECT_EQ(std::string(e.what()).rfind("Systemfehler. Code: " + std::to_string(e.ErrorCode()) + ".\n", 0), 0u)
            << e.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    device.join();
}

TEST_F(TPtyTerminal, CommandThatCannotBeWrittenIsASystemErrorNotASentLine)
{
    std::vector<std::string> sent;
    T.OnLogSend = [&](TKovTerminal& t) { sent.push_back(t.SentString()); };
    Pty.HangUp();
    try {
        T.SendGo();
        ADD_FAILURE() << "no error";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), EIO);
    }
    EXPECT_TRUE(sent.empty());
}

TEST_F(TPtyTerminal, ReadOnAClosedPortIsTheGenericSystemError)
{
    T.RequestAutomaticCallMode();
    T.Port()->Close();
    try {
        T.ProcessReceived();
        ADD_FAILURE() << "no error";
    } catch (const EOSError& e) {
        EXPECT_STREQ(e.what(), "Eine Systemfunktion ist fehlgeschlagen");
    }
}

TEST(KovTerminalBuffers, EachTerminalKeepsItsOwnReceiveBuffer)
{
    TKovTerminal a, b;
    a.SetComTimeOut(60000);
    b.SetComTimeOut(60000);
    a.RequestMsnIncoming(0);
    a.ProcessReceivedText("vmoddi/1.msni 1#vmoddi/1.msni 2");
    b.RequestMsnIncoming(0);
    b.ProcessReceivedText("vmoddi/1.msni 3#");
    EXPECT_EQ(b.Parameters().GetMsnIncoming(0), "3");
    EXPECT_EQ(a.ReceiveBuffer(), "vmoddi/1.msni 2");
    EXPECT_EQ(b.ReceiveBuffer(), "");
}

TEST(KovTerminalTimers, DestroyingATerminalWithRunningTimersIsSafe)
{
    // Each Send starts a reply timer that calls back into the terminal; "go" leaves its timer
    // running. The terminal must stop them all before it goes away.
    for (int i = 0; i < 20; ++i) {
        auto t = std::make_unique<TKovTerminal>();
        t->SetComTimeOut(1000);
        std::atomic<int> ticks{0};
        t->OnTimerProcess = [&](TKovTerminal&) { ++ticks; };
        t->SendGo();
        t->SendQuit();
        t.reset();
    }
    SUCCEED();
}

TEST(KovTerminalTimers, ReplacedTimerNeitherTimesOutTheNextExchangeNorClearsConfigMode)
{
    TKovTerminal t;
    t.SetComTimeOut(600);  // one tick
    t.SendGo();            // its timer would run out after about 100 ms
    t.SetComTimeOut(60000);
    t.RequestAutomaticCallMode();
    t.SetConfigMode(true);
    std::this_thread::sleep_for(400ms);
    EXPECT_TRUE(t.GetConfigMode());
    t.ProcessReceivedText("aciomco 1#");
    EXPECT_EQ(t.Parameters().GetAutomaticCallMode(), EAciomcoB1);
}

TEST(KovTerminalTimers, ReplyTimerRunningOutClearsConfigModeAndTicksAreReported)
{
    TKovTerminal t;
    t.SetComTimeOut(800);  // a port never opened has no read time-out of its own: eight ticks
    std::atomic<int> lastTick{-1};
    std::atomic<int> ticks{0};
    t.OnTimerProcess = [&](TKovTerminal& sender) {
        lastTick = sender.TimerTick();
        ++ticks;
    };
    t.SetConfigMode(true);
    t.SendGo();
    const auto end = std::chrono::steady_clock::now() + 3s;
    while (t.GetConfigMode() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(t.GetConfigMode());
    EXPECT_EQ(ticks.load(), 8);
    EXPECT_EQ(lastTick.load(), 7);
}
