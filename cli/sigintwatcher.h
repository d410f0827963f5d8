#pragma once
// Ctrl-C for talvctl without a signal handler: SIGINT is blocked in every thread and taken by a
// watcher thread from a signalfd, so the reaction (stopping the configuration-mode request,
// which joins threads and takes locks) runs as ordinary code and never inside a handler.
//
// Construct it on the main thread before any other thread starts: threads inherit the signal
// mask of their creator, and a thread with SIGINT unblocked would take the signal with its
// default action and end the process.
//
// The first SIGINT calls OnInterrupt on the watcher thread. A second one ends the process at
// once with status 130, for a user who will not wait for the running exchange to finish.

#include <functional>
#include <thread>

#include <signal.h>

class TSigIntWatcher {
public:
    // Raises EOSError when the signal mask, the signalfd or the stop pipe cannot be set up.
    explicit TSigIntWatcher(std::function<void()> onInterrupt);
    // Stops and joins the watcher and restores the calling thread's signal mask.
    ~TSigIntWatcher();
    TSigIntWatcher(const TSigIntWatcher&) = delete;
    TSigIntWatcher& operator=(const TSigIntWatcher&) = delete;

private:
    void Execute();
    void CloseHandles();

    std::function<void()> FOnInterrupt;
    sigset_t FOldMask{};
    int FSignalHandle = -1;
    // The watcher polls the read end beside the signalfd; one byte written asks it to stop.
    int FStopRead = -1;
    int FStopWrite = -1;
    std::thread FThread;
};
