#include "cli/sigintwatcher.h"

#include "cli/talvctltext.h"
#include "platform/exceptions.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

constexpr int InterruptedExitCode = 130;  // 128 + SIGINT, as a shell reports it

}  // namespace

TSigIntWatcher::TSigIntWatcher(std::function<void()> onInterrupt) : FOnInterrupt(std::move(onInterrupt))
{
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGINT);
    if (const int error = pthread_sigmask(SIG_BLOCK, &mask, &FOldMask); error != 0)
        RaiseLastOSError(error);

    FSignalHandle = signalfd(-1, &mask, SFD_CLOEXEC);
    int pipeHandles[2] = {-1, -1};
    if (FSignalHandle < 0 || pipe2(pipeHandles, O_CLOEXEC) != 0) {
        const int error = errno;
        CloseHandles();
        pthread_sigmask(SIG_SETMASK, &FOldMask, nullptr);
        RaiseLastOSError(error);
    }
    FStopRead = pipeHandles[0];
    FStopWrite = pipeHandles[1];
    FThread = std::thread([this] { Execute(); });
}

TSigIntWatcher::~TSigIntWatcher()
{
    const char stop = 0;
    while (::write(FStopWrite, &stop, 1) < 0 && errno == EINTR) {
    }
    FThread.join();
    CloseHandles();
    // A SIGINT still pending now is delivered with its default action: the user pressed Ctrl-C
    // just as talvctl was ending, and ending it by that signal is what they asked for.
    pthread_sigmask(SIG_SETMASK, &FOldMask, nullptr);
}

void TSigIntWatcher::CloseHandles()
{
    for (int* handle : {&FSignalHandle, &FStopRead, &FStopWrite}) {
        if (*handle >= 0)
            ::close(*handle);
        *handle = -1;
    }
}

void TSigIntWatcher::Execute()
{
    int interrupts = 0;
    for (;;) {
        pollfd handles[2] = {{FStopRead, POLLIN, 0}, {FSignalHandle, POLLIN, 0}};
        if (poll(handles, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (handles[0].revents != 0)
            return;
        if (!(handles[1].revents & POLLIN))
            continue;
        signalfd_siginfo info{};
        if (::read(FSignalHandle, &info, sizeof info) != static_cast<ssize_t>(sizeof info))
            continue;
        if (++interrupts == 1) {
            FOnInterrupt();
        } else {
            // This is the watcher's own thread, not a signal handler: it may build the text.
            const std::string message =
                "talvctl: " + TalvctlText(QT_TRANSLATE_NOOP("talvctl", "abgebrochen")) + "\n";
            [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, message.data(), message.size());
            _exit(InterruptedExitCode);
        }
    }
}
