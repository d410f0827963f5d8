// Exchanges on the terminal's worker: the owner's thread stays free, every event reaches it in
// order, and a cancel or a stop ends the exchange without losing the port.
#include "platform/exceptions.h"
#include "sim/simdevice.h"
#include "terminal/kovterminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;

namespace {

// The owner's event loop: calls posted from any thread run here, when the test lets them.
class TOwnerLoop {
public:
    TKovTerminal::TPost Post()
    {
        return [this](std::function<void()> call) {
            std::lock_guard lock(FMutex);
            FCalls.push_back(std::move(call));
            FPosted.notify_all();
        };
    }

    // Runs posted calls until done holds; false when limit passed first.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            std::function<void()> call;
            {
                std::unique_lock lock(FMutex);
                if (!FPosted.wait_until(lock, deadline, [this] { return !FCalls.empty(); }))
                    return false;
                call = std::move(FCalls.front());
                FCalls.pop_front();
            }
            call();
        }
        return true;
    }

    bool WaitForPosted(std::chrono::milliseconds limit = 10s)
    {
        std::unique_lock lock(FMutex);
        return FPosted.wait_for(lock, limit, [this] { return !FCalls.empty(); });
    }

private:
    std::mutex FMutex;
    std::condition_variable FPosted;
    std::deque<std::function<void()>> FCalls;
};

struct TWorker : ::testing::Test {
    TOwnerLoop Owner;
    std::unique_ptr<TSimDevice> Device;
    TKovTerminal T;
    std::vector<std::string> Log;
    std::vector<std::thread::id> EventThreads;

    void SetUp() override
    {
        TSimDeviceOptions options;
        options.InProcess = true;
        options.Split = true;
        Device = std::make_unique<TSimDevice>(options);
        Device->SetStored({"111", "222", 1, "333", "444", 12});
        T.SetLine(Device->LineEnd());
        T.SetComTimeOut(1000);
        T.SetEventPost(Owner.Post());
        T.OnLogSend = [this](TKovTerminal& t) { Note("TALV <= " + t.SentString()); };
        T.OnLogReceived = [this](TKovTerminal& t) { Note("TALV => " + t.ReceivedString()); };
        T.Open();
        T.Send("", EKovWaitStartString);
        Device->Reset();
        T.ProcessReceived();
        ASSERT_TRUE(T.GetConfigMode());
        Log.clear();
        EventThreads.clear();
    }

    void Note(const std::string& line)
    {
        Log.push_back(line);
        EventThreads.push_back(std::this_thread::get_id());
    }

    // Runs a receive on the worker and the owner's loop until it is done; the job's error.
    std::exception_ptr Receive()
    {
        bool finished = false;
        std::exception_ptr result;
        T.RunExchange([](TKovTerminal& t) { t.ReceiveConfiguration(); },
                      [&](std::exception_ptr error) {
                          finished = true;
                          result = error;
                      });
        EXPECT_TRUE(T.ExchangeRunning());
        EXPECT_TRUE(Owner.RunUntil([&] { return finished; }));
        EXPECT_FALSE(T.ExchangeRunning());
        return result;
    }
};

std::string MessageOf(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const EAbort& e) {
        return std::string("abort: ") + e.what();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST_F(TWorker, ReceiveRunsOffTheOwnersThreadAndEveryEventReachesItInOrder)
{
    EXPECT_EQ(MessageOf(Receive()), "no error");

    const auto& p = T.Parameters();
    EXPECT_EQ(p.GetMsnIncoming(0), "111");
    EXPECT_EQ(p.GetMsnIncoming(1), "222");
    EXPECT_EQ(p.GetAutomaticCallNumber(0), "333");
    EXPECT_EQ(p.GetAutomaticCallMode(), EAciomcoB1);
    EXPECT_EQ(p.GetIsdnDChannelProtocol(), IsdnLeasedLineB1);
    EXPECT_EQ(T.ExchangeStep(), 6);
    ASSERT_EQ(Log.size(), 12u);
    for (size_t i = 0; i < Log.size(); ++i)
        EXPECT_EQ(Log[i].substr(0, 8), i % 2 ? "TALV => " : "TALV <= ") << i;
    for (const auto id : EventThreads)
        EXPECT_EQ(id, std::this_thread::get_id());
}

TEST_F(TWorker, CancelEndsAtTheNextStepAndThePortServesTheNextExchange)
{
    T.OnExchangeStep = [](TKovTerminal& t) {
        if (t.ExchangeStep() == 2)
            t.CancelExchange();
    };
    EXPECT_EQ(MessageOf(Receive()), "abort: Übertragung abgebrochen.");
    // The first reply came in full, the third command never went out.
    EXPECT_EQ(T.ExchangeStep(), 2);
    EXPECT_EQ(T.Parameters().GetAutomaticCallMode(), EAciomcoB1);
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(1), "");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnDss1);
    EXPECT_TRUE(T.GetConnected());

    T.OnExchangeStep = nullptr;
    EXPECT_EQ(MessageOf(Receive()), "no error");
    EXPECT_EQ(T.Parameters().GetAutomaticCallNumber(1), "444");
    EXPECT_EQ(T.Parameters().GetMsnIncoming(1), "222");
}

TEST_F(TWorker, StopWhileTheWorkerWaitsForTheOwnerEndsItAndDropsItsDone)
{
    bool doneRan = false;
    T.RunExchange([](TKovTerminal& t) { t.ReceiveConfiguration(); }, [&](std::exception_ptr) { doneRan = true; });
    // The first log event waits for the owner, who does not run it.
    ASSERT_TRUE(Owner.WaitForPosted());
    T.StopExchange();
    EXPECT_FALSE(T.ExchangeRunning());
    Owner.RunUntil([] { return false; }, 200ms);
    EXPECT_FALSE(doneRan);
    EXPECT_TRUE(Log.empty());

    EXPECT_EQ(MessageOf(Receive()), "no error");
    EXPECT_EQ(T.Parameters().GetIsdnDChannelProtocol(), IsdnLeasedLineB1);
}
