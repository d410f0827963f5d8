// Exchange benchmark: how long receiving and sending a device's parameters take against
// simulated devices paced at 9600 baud, in the default and in the fast transfer mode, each
// against the line time of the bytes exchanged; a receive on six devices at once against six
// receives one after another; and the same receives started in the desktop program's main
// window, with the longest time its event loop did not come round meanwhile.
//
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_BENCHMARKS=ON
//   cmake --build build/bench --target bench_exchange
//   build/bench/bench/bench_exchange [RUNS]        (default 5 runs; medians are printed)
//
// Every device is a TSimDevice on a pseudo-terminal of its own, paced at 9600 baud (whole
// replies, no split pauses), and every terminal opens it through its serial port (TslCOMPort)
// as it would open a real line, with the program's default reply time of 500 ms. Each mode has
// six devices and terminals of its own, the fast ones switched to fast transfers before Open.
// Each device is brought into configuration mode once, before the first run, by the terminal's
// own wait for the start string after a reset; that is not timed.
//
// Receive is ReceiveConfiguration (six requests). Send is what "Sende Parameter" does: factory
// defaults, the six values, store. Before each receive a device is given a set of values of its
// own, the terminal must have read exactly those and logged one line per command and reply, and
// the send writes back what was read, which the device must then have stored; otherwise the
// benchmark stops with an error.
//
// Line time: the bytes the tool wrote (what the device received) and the bytes the device put
// on the line (TSimDevice::SentCount), 10 bits each at 9600 baud, counted per exchange. A
// pseudo-terminal passes the tool's bytes at once, so only the device's share is spent on the
// line here; on a real line the tool's share comes on top of the measured time.
//
// The single receives, the send and the six one after another run on this thread. The six at
// once run as in the program: each on its terminal's worker, every log line and the end handed
// over to this thread (TPostLoop stands in for the window's event loop) and the worker waiting
// for each. The window's receives are described in guireceivebench.h.

#include "bench/exchangebench.h"
#include "bench/guireceivebench.h"
#include "bench/postloop.h"
#include "documents/kovdocument.h"
#include "platform/gui/application.h"
#include "sim/simdevice.h"
#include "terminal/kovterminal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace exchangebench;

constexpr int DeviceCount = TKovDocument::MaxDevices;
// A receive logs each command it writes and each reply it reads.
constexpr int ReceiveLogLines = 2 * 6;

double LineMs(uint64_t bytes) { return Ms(bytes * TSimLine::ByteTime); }

// Bytes on the line in both directions during one or more exchanges.
struct TLineBytes {
    uint64_t FromTool = 0;
    uint64_t FromDevice = 0;
    uint64_t Total() const { return FromTool + FromDevice; }
    TLineBytes& operator+=(const TLineBytes& other)
    {
        FromTool += other.FromTool;
        FromDevice += other.FromDevice;
        return *this;
    }
};

// One simulated device and the terminal that talks to it over the device's pseudo-terminal.
class TStation {
public:
    TStation(int index, bool fast, TPostLoop& loop) : FIndex(index)
    {
        TSimDeviceOptions options;
        options.Pace = true;
        FDevice = std::make_unique<TSimDevice>(options);
        FTerminal.SetDevicePath(FDevice->SlavePath());
        FTerminal.SetComTimeOut(ReplyTimeMs);
        FTerminal.SetFastTransfer(fast);
        FTerminal.SetEventPost(loop.Post());
        // The log events fire on this thread: directly in an exchange run here, handed over by
        // the worker otherwise. So the count needs no lock.
        FTerminal.OnLogSend = [this](TKovTerminal&) { ++FLogLines; };
        FTerminal.OnLogReceived = [this](TKovTerminal&) { ++FLogLines; };
        FTerminal.Open();
        EnterConfigMode();
    }

    // Called before the exchanges to be counted.
    void StartCounting()
    {
        FDevice->ClearReceived();
        FSentBefore = FDevice->SentCount();
    }
    TLineBytes Counted() const
    {
        return {FDevice->Received().size(), FDevice->SentCount() - FSentBefore};
    }

