// talvsim: a simulated TALV device on a pseudo-terminal, for trying the tool without hardware.
// The first line on standard output is the path of the slave end (the "serial port" to give the
// tool); events are logged on standard error; operator commands are read from standard input.

#include "documents/kovdocument.h"
#include "platform/exceptions.h"
#include "sim/simconsole.h"
#include "sim/simdevice.h"
#include "sim/simplan.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <mutex>
#include <optional>
#include <poll.h>
#include <pthread.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(SignalPipe[1], &byte, 1);
}

// The worker and the main thread both log; one line must never tear another.
std::mutex LogMutex;

void LogLine(const std::string& text)
{
    std::lock_guard lock(LogMutex);
    std::cerr << "talvsim: " << text << '\n' << std::flush;
}

void Usage(std::ostream& out)
{
    out << "usage: talvsim [--pace] [--split] [--seed N] [--auto-reset SECONDS]"
           " [--confirm-window MS]\n"
           "               [--plan FILE --device N] [--set KEY=VALUE]...\n"
           "  --pace               send at the speed of a 9600-baud line\n"
           "  --split              send replies in pieces with pauses of up to 30 ms\n"
           "  --seed N             seed of the random split points, pauses and garbage (1)\n"
           "  --auto-reset SECONDS reset every SECONDS while not in configuration mode (off)\n"
           "  --confirm-window MS  how long a reset waits for CR CR ESC ESC (5000)\n"
           "  --plan FILE          hold the values of a device of the plan FILE (*.kov), as if\n"
           "                       it had been configured and saved from it (factory values)\n"
           "  --device N           which device of the plan (1..6)\n"
           "  --set KEY=VALUE      hold VALUE instead, checked as the device's set command\n"
           "                       checks it; repeatable; KEY is MsnIncoming1, MsnIncoming2,\n"
           "                       AutomaticCallMode, AutomaticCallNumber1,\n"
           "                       AutomaticCallNumber2 or IsdnDChannelProtocol\n"
           "Prints the pseudo-terminal's slave path as its first line, then runs until quit,\n"
           "SIGINT or SIGTERM.\n";
    TSimConsole::WriteHelp(out);
}

// Seconds for --auto-reset: a fraction is allowed ("0.5").
std::optional<double> Seconds(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(value >= 0) || value > 1e6)
        return std::nullopt;
    return value;
}

// Where the values the device holds at start come from; factory values when all is empty.
struct TStartValues {
    std::string PlanFile;
    int PlanDevice = 0;
    std::vector<std::string> Settings;  // "KEY=VALUE", applied in order after the plan
};

// Fills options and start from argv; a message on stderr and no value for a bad command line.
// The settings are only collected here: SimApplySetting checks them once the plan is read.
std::optional<TSimDeviceOptions> ParseArguments(int argc, char** argv, TStartValues& start,
                                                bool& help)
{
    TSimDeviceOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
            return options;
        }
        if (argument == "--pace") {
            options.Pace = true;
            continue;
        }
        if (argument == "--split") {
            options.Split = true;
            continue;
        }
        if (argument != "--seed" && argument != "--auto-reset" && argument != "--confirm-window" &&
            argument != "--plan" && argument != "--device" && argument != "--set") {
            std::cerr << "talvsim: unknown option " << argument << '\n';
            return std::nullopt;
        }
        const char* text = i + 1 < argc ? argv[++i] : "";
        if (argument == "--plan" || argument == "--set") {
            if (*text == '\0') {
                std::cerr << "talvsim: " << argument << " needs "
                          << (argument == "--plan" ? "a file" : "KEY=VALUE") << '\n';
                return std::nullopt;
            }
            if (argument == "--plan")
                start.PlanFile = text;
            else
                start.Settings.push_back(text);
            continue;
        }
        if (argument == "--auto-reset") {
            const std::optional<double> seconds = Seconds(text);
            if (!seconds) {
                std::cerr << "talvsim: --auto-reset needs a number of seconds\n";
                return std::nullopt;
            }
            options.AutoResetPeriod = std::chrono::milliseconds(std::llround(*seconds * 1000));
            continue;
        }
        const std::optional<int> number = SimParseDecimal(text);
        if (!number) {
            std::cerr << "talvsim: " << argument << " needs a whole number\n";
            return std::nullopt;
        }
        if (argument == "--device" && (*number < 1 || *number > TKovDocument::MaxDevices)) {
            std::cerr << "talvsim: --device needs a number from 1 to " << TKovDocument::MaxDevices
                      << '\n';
            return std::nullopt;
        }
        if (argument == "--seed")
            options.Seed = static_cast<uint32_t>(*number);
        else if (argument == "--device")
            start.PlanDevice = *number;
        else
            options.ConfirmationWindow = std::chrono::milliseconds(*number);
    }
    if (start.PlanFile.empty() != (start.PlanDevice == 0)) {
        std::cerr << "talvsim: --plan and --device go together\n";
        return std::nullopt;
    }
    return options;
}

