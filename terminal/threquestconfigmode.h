#pragma once
// The worker that brings a device into configuration mode while the technician presses its
// reset key: it waits for the start string, answers it, waits for the prompt and reports each
// step to its view. It reads and writes the terminal's line directly; while it runs, the
// terminal performs no exchange of its own.
//
// The terminal owns the thread object and joins it; Stop is harmless after the thread ended.

#include "terminal/configmodeview.h"
#include "terminal/synchandover.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class TKovTerminal;
class TslLine;
class TslTimerThread;

class ThRequestConfigMode {
public:
    // Created suspended; raises Exception when terminal or view is missing.
    ThRequestConfigMode(bool createSuspended, TKovTerminal* terminal, TConfigModeView* view);
    ~ThRequestConfigMode();
    ThRequestConfigMode(const ThRequestConfigMode&) = delete;
    ThRequestConfigMode& operator=(const ThRequestConfigMode&) = delete;

    void Resume();
    // Sets the terminated flag, gives up a hand-over to the view that is waiting, cuts a sleep
    // short and waits for the thread's end.
    void Stop();
    bool Terminated() const { return FTerminated.load(); }

    // How long the thread waits after sending the confirmation and after success.
    static constexpr int SettleMs = 2000;

private:
    void Execute();
    bool WaitForStartString();
    bool WaitForPrompt();
    void Fail(const std::string& reason);
    void FailOnLineError(const TslLine& line);
    // Runs call on the view's thread and waits for it; false when the request was stopped.
    bool Synchronize(std::function<void(TConfigModeView&)> call);
    void Show(tConfigModeStatus status, const std::string& reason = {});
    // False when the sleep was cut short by Stop.
    bool Sleep(int ms);

    TKovTerminal* const FTerminal;
    TConfigModeView* const FView;
    std::thread FThread;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FTimeOut{false};
    std::shared_ptr<TslTimerThread> FTimer;

    std::mutex FMutex;
    std::condition_variable FWake;
    TSyncHandOver FHandOver;
};
