#include "slutil/sltimerthread.h"

#include <chrono>
#include <thread>

std::shared_ptr<TslTimerThread> TslTimerThread::Create(uint32_t count)
{
    return std::shared_ptr<TslTimerThread>(new TslTimerThread(count));
}

TslTimerThread::~TslTimerThread() = default;

void TslTimerThread::Resume()
{
    {
        std::lock_guard lock(FMutex);
        if (FStarted)
            return;
        FStarted = true;
    }
    // The running body owns a reference to the object, so the object lives exactly as long as
    // the last of its creator's references and its own thread; the thread is never joined.
    std::thread([self = shared_from_this()] { self->Execute(); }).detach();
}

void TslTimerThread::Terminate()
{
    {
        std::lock_guard lock(FMutex);
        FTerminated.store(true);
    }
    FWake.notify_all();
}

void TslTimerThread::WaitFor()
{
    std::unique_lock lock(FMutex);
    FWake.wait(lock, [this] { return !FStarted || FFinished; });
}

bool TslTimerThread::Finished() const
{
    std::lock_guard lock(FMutex);
    return FFinished;
}

void TslTimerThread::Execute()
{
    while (!Terminated()) {
        for (uint32_t tick = 0; tick < FCount; ++tick) {
            FTick.store(tick);
            if (OnTick)
                OnTick(*this);
            if (Terminated())
                break;
            std::unique_lock lock(FMutex);
            FWake.wait_for(lock, std::chrono::milliseconds(TickMs), [this] { return FTerminated.load(); });
        }
        if (!Terminated() && OnTimer)
            OnTimer(*this);
    }
    {
        std::lock_guard lock(FMutex);
        FFinished = true;
    }
    FWake.notify_all();
}
