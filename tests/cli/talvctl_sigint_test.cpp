// Protects Ctrl-C in the built talvctl: one SIGINT ends a configuration-mode request at once, exit 1.
#include "cli/talvctlrunner.h"
#include "platform/exceptions.h"
#include "sim/simdevice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>

extern char** environ;

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// talvctl as a child process whose stderr the test reads through a pipe.
class TTalvctlProcess {
public:
    explicit TTalvctlProcess(const std::vector<std::string>& arguments)
    {
        int handles[2];
        if (pipe2(handles, O_CLOEXEC) != 0)
            return;
        FErrRead = handles[0];
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, handles[1], STDERR_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> all = {TALVCTL_PATH};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        // Ctrl-C as in a foreground job, whatever this test inherited (a background job
        // started by a shell without job control ignores SIGINT, and so would its children).
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t interrupt, none;
        sigemptyset(&interrupt);
        sigaddset(&interrupt, SIGINT);
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&attributes, &interrupt);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        if (posix_spawn(&FPid, TALVCTL_PATH, &actions, &attributes, argv.data(), environ) != 0)
            FPid = -1;
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        close(handles[1]);
    }
    ~TTalvctlProcess()
    {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
        }
        if (FErrRead >= 0)
            close(FErrRead);
    }

    bool Started() const { return FPid > 0 && FErrRead >= 0; }
    pid_t Pid() const { return FPid; }
    const std::string& Err() const { return FErr; }

    // Reads stderr until it holds part; false at end of file or after limit.
    bool WaitForErr(const std::string& part, std::chrono::milliseconds limit)
    {
        const auto end = Clock::now() + limit;
        while (FErr.find(part) == std::string::npos)
            if (!ReadSome(end))
                return false;
        return true;
    }

    // Reads stderr to its end, which comes when the process exits, and reaps the process; the
    // wait status, or -1 when the process had not ended by limit.
    int WaitForExit(std::chrono::milliseconds limit)
    {
        const auto end = Clock::now() + limit;
        while (ReadSome(end)) {
        }
        if (Clock::now() >= end)
            return -1;
        int status = 0;
        if (waitpid(FPid, &status, 0) != FPid)
            return -1;
        FPid = -1;
        return status;
    }

private:
    bool ReadSome(Clock::time_point end)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left <= 0ms)
            return false;
        pollfd wanted{FErrRead, POLLIN, 0};
        const int ready = poll(&wanted, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            return true;
        if (ready <= 0)
            return false;
        char buffer[256];
        const ssize_t got = read(FErrRead, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        FErr.append(buffer, static_cast<size_t>(got));
        return true;
    }

    pid_t FPid = -1;
    int FErrRead = -1;
    std::string FErr;
};

}  // namespace

TEST(TalvctlProgram, SigIntCancelsARequestAtOnce)
{
    std::unique_ptr<TSimDevice> device;
    try {
        device = std::make_unique<TSimDevice>();
    } catch (const EOSError& e) {
        GTEST_SKIP() << "no pseudo-terminal: " << e.what();
    }
    // The device is never reset: the request waits for the start string until interrupted.
    TTalvctlProcess talvctl({"--port", device->SlavePath(), "request-config-mode", "go"});
    ASSERT_TRUE(talvctl.Started());
    // The status line comes after the watcher has blocked SIGINT, so the signal cannot end the
    // process by its default action any more.
    ASSERT_TRUE(talvctl.WaitForErr("Warte auf Start-Zeichenkette", 5s)) << talvctl.Err();

    const auto interrupted = Clock::now();
    ASSERT_EQ(kill(talvctl.Pid(), SIGINT), 0);
    const int status = talvctl.WaitForExit(3s);
    const auto took = Clock::now() - interrupted;

    ASSERT_TRUE(WIFEXITED(status)) << "status " << status << ", stderr: " << talvctl.Err();
    EXPECT_EQ(WEXITSTATUS(status), TTalvctlRunner::ExitFailure);
    EXPECT_LT(took, 1500ms);
    EXPECT_NE(talvctl.Err().find("talvctl: " + TTalvctlRunner::RequestCancelledMessage + "\n"), std::string::npos)
        << talvctl.Err();
    EXPECT_EQ(device->Received(), "");
}
