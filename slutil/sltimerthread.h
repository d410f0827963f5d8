#pragma once
// A worker thread that counts Count ticks of 100 ms, fires OnTick at every tick and OnTimer
// when the count has run out, then counts again until it is terminated.
//
// The thread keeps itself alive while it runs (it holds a shared reference to itself) and lets
// go when its body returns, so the creator may drop its reference at any time, and a Terminate
// through a reference kept after the thread ended is harmless.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class TslTimerThread : public std::enable_shared_from_this<TslTimerThread> {
public:
    using TNotifyEvent = std::function<void(TslTimerThread& sender)>;

    static constexpr int TickMs = 100;

    // Created suspended; set the events, then Resume.
    static std::shared_ptr<TslTimerThread> Create(uint32_t count);

    TslTimerThread(const TslTimerThread&) = delete;
    TslTimerThread& operator=(const TslTimerThread&) = delete;
    ~TslTimerThread();

    // Both run on the timer thread. Set them before Resume; they are not touched after that.
    TNotifyEvent OnTimer;
    TNotifyEvent OnTick;

    void Resume();
    // The thread ends at its next check of the flag; a sleep in progress is cut short.
    void Terminate();
    bool Terminated() const { return FTerminated.load(); }

    // Blocks until the body has returned, i.e. no event will fire any more. Returns at once for
    // a thread never resumed. Must not be called from the thread's own events.
    void WaitFor();
    bool Finished() const;

    uint32_t Count() const { return FCount; }
    uint32_t Tick() const { return FTick.load(); }

private:
    explicit TslTimerThread(uint32_t count) : FCount(count) {}
    void Execute();

    const uint32_t FCount;
    std::atomic<uint32_t> FTick{0};
    std::atomic<bool> FTerminated{false};
    mutable std::mutex FMutex;
    std::condition_variable FWake;
    bool FStarted = false;
    bool FFinished = false;
};