    void PrepareReceive(int round)
    {
        FDevice->SetCurrent(DeviceValues(FIndex, round));
        FLogLines = 0;
        FError = nullptr;
    }
    void Receive() { FTerminal.ReceiveConfiguration(); }
    // The receive on the terminal's worker; its end, and its error, reach this thread through
    // the loop.
    void StartReceive()
    {
        FTerminal.RunExchange([](TKovTerminal& terminal) { terminal.ReceiveConfiguration(); },
                              [this](std::exception_ptr error) { FError = error; });
    }
    bool Receiving() const { return FTerminal.ExchangeRunning(); }
    void CheckReceived(int round) const
    {
        if (FError)
            std::rethrow_exception(FError);
        if (ParameterValues(FTerminal.Parameters()) != DeviceValues(FIndex, round))
            throw std::runtime_error(Name() + ": the values read differ");
        if (FLogLines != ReceiveLogLines)
            throw std::runtime_error(Name() + ": " + std::to_string(FLogLines) + " log lines instead of " +
                                     std::to_string(ReceiveLogLines));
    }

    // What the desktop program's "Sende Parameter" does.
    void Send()
    {
        FTerminal.SendDefaultFactory();
        FTerminal.SendConfiguration();
        FTerminal.SendSave();
    }
    void CheckSent(int round) const
    {
        if (FDevice->Stored() != DeviceValues(FIndex, round))
            throw std::runtime_error(Name() + ": the values stored differ");
    }

private:
    // The terminal waits for the start string, the device is reset and sends it, and the
    // terminal's answer to it takes the device into configuration mode.
    void EnterConfigMode()
    {
        FTerminal.Send("", EKovWaitStartString);
        FDevice->Reset();
        FTerminal.ProcessReceived();
        if (!FTerminal.GetConfigMode() || !FDevice->WaitForState(ESimConfigMode, EnterConfigModeLimit))
            throw std::runtime_error(Name() + ": no configuration mode");
    }

    std::string Name() const { return "device " + std::to_string(FIndex + 1); }

    const int FIndex;
    std::unique_ptr<TSimDevice> FDevice;
    TKovTerminal FTerminal;
    uint64_t FSentBefore = 0;
    int FLogLines = 0;
    std::exception_ptr FError;
};

using TStations = std::vector<std::unique_ptr<TStation>>;

// The medians of one measurement over all runs.
struct TSeries {
    std::vector<double> TimeMs;
    std::vector<double> LineTimeMs;
    TLineBytes Bytes;  // all lines together, of the last run; the same in every run

    void Add(TClock::duration time, const TLineBytes& bytes, double lineTimeMs)
    {
        TimeMs.push_back(Ms(time));
        LineTimeMs.push_back(lineTimeMs);
        Bytes = bytes;
    }
    double Time() const { return Median(TimeMs); }
    double LineTime() const { return Median(LineTimeMs); }
};

struct TModeSeries {
    TSeries Receive;
    TSeries Send;
    TSeries ReceiveOneAfterAnother;
    TSeries ReceiveAtOnce;
};

enum tLines : int { ELinesOneAfterAnother, ELinesAtOnce };

// Times `exchange` on the given stations and counts their bytes on the line. The line time of
// lines used one after another is their sum; of lines used at once, the longest of them.
template <typename TExchange>
void Measure(TSeries& series, const std::vector<TStation*>& stations, tLines lines,
             TExchange exchange)
{
    for (TStation* station : stations)
        station->StartCounting();
    const auto start = TClock::now();
    exchange();
    const auto time = TClock::now() - start;
    TLineBytes bytes;
    double lineTimeMs = 0;
    for (const TStation* station : stations) {
        const TLineBytes counted = station->Counted();
        bytes += counted;
        const double ms = LineMs(counted.Total());
        lineTimeMs = lines == ELinesAtOnce ? std::max(lineTimeMs, ms) : lineTimeMs + ms;
    }
    series.Add(time, bytes, lineTimeMs);
}

void ReceiveAtOnce(const TStations& stations, TPostLoop& loop)
{
    for (const auto& station : stations)
        station->StartReceive();
    loop.RunUntil(
        [&] {
            return std::none_of(stations.begin(), stations.end(),
                                [](const auto& station) { return station->Receiving(); });
        },
        ExchangeLimit);
}

void RunOnce(const TStations& stations, TPostLoop& loop, TModeSeries& series, int run)
{
    std::vector<TStation*> all;
    for (const auto& station : stations)
        all.push_back(station.get());
    TStation& first = *all.front();
    // Each of the three receives of a run reads values of its own.
    const int round = 3 * run;

    first.PrepareReceive(round);
    Measure(series.Receive, {&first}, ELinesOneAfterAnother, [&] { first.Receive(); });
    first.CheckReceived(round);
    Measure(series.Send, {&first}, ELinesOneAfterAnother, [&] { first.Send(); });
    first.CheckSent(round);

    for (TStation* station : all)
        station->PrepareReceive(round + 1);
    Measure(series.ReceiveOneAfterAnother, all, ELinesOneAfterAnother, [&] {
        for (TStation* station : all)
            station->Receive();
    });
    for (const TStation* station : all)
        station->CheckReceived(round + 1);

    for (TStation* station : all)
        station->PrepareReceive(round + 2);
    Measure(series.ReceiveAtOnce, all, ELinesAtOnce, [&] { ReceiveAtOnce(stations, loop); });
    for (const TStation* station : all)
        station->CheckReceived(round + 2);
}

