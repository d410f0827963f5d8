#include "cli/sigintwatcher.h"

#include "cli/talvctltext.h"
#include "platform/exceptions.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

constexpr UINT InterruptedExitCode = 130;  // as a POSIX shell reports an interrupted program

}  // namespace

// The console takes a plain function, so the handler finds the process's one watcher here. The
// lock lets the destructor wait for a handler thread that is calling into the watcher.
struct TConsoleControl {
    static std::mutex Lock;
    static TSigIntWatcher* Watcher;
    static std::atomic<int> Interrupts;

    static BOOL WINAPI Handle(DWORD event)
    {
        if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
            return FALSE;
        if (Interrupts.fetch_add(1) >= 1) {
            // Not under the lock: the first interrupt may still be stopping the exchange.
            const std::string message =
                "talvctl: " + TalvctlText(QT_TRANSLATE_NOOP("talvctl", "abgebrochen")) + "\n";
            std::fputs(message.c_str(), stderr);
            std::fflush(stderr);
            ::TerminateProcess(::GetCurrentProcess(), InterruptedExitCode);
        }
        const std::lock_guard lock(Lock);
        // Without a watcher, talvctl is ending: the system's default ends it now.
        if (Watcher == nullptr)
            return FALSE;
        Watcher->FOnInterrupt();
        return TRUE;
    }
};

std::mutex TConsoleControl::Lock;
TSigIntWatcher* TConsoleControl::Watcher = nullptr;
std::atomic<int> TConsoleControl::Interrupts = 0;

TSigIntWatcher::TSigIntWatcher(std::function<void()> onInterrupt) : FOnInterrupt(std::move(onInterrupt))
{
    {
        const std::lock_guard lock(TConsoleControl::Lock);
        TConsoleControl::Watcher = this;
        TConsoleControl::Interrupts = 0;
    }
    if (!::SetConsoleCtrlHandler(TConsoleControl::Handle, TRUE)) {
        const DWORD error = ::GetLastError();
        const std::lock_guard lock(TConsoleControl::Lock);
        TConsoleControl::Watcher = nullptr;
        RaiseLastOSError(static_cast<int>(error));
    }
}

TSigIntWatcher::~TSigIntWatcher()
{
    ::SetConsoleCtrlHandler(TConsoleControl::Handle, FALSE);
    // A handler thread the console started before the line above may still come: it finds no
    // watcher once the lock is ours, and one inside OnInterrupt is waited for here.
    const std::lock_guard lock(TConsoleControl::Lock);
    TConsoleControl::Watcher = nullptr;
}
