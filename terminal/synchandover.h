#pragma once
// Runs calls of a worker thread on another thread (the GUI thread, as a rule) and lets the worker
// wait for each: what Delphi-era code knew as Synchronize. The owner of the worker gives the
// hand-over up before it waits for the worker's end, since the thread that would run the call
// may be the very thread that waits.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class TSyncHandOver {
public:
    // Hands a call to the thread it is to run on and returns at once.
    using TPost = std::function<void(std::function<void()>)>;

    // Posts call and waits until it has run. False, and call is skipped or was never posted,
    // when the hand-over was given up before or while waiting.
    bool Run(const TPost& post, std::function<void()> call);
    // From the owner's thread: Run returns false from now on, a waiting Run at once.
    void GiveUp();
    // Runs calls again after GiveUp, for the next worker.
    void Reset();
    bool GivenUp() const;

private:
    struct TCall;

    mutable std::mutex FMutex;
    bool FGivenUp = false;
    std::shared_ptr<TCall> FPending;
};