void InstallSignalHandlers()
{
    if (::pipe(SignalPipe) != 0)
        RaiseLastOSError(errno);
    ::fcntl(SignalPipe[1], F_SETFL, ::fcntl(SignalPipe[1], F_GETFL) | O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

// Reads operator commands until quit or a signal. The end of standard input is not the end of
// the program: it often runs in the background with its input from /dev/null.
void Serve(TSimConsole& console)
{
    std::string pending;
    bool inputOpen = true;
    for (;;) {
        pollfd fds[2] = {{SignalPipe[0], POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (::poll(fds, inputOpen ? 2 : 1, -1) < 0) {
            if (errno == EINTR)
                continue;
            RaiseLastOSError(errno);
        }
        if (fds[0].revents) {
            LogLine("signal received, ending");
            return;
        }
        if (!inputOpen || !fds[1].revents)
            continue;
        char buffer[1024];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            inputOpen = false;
            continue;
        }
        pending.append(buffer, static_cast<size_t>(n));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                LogLine("command: " + line);
            if (!console.Execute(line, std::cout, std::cerr))
                return;
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    bool help = false;
    TStartValues start;
    const std::optional<TSimDeviceOptions> parsed = ParseArguments(argc, argv, start, help);
    if (help) {
        Usage(std::cout);
        return EXIT_SUCCESS;
    }
    if (!parsed) {
        Usage(std::cerr);
        return 2;
    }
    TSimDeviceOptions options = *parsed;
    options.OnLog = LogLine;

    // Both before the pseudo-terminal is announced: whoever waits for its path must not get a
    // device with other values than it asked for.
    TSimParameters values = TSimParameters::Factory();
    if (!start.PlanFile.empty()) {
        try {
            values = SimPlanDevice(start.PlanFile, start.PlanDevice);
        } catch (const Exception& error) {
            LogLine(error.what());
            return EXIT_FAILURE;
        }
        LogLine("values of device " + std::to_string(start.PlanDevice) + " of " + start.PlanFile);
    }
    for (const std::string& setting : start.Settings) {
        try {
            SimApplySetting(values, setting);
        } catch (const Exception& error) {
            std::cerr << "talvsim: --set " << error.what() << '\n';
            Usage(std::cerr);
            return 2;
        }
        LogLine("set " + setting);
    }

    try {
        InstallSignalHandlers();
        // The worker inherits a mask with SIGINT and SIGTERM blocked, so the signals always
        // reach the main thread's poll and never interrupt the worker in the middle of a send.
        sigset_t ending;
        sigemptyset(&ending);
        sigaddset(&ending, SIGINT);
        sigaddset(&ending, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &ending, nullptr);
        TSimDevice device(options);
        ::pthread_sigmask(SIG_UNBLOCK, &ending, nullptr);
        // Stored as well: a reset loads the stored values, as a configured device keeps them.
        device.SetStored(values);
        device.SetCurrent(values);

        std::cout << device.SlavePath() << std::endl;
        LogLine("device on " + device.SlavePath());
        TSimConsole console(device);
        Serve(console);
        LogLine("quit");
    } catch (const Exception& error) {
        LogLine(error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
