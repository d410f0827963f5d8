#pragma once
// The receives of the desktop program as its user starts them, timed in its main window: whether
// the window's event loop keeps coming round while devices are read, and how long reading all
// devices takes against reading one.
//
// The window runs on the application object of the caller (the offscreen platform will do) and
// shows six panels, each on a simulated device paced at 9600 baud on a pseudo-terminal of its
// own, with the default reply time and, for the fast mode, fast transfers applied through the
// window's options. Before the first run every panel connects on its worker and the device is
// brought into configuration mode by the terminal's own wait for the start string after a
// reset; none of that is timed.
//
// A run measures, each with values of its own for every device that must then show in the
// document:
//   - one panel's receive, started by its "Empfange Parameter" action;
//   - "Alle: Empfange Parameter" with four devices shown: the action refuses two devices on one
//     COM port, and the program knows four ports, so four devices are the most it takes;
//   - six panels at once, each started as that action starts them (a quiet receive per panel).
// Each is timed from its start until no panel runs an exchange; meanwhile a 1-ms timer notes the
// longest time between two of its timeouts, which is the longest the GUI thread did not come
// back to its event loop, and how much CPU time the GUI thread used within it (the rest it was
// not running). An error reported by a panel, or any message box shown, ends the benchmark with
// its text.

#include "slutil/slcomport.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TFrameDev;
class TFrmMainWin;
class TSimDevice;

namespace exchangebench {

// One kind of receive over all runs: its time, its longest gap, and the GUI thread's own CPU time
// within that gap.
struct TGuiSeries {
    std::vector<double> TimeMs;
    std::vector<double> LongestGapMs;
    std::vector<double> LongestGapCpuMs;
};

struct TGuiModeSeries {
    TGuiSeries OnePanel;
    TGuiSeries AllAction;
    TGuiSeries AllPanels;
};

class TGuiReceiveBench {
public:
    // The devices "Alle" takes at most: one per COM port.
    static constexpr int AllActionDevices = COM4 + 1;

    explicit TGuiReceiveBench(bool fast);
    ~TGuiReceiveBench();
    TGuiReceiveBench(const TGuiReceiveBench&) = delete;
    TGuiReceiveBench& operator=(const TGuiReceiveBench&) = delete;

    void RunOnce(int run);
    const TGuiModeSeries& Series() const { return FSeries; }

private:
    class TDialogGuard;

    TFrameDev* Panel(int index) const;
    int RunningCount() const;
    // Runs the event loop until it is about to wait for new events.
    void Settle();
    // Runs start on the event loop, which must set the first `devices` panels running, and
    // the loop until no panel runs an exchange. Raises when they did not start or not end.
    void Measure(TGuiSeries& series, int devices, const std::function<void()>& start);
    void Prepare(int devices, int round);
    void Check(int devices, int round) const;
    void CheckErrors() const;

    TGuiModeSeries FSeries;
    std::unique_ptr<TDialogGuard> FDialogs;
    std::vector<std::unique_ptr<TSimDevice>> FDevices;
    // Destroyed before the devices: its terminals close their lines first.
    std::unique_ptr<TFrmMainWin> FWindow;
    QStringList FErrors;
};

}  // namespace exchangebench
