#pragma once
// Ctrl-C for talvctl without a signal handler: the reaction (stopping the configuration-mode
// request, which joins threads and takes locks) runs as ordinary code on a thread of its own.
// On POSIX, SIGINT is blocked in every thread and taken by a watcher thread from a signalfd;
// construct the watcher on the main thread before any other thread starts, since threads inherit
// the signal mask of their creator, and a thread with SIGINT unblocked would take the signal
// with its default action and end the process. On Windows, the console calls its control handler
// on a thread it starts for each Ctrl-C or Ctrl-Break; there is one watcher per process.
//
// The first Ctrl-C calls OnInterrupt on that thread. A second one ends the process at once with
// status 130, for a user who will not wait for the running exchange to finish.

#include <functional>

#ifndef _WIN32
#include <thread>

#include <signal.h>
#endif

class TSigIntWatcher {
public:
    // Raises EOSError when the signal mask, the signalfd or the stop pipe (on Windows, the
    // console's control handler) cannot be set up.
    explicit TSigIntWatcher(std::function<void()> onInterrupt);
    // Stops and joins the watcher and restores the calling thread's signal mask; on Windows,
    // removes the handler and waits for an OnInterrupt still running.
    ~TSigIntWatcher();
    TSigIntWatcher(const TSigIntWatcher&) = delete;
    TSigIntWatcher& operator=(const TSigIntWatcher&) = delete;

private:
    std::function<void()> FOnInterrupt;
#ifdef _WIN32
    friend struct TConsoleControl;
#else
    void Execute();
    void CloseHandles();

    sigset_t FOldMask{};
    int FSignalHandle = -1;
    // The watcher polls the read end beside the signalfd; one byte written asks it to stop.
    int FStopRead = -1;
    int FStopWrite = -1;
    std::thread FThread;
#endif
};
