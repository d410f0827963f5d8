// The terminal's worker: exchanges that run off the owner's thread, their events handed over to
// it, and their cancel.
#include "terminal/kovterminal.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"

#include <chrono>

void TKovTerminal::RunExchange(TExchangeJob job, TExchangeDone done)
{
    if (!FPost)
        throw Exception("TKovTerminal::RunExchange: kein Ziel für die Ereignisse gesetzt.");
    if (FExchangeRunning)
        throw Exception("TKovTerminal::RunExchange: es läuft schon ein Austausch.");
    FCancelRequested.store(false);
    FExchangeStep.store(0);
    FHandOver.Reset();
    const unsigned generation = ++FExchangeGeneration;
    FExchangeRunning = true;
    try {
        FWorker = std::thread([this, job = std::move(job), done = std::move(done), generation] {
            FWorkerId.store(std::this_thread::get_id());
            std::exception_ptr error;
            try {
                job(*this);
            } catch (...) {
                error = std::current_exception();
            }
            FWorkerId.store(std::thread::id());
            // The worker's last act: nothing of it runs after this post, so the posted call can
            // join it. A stop on the way has moved the generation on, or the terminal is gone.
            FPost([this, alive = std::weak_ptr<char>(FAlive), generation, done, error] {
                if (!alive.lock() || generation != FExchangeGeneration)
                    return;
                FWorker.join();
                FExchangeRunning = false;
                if (done)
                    done(error);
            });
        });
    } catch (...) {
        FExchangeRunning = false;
        throw;
    }
}

void TKovTerminal::StopExchange()
{
    ++FExchangeGeneration;
    FCancelRequested.store(true);
    // The worker may be waiting for an event to run on this very thread.
    FHandOver.GiveUp();
    if (FWorker.joinable())
        FWorker.join();
    FExchangeRunning = false;
}

void TKovTerminal::Fire(const TNotifyEvent& event)
{
    if (!event)
        return;
    if (FPost && std::this_thread::get_id() == FWorkerId.load()) {
        // Given up: the owner is stopping the exchange, which then ends at its next step.
        if (!FHandOver.Run(FPost, [this, &event] { event(*this); }))
            FCancelRequested.store(true);
        return;
    }
    event(*this);
}

// Runs on the reply timer's thread, which must not wait for the owner's: the owner may be
// waiting for the timer.
void TKovTerminal::DoTimerProcess()
{
    if (!OnTimerProcess)
        return;
    if (!FPost) {
        OnTimerProcess(*this);
        return;
    }
    FPost([this, alive = std::weak_ptr<char>(FAlive)] {
        if (alive.lock() && OnTimerProcess)
            OnTimerProcess(*this);
    });
}

void TKovTerminal::ThrowIfCancelled()
{
    if (!FCancelRequested.load())
        return;
    if (FWaitState != EKovWaitNone) {
        // The device finishes the reply it has begun: read it up to its prompt, or until the
        // line is quiet, so that none of it reaches the next exchange.
        TslLine& line = *Line();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(FComTimeOut);
        while (std::chrono::steady_clock::now() < deadline) {
            AnsiString text;
            uint32_t count = 0;
            if (!line.Read(text, &count) || count == 0 || text.find(DevicePrompt) != AnsiString::npos)
                break;
        }
    }
    DropExchange();
    FReceivedString.clear();
    FWaitState = EKovWaitNone;
    // The rest of the cancelled reply is meant for nobody.
    Line()->PurgeInput();
    throw EAbort(LoadStr(259));
}
