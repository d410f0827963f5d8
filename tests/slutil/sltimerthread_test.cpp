// Protects the reply timer: tick and time-out order, timing, termination from every side, self-owned lifetime.
#include "slutil/sltimerthread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// What the timer thread reported, in order, with the time of each report. Shared with the timer
// thread, hence the mutex; the condition variable lets the test await a report instead of sleeping.
struct TLog {
    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<std::string> Events;
    std::vector<Clock::time_point> Times;

    void Add(const std::string& event)
    {
        {
            std::lock_guard lock(Mutex);
            Events.push_back(event);
            Times.push_back(Clock::now());
        }
        Changed.notify_all();
    }
    void AwaitCount(size_t count)
    {
        std::unique_lock lock(Mutex);
        Changed.wait(lock, [&] { return Events.size() >= count; });
    }
    std::vector<std::string> Snapshot()
    {
        std::lock_guard lock(Mutex);
        return Events;
    }
    Clock::time_point TimeOf(size_t index)
    {
        std::lock_guard lock(Mutex);
        return Times.at(index);
    }
};

// A timer that logs "<tick>" for each OnTick and "T" for each OnTimer, terminating itself on
// OnTimer number `lastTimer` and on the OnTick of tick `stopTick`, if given.
std::shared_ptr<TslTimerThread> LoggingTimer(uint32_t count, const std::shared_ptr<TLog>& log, int lastTimer,
                                             int stopTick = -1)
{
    auto timer = TslTimerThread::Create(count);
    timer->OnTick = [log, stopTick](TslTimerThread& sender) {
        log->Add(std::to_string(sender.Tick()));
        if (static_cast<int>(sender.Tick()) == stopTick)
            sender.Terminate();
    };
    timer->OnTimer = [log, lastTimer, timers = 0](TslTimerThread& sender) mutable {
        log->Add("T");
        if (++timers == lastTimer)
            sender.Terminate();
    };
    return timer;
}

long long MsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration_cast<milliseconds>(to - from).count();
}

using TEvents = std::vector<std::string>;

} // namespace

TEST(TslTimerThread, CountZeroFiresOnTimerAtOnceWithoutTicks)
{
    auto log = std::make_shared<TLog>();
    auto timer = LoggingTimer(0, log, 1);
    const auto start = Clock::now();
    timer->Resume();
    timer->WaitFor();
    EXPECT_EQ(log->Snapshot(), TEvents{"T"});
    EXPECT_LT(MsBetween(start, log->TimeOf(0)), 80);
}

TEST(TslTimerThread, TicksEvery100MsAndFiresOnTimerAgainAfterEachCount)
{
    auto log = std::make_shared<TLog>();
    auto timer = LoggingTimer(3, log, 2);
    const auto start = Clock::now();
    timer->Resume();
    timer->WaitFor();
    ASSERT_EQ(log->Snapshot(), (TEvents{"0", "1", "2", "T", "0", "1", "2", "T"}));
    EXPECT_LT(MsBetween(start, log->TimeOf(0)), 80);
    EXPECT_GE(MsBetween(start, log->TimeOf(3)), 290);
    EXPECT_LT(MsBetween(start, log->TimeOf(3)), 600);
    EXPECT_GE(MsBetween(start, log->TimeOf(7)), 590);
    EXPECT_LT(MsBetween(start, log->TimeOf(7)), 1100);
}

TEST(TslTimerThread, TerminateDuringSleepCutsItShortWithoutOnTimer)
{
    // The flag is tested after OnTick, so a terminate during a sleep still lets the next tick
    // report, if there is one.
    const struct {
        uint32_t count;
        TEvents events;
    } cases[] = {{5, {"0", "1", "2"}}, {2, {"0", "1"}}};
    for (const auto& c : cases) {
        auto log = std::make_shared<TLog>();
        auto timer = LoggingTimer(c.count, log, 99);
        timer->Resume();
        log->AwaitCount(2);
        // Nothing tells when the thread has entered its sleep after tick 1; it needs microseconds
        // for that, and a third of the tick leaves it well inside.
        std::this_thread::sleep_for(milliseconds(30));
        timer->Terminate();
        timer->WaitFor();
        EXPECT_EQ(log->Snapshot(), c.events) << "count " << c.count;
        // An uncut sleep ends no earlier than 100 ms after tick 1.
        EXPECT_LT(MsBetween(log->TimeOf(1), Clock::now()), 100) << "count " << c.count;
    }
}

TEST(TslTimerThread, TerminateFromOnTickEndsWithoutSleepingOrOnTimer)
{
    auto log = std::make_shared<TLog>();
    auto timer = LoggingTimer(3, log, 99, 1);
    timer->Resume();
    timer->WaitFor();
    EXPECT_EQ(log->Snapshot(), (TEvents{"0", "1"}));
    EXPECT_LT(MsBetween(log->TimeOf(1), Clock::now()), 100);
}

TEST(TslTimerThread, OutlivesItsCreatorsReferenceAndIgnoresLateTerminate)
{
    // Never resumed: nothing to wait for.
    TslTimerThread::Create(1)->WaitFor();

    auto log = std::make_shared<TLog>();
    auto timer = LoggingTimer(1, log, 1);
    const std::weak_ptr<TslTimerThread> watch = timer;
    timer->Resume();
    timer.reset();
    // The thread still runs its events through the object (ASan would report a freed one).
    log->AwaitCount(2);
    EXPECT_EQ(log->Snapshot(), (TEvents{"0", "T"}));
    // The thread lets go of the object when its body returns; there is no event for that moment.
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (!watch.expired() && Clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(1));
    EXPECT_TRUE(watch.expired());

    // A creator that kept its reference may still call Terminate after the end.
    auto kept = LoggingTimer(1, std::make_shared<TLog>(), 1);
    kept->Resume();
    kept->WaitFor();
    EXPECT_TRUE(kept->Finished());
    kept->Terminate();
    kept->WaitFor();
    EXPECT_TRUE(kept->Terminated());
}
