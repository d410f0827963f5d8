#pragma once
// The owner's side of terminals whose exchanges run on their workers, as the window's event loop
// is in the desktop program: the terminals post their events and their end here, and the thread
// that runs the loop runs them in the order they came.

#include "terminal/kovterminal.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>

namespace exchangebench {

class TPostLoop {
public:
    // The event post to hand to each terminal (SetEventPost). It only queues, so a worker never
    // runs an event itself; the loop must outlive every terminal that has it.
    TKovTerminal::TPost Post()
    {
        return [this](std::function<void()> call) {
            const std::lock_guard<std::mutex> lock(FMutex);
            FCalls.push_back(std::move(call));
            FPosted.notify_one();
        };
    }

    // Runs the posted calls until done() holds; raises when limit passes first.
    void RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            std::function<void()> call;
            {
                std::unique_lock<std::mutex> lock(FMutex);
                if (!FPosted.wait_until(lock, deadline, [this] { return !FCalls.empty(); }))
                    throw std::runtime_error("the exchanges on the workers did not end in time");
                call = std::move(FCalls.front());
                FCalls.pop_front();
            }
            call();
        }
    }

private:
    std::mutex FMutex;
    std::condition_variable FPosted;
    std::deque<std::function<void()>> FCalls;
};

}  // namespace exchangebench