// ---- report ----------------------------------------------------------------------------------

void PrintTimes(const char* what, const TSeries& standard, const TSeries& fast)
{
    std::printf("  %-40s %9.1f ms %9.1f ms %9.1f ms   %4llu + %llu\n", what, standard.Time(),
                fast.Time(), fast.LineTime(), static_cast<unsigned long long>(fast.Bytes.FromTool),
                static_cast<unsigned long long>(fast.Bytes.FromDevice));
    // Fast transfers change when a read ends, never what goes over the line.
    if (standard.Bytes.FromTool != fast.Bytes.FromTool ||
        standard.Bytes.FromDevice != fast.Bytes.FromDevice)
        std::printf("  %-40s default mode: %llu + %llu bytes, not the same\n", "",
                    static_cast<unsigned long long>(standard.Bytes.FromTool),
                    static_cast<unsigned long long>(standard.Bytes.FromDevice));
}

double DeviceLineMs(const TSeries& series) { return LineMs(series.Bytes.FromDevice); }

// A ratio per mode; a target (0: none) applies to the fast mode.
void PrintRatio(const char* what, double standard, double fast, double target)
{
    std::printf("  %-40s %9.2f    %9.2f   ", what, standard, fast);
    if (target > 0)
        std::printf("   <= %.1f  %s", target, fast <= target ? "met" : "NOT MET");
    std::printf("\n");
}

void ReportCore(int runs, const TModeSeries& standard, const TModeSeries& fast)
{
    std::printf("bench_exchange: median of %d runs; simulated devices paced at 9600 baud on "
                "pseudo-terminals, reply time %d ms\n\n",
                runs, ReplyTimeMs);
    std::printf("  %-40s %12s %12s %12s   %s\n", "", "default", "fast", "line time",
                "bytes tool + device");
    PrintTimes("receive (6 requests), one device", standard.Receive, fast.Receive);
    PrintTimes("send (defa 1, 6 values, save)", standard.Send, fast.Send);
    PrintTimes("receive, 6 devices one after another", standard.ReceiveOneAfterAnother,
               fast.ReceiveOneAfterAnother);
    PrintTimes("receive, 6 devices at once (workers)", standard.ReceiveAtOnce, fast.ReceiveAtOnce);

    std::printf("\n  %-40s %12s %12s   %s\n", "ratios", "default", "fast", "   target (fast)");
    PrintRatio("receive / its line time", standard.Receive.Time() / standard.Receive.LineTime(),
               fast.Receive.Time() / fast.Receive.LineTime(), 2.0);
    PrintRatio("send / its line time", standard.Send.Time() / standard.Send.LineTime(),
               fast.Send.Time() / fast.Send.LineTime(), 2.0);
    // The tool's bytes cross a pseudo-terminal at once: against the device's share alone the
    // ratios show what a read costs beyond the bytes it waits for.
    PrintRatio("receive / line time of device's bytes",
               standard.Receive.Time() / DeviceLineMs(standard.Receive),
               fast.Receive.Time() / DeviceLineMs(fast.Receive), 0);
    PrintRatio("send / line time of device's bytes", standard.Send.Time() / DeviceLineMs(standard.Send),
               fast.Send.Time() / DeviceLineMs(fast.Send), 0);
    PrintRatio("6 at once / one device's receive",
               standard.ReceiveAtOnce.Time() / standard.Receive.Time(),
               fast.ReceiveAtOnce.Time() / fast.Receive.Time(), 1.3);
    PrintRatio("6 one after another / 6 at once",
               standard.ReceiveOneAfterAnother.Time() / standard.ReceiveAtOnce.Time(),
               fast.ReceiveOneAfterAnother.Time() / fast.ReceiveAtOnce.Time(), 0);
    std::printf("  %-40s %9.2f (receive)    %.2f (send)\n", "default / fast",
                standard.Receive.Time() / fast.Receive.Time(), standard.Send.Time() / fast.Send.Time());
}

// The longest gap of the runs, and the GUI thread's CPU time within it.
std::string WorstGap(const TGuiSeries& series)
{
    const auto worst = std::max_element(series.LongestGapMs.begin(), series.LongestGapMs.end());
    if (worst == series.LongestGapMs.end())
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.1f (%.1f)", *worst,
                  series.LongestGapCpuMs[static_cast<size_t>(worst - series.LongestGapMs.begin())]);
    return text;
}

