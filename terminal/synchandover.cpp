#include "terminal/synchandover.h"

// One posted call. It is shared with the posted function, which may run after the worker
// stopped waiting for it (or after the hand-over is gone); Abandoned then tells it to do nothing.
struct TSyncHandOver::TCall {
    std::mutex Mutex;
    std::condition_variable Done;
    bool Finished = false;
    bool Abandoned = false;
};

bool TSyncHandOver::Run(const TPost& post, std::function<void()> call)
{
    auto pending = std::make_shared<TCall>();
    {
        std::lock_guard lock(FMutex);
        if (FGivenUp)
            return false;
        FPending = pending;
    }
    post([pending, call = std::move(call)] {
        std::lock_guard lock(pending->Mutex);
        if (!pending->Abandoned)
            call();
        pending->Finished = true;
        pending->Done.notify_all();
    });
    bool finished;
    {
        std::unique_lock lock(pending->Mutex);
        pending->Done.wait(lock, [&] { return pending->Finished || pending->Abandoned; });
        finished = pending->Finished && !pending->Abandoned;
    }
    std::lock_guard lock(FMutex);
    FPending.reset();
    return finished;
}

void TSyncHandOver::GiveUp()
{
    std::shared_ptr<TCall> pending;
    {
        std::lock_guard lock(FMutex);
        FGivenUp = true;
        pending = FPending;
    }
    if (pending) {
        std::lock_guard lock(pending->Mutex);
        pending->Abandoned = true;
        pending->Done.notify_all();
    }
}

void TSyncHandOver::Reset()
{
    std::lock_guard lock(FMutex);
    FGivenUp = false;
}

bool TSyncHandOver::GivenUp() const
{
    std::lock_guard lock(FMutex);
    return FGivenUp;
}
