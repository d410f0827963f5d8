#include "cli/consoleconfigmodeview.h"

void TConsoleConfigModeView::ShowStatus(tConfigModeStatus status, const std::string& reason)
{
    if (status == EConfigModeWaitForStart) {
        if (FWaitingShown)
            return;
        FWaitingShown = true;
    }
    // Written before the outcome is published: the owner writes to the same stream only after
    // it has seen the outcome and stopped the request thread.
    FStatus << ConfigModeStatusText(status, reason) << '\n' << std::flush;
    if (status == EConfigModeFailed)
        Finish(EFailed, reason);
}

void TConsoleConfigModeView::CloseOk()
{
    Finish(ESucceeded);
}

void TConsoleConfigModeView::Cancel()
{
    Finish(ECancelled);
}

void TConsoleConfigModeView::Finish(tOutcome outcome, const std::string& reason)
{
    {
        std::lock_guard lock(FMutex);
        if (FOutcome != EPending)
            return;
        FOutcome = outcome;
        FReason = reason;
    }
    FEnded.notify_all();
}

TConsoleConfigModeView::tOutcome TConsoleConfigModeView::WaitForEnd()
{
    std::unique_lock lock(FMutex);
    FEnded.wait(lock, [this] { return FOutcome != EPending; });
    return FOutcome;
}

std::string TConsoleConfigModeView::FailureReason() const
{
    std::lock_guard lock(FMutex);
    return FReason;
}