void PrintGuiTimes(const char* what, const TGuiSeries& standard, const TGuiSeries& fast)
{
    std::printf("  %-44s %9.1f %9.1f %9.1f %13s %9.1f %13s\n", what, Median(standard.TimeMs), Median(fast.TimeMs),
                Median(standard.LongestGapMs), WorstGap(standard).c_str(), Median(fast.LongestGapMs),
                WorstGap(fast).c_str());
}

// Here both modes have to meet the target.
void PrintGuiTarget(const char* what, double standard, double fast, double target, const char* unit)
{
    std::printf("  %-44s %9.2f %9.2f    <= %.1f%s  %s / %s\n", what, standard, fast, target, unit,
                standard <= target ? "met" : "NOT MET", fast <= target ? "met" : "NOT MET");
}

void ReportGui(const TGuiModeSeries& standard, const TGuiModeSeries& fast)
{
    std::printf("\nbench_exchange: the main window (offscreen), six panels on six such devices; time from the "
                "start\nuntil no panel runs an exchange, longest gap between two event-loop iterations "
                "meanwhile;\ncpu: the GUI thread's own CPU time within the worst gap\n\n");
    std::printf("  %-44s %19s %23s %23s\n", "", "time (ms)", "gap default (ms)", "gap fast (ms)");
    std::printf("  %-44s %9s %9s %9s %13s %9s %13s\n", "", "default", "fast", "median", "worst (cpu)", "median",
                "worst (cpu)");
    PrintGuiTimes("one panel's receive (its action)", standard.OnePanel, fast.OnePanel);
    PrintGuiTimes("\"Alle: Empfange Parameter\", 4 devices", standard.AllAction, fast.AllAction);
    PrintGuiTimes("6 panels at once (started as \"Alle\" does)", standard.AllPanels, fast.AllPanels);

    std::printf("\n  %-44s %9s %9s    %s\n", "", "default", "fast", "target  default / fast");
    const double one = Median(standard.OnePanel.TimeMs);
    const double oneFast = Median(fast.OnePanel.TimeMs);
    PrintGuiTarget("6 panels at once / one panel's receive", Median(standard.AllPanels.TimeMs) / one,
                   Median(fast.AllPanels.TimeMs) / oneFast, 1.3, "");
    PrintGuiTarget("\"Alle\", 4 devices / one panel's receive", Median(standard.AllAction.TimeMs) / one,
                   Median(fast.AllAction.TimeMs) / oneFast, 1.3, "");
    const auto largest = [](const TGuiModeSeries& series, double (*of)(const std::vector<double>&)) {
        return std::max({of(series.OnePanel.LongestGapMs), of(series.AllAction.LongestGapMs),
                         of(series.AllPanels.LongestGapMs)});
    };
    PrintGuiTarget("longest gap (ms), the largest median above", largest(standard, Median), largest(fast, Median),
                   50, " ms");
    PrintGuiTarget("longest gap (ms), the worst of all runs", largest(standard, Max), largest(fast, Max), 50, " ms");
}

TStations MakeStations(bool fast, TPostLoop& loop)
{
    TStations stations;
    for (int i = 0; i < DeviceCount; ++i)
        stations.push_back(std::make_unique<TStation>(i, fast, loop));
    return stations;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The window would open its first argument as a file: it gets none.
    int applicationArgc = 1;
    char* applicationArgv[] = {argv[0], nullptr};
    TApplication application(applicationArgc, applicationArgv);
    try {
        // Outlives the stations, whose terminals post to it.
        TPostLoop loop;
        const TStations standard = MakeStations(false, loop);
        const TStations fast = MakeStations(true, loop);
        TGuiReceiveBench standardWindow(false);
        TGuiReceiveBench fastWindow(true);
        TModeSeries standardSeries;
        TModeSeries fastSeries;
        for (int run = 0; run < runs; ++run) {
            // Alternating keeps a drift of the machine from favouring either mode.
            RunOnce(standard, loop, standardSeries, run);
            RunOnce(fast, loop, fastSeries, run);
            standardWindow.RunOnce(run);
            fastWindow.RunOnce(run);
            std::fprintf(stderr, "bench_exchange: run %d of %d done\n", run + 1, runs);
        }
        ReportCore(runs, standardSeries, fastSeries);
        ReportGui(standardWindow.Series(), fastWindow.Series());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_exchange: %s\n", e.what());
        return 1;
    }
    return 0;
}
