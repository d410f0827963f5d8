// Start-up benchmark of the desktop program: the time from process start to an idle main window
// that has painted, and the peak resident memory, each against a bare Qt main window shown the
// same way in the same run.
//
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_BENCHMARKS=ON
//   cmake --build build/bench --target bench_startup
//   build/bench/bench/bench_startup [RUNS]        (default 15 starts of each, alternating)
//
// Every start is a process of its own (this program started again as "--child baseline" or
// "--child program"), so each peak is that of one start alone and nothing is warm in the
// process. A child runs on the offscreen platform, makes its windows as the program does
// (CreateApplicationWindows), shows the main window and stops the first time its loop is about
// to wait after the window has painted; it reports the monotonic clock of that moment, and the
// parent subtracts the moment it started the child. The parent takes the peak from wait4().
// Medians are printed, and the ratios program / baseline. The settings file is read as by the
// program, never written.

#include "main/applicationwindows.h"
#include "main/frmmain.h"
#include "platform/gui/application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMainWindow>
#include <QThread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long NowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Notes the first paint of anything inside `window`.
class TPaintWatch : public QObject {
public:
    explicit TPaintWatch(QWidget* window) : FWindow(window) { qApp->installEventFilter(this); }
    bool Painted() const { return FPainted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!FPainted && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            FPainted = widget && widget->window() == FWindow;
        }
        return false;
    }

private:
    QWidget* FWindow;
    bool FPainted = false;
};

// Runs the loop until it is idle with the window painted; returns that moment.
long long RunUntilIdlePainted(QApplication& application, QWidget& window)
{
    TPaintWatch watch(&window);
    long long idleAt = 0;
    QObject::connect(QAbstractEventDispatcher::instance(QThread::currentThread()),
                     &QAbstractEventDispatcher::aboutToBlock, &application, [&] {
                         if (watch.Painted() && idleAt == 0) {
                             idleAt = NowNs();
                             application.quit();
                         }
                     });
    application.exec();
    return idleAt;
}

int RunChild(char* programName, bool program)
{
    // The program reads its first argument as a file to open: the child gets none.
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* arguments[] = {programName, platform, offscreen, nullptr};
    int count = 3;
    long long idleAt = 0;
    if (program) {
        TApplication application(count, arguments);
        const std::unique_ptr<TApplicationWindows> windows = CreateApplicationWindows();
        windows->ShowMainWindow();
        idleAt = RunUntilIdlePainted(application, windows->FrmMainWin());
    } else {
        QApplication application(count, arguments);
        QMainWindow window;
        window.resize(1016, 729);
        window.show();
        idleAt = RunUntilIdlePainted(application, window);
    }
    std::printf("%lld\n", idleAt);
    return idleAt > 0 ? 0 : 1;
}

struct TStart {
    double Ms;
    double MaxRssMiB;
};

bool StartChild(const char* kind, TStart& result)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char self[] = "/proc/self/exe";
    char child[] = "--child";
    std::string kindText = kind;
    char* arguments[] = {self, child, kindText.data(), nullptr};

    const long long startedAt = NowNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    std::string text;
    char buffer[64];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    const long long idleAt = std::atoll(text.c_str());
    result.Ms = static_cast<double>(idleAt - startedAt) / 1e6;
    result.MaxRssMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    return idleAt > startedAt;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(argv[0], std::strcmp(argv[2], "program") == 0);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<double> baseMs, baseRss, progMs, progRss;
    for (int i = 0; i < runs; ++i) {
        // Alternating keeps a drift of the machine from favouring either side.
        for (const char* kind : {"baseline", "program"}) {
            TStart start{};
            if (!StartChild(kind, start)) {
                std::fprintf(stderr, "bench_startup: the %s start failed\n", kind);
                return 1;
            }
            const bool program = std::strcmp(kind, "program") == 0;
            (program ? progMs : baseMs).push_back(start.Ms);
            (program ? progRss : baseRss).push_back(start.MaxRssMiB);
        }
    }
    const double bMs = Median(baseMs), pMs = Median(progMs);
    const double bRss = Median(baseRss), pRss = Median(progRss);
    std::printf("start to idle main window, median of %d starts each\n", runs);
    std::printf("  baseline (QApplication + empty QMainWindow): %8.1f ms  %7.1f MiB peak RSS\n", bMs, bRss);
    std::printf("  TALV-Configurator:                           %8.1f ms  %7.1f MiB peak RSS\n", pMs, pRss);
    std::printf("  ratio program / baseline:                    %8.2f     %7.2f\n", pMs / bMs, pRss / bRss);
    return 0;
}
