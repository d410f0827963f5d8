#pragma once
// The configuration-mode request on a console: each status as a line of text, and a wait for
// the request's end that the owner can cut short (Ctrl-C).
//
// Threads: ShowStatus and CloseOk run on the request thread (the default Post runs them there
// at once); Cancel may come from any thread; WaitForEnd blocks the owner's thread. The outcome
// is guarded by a mutex; the first outcome reported is the one that counts.

#include "terminal/configmodeview.h"

#include <condition_variable>
#include <mutex>
#include <ostream>
#include <string>

class TConsoleConfigModeView : public TConfigModeView {
public:
    enum tOutcome : int { EPending = 0, ESucceeded = 1, EFailed = 2, ECancelled = 3 };

    explicit TConsoleConfigModeView(std::ostream& status) : FStatus(status) {}

    void ShowStatus(tConfigModeStatus status, const std::string& reason) override;
    void CloseOk() override;
    void Repaint() override {}

    void Cancel();
    // Blocks until the request succeeded, failed or was cancelled.
    tOutcome WaitForEnd();
    // The failure's reason once WaitForEnd returned EFailed.
    std::string FailureReason() const;

private:
    void Finish(tOutcome outcome, const std::string& reason = {});

    std::ostream& FStatus;
    // Request thread only: the request repeats "waiting for the start string" after every
    // read, which is shown once.
    bool FWaitingShown = false;

    mutable std::mutex FMutex;
    std::condition_variable FEnded;
    tOutcome FOutcome = EPending;
    std::string FReason;
};
