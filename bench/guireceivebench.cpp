// The receives of the desktop program timed in its main window; see guireceivebench.h.
#include "bench/guireceivebench.h"

#include "bench/exchangebench.h"
#include "device/framedevice.h"
#include "main/frmmain.h"
#include "options/useroptions.h"
#include "platform/gui/actionupdates.h"
#include "sim/simdevice.h"
#include "terminal/kovterminal.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace exchangebench {

namespace {

constexpr int DeviceCount = TFrmMainWin::DeviceCount;

std::string Name(int index) { return "device " + std::to_string(index + 1); }

// The CPU time the calling thread has used: within a gap it tells the GUI thread's own work from
// the time it waited for a core.
qint64 ThreadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

// Notes every message box that comes up and closes it: nobody is there to answer it, and its
// modal loop would hold the benchmark for good.
class TGuiReceiveBench::TDialogGuard : public QObject {
public:
    TDialogGuard() { qApp->installEventFilter(this); }
    ~TDialogGuard() override { qApp->removeEventFilter(this); }
    QStringList Texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show) {
            Texts << box->text();
            // Queued: the box's own loop has to run before it can be closed.
            QMetaObject::invokeMethod(box, &QMessageBox::reject, Qt::QueuedConnection);
        }
        return false;
    }
};

TGuiReceiveBench::TGuiReceiveBench(bool fast)
    : FDialogs(std::make_unique<TDialogGuard>()), FWindow(std::make_unique<TFrmMainWin>())
{
    TUserOptions options;
    options.ComTimeOut = ReplyTimeMs;
    options.FastTransfer = fast;
    FWindow->ApplyOptions(options);
    FWindow->SetDeviceCount(DeviceCount);
    for (int i = 0; i < DeviceCount; ++i) {
        TSimDeviceOptions device;
        device.Pace = true;
        FDevices.push_back(std::make_unique<TSimDevice>(device));
        TFrameDev* panel = Panel(i);
        // The panel keeps a path set on its engine when it connects: it opens the device's line.
        panel->Terminal()->SetDevicePath(FDevices[i]->SlavePath());
        // The first four devices on ports of their own, as "Alle" requires of the devices it runs on.
        FWindow->Document().Parameters(i).SetCOMPort(static_cast<tCOMPorts>(i % AllActionDevices));
        panel->UpdateView();
        QObject::connect(panel, &TFrameDev::ExchangeFinished, FWindow.get(),
                         [this, i](TFrameDev*, tDevExchange, const QString& error) {
                             if (!error.isEmpty())
                                 FErrors << QString::fromStdString(Name(i) + ": ") + error;
                         });
    }
    FWindow->show();

    // Timed as the receives are, to have the same checks; the figure is not reported.
    TGuiSeries connects;
    Measure(connects, DeviceCount, [this] {
        for (int i = 0; i < DeviceCount; ++i)
            Panel(i)->StartExchange(tDevExchange::Connect, true);
    });
    CheckErrors();
    for (int i = 0; i < DeviceCount; ++i) {
        TKovTerminal& terminal = *Panel(i)->Terminal();
        if (!terminal.GetConnected())
            throw std::runtime_error(Name(i) + ": not connected");
        // The terminal waits for the start string, the device is reset and sends it, and the
        // terminal's answer to it takes the device into configuration mode.
        terminal.Send("", EKovWaitStartString);
        FDevices[i]->Reset();
        terminal.ProcessReceived();
        if (!terminal.GetConfigMode() || !FDevices[i]->WaitForState(ESimConfigMode, EnterConfigModeLimit))
            throw std::runtime_error(Name(i) + ": no configuration mode");
    }
}

TGuiReceiveBench::~TGuiReceiveBench() = default;

TFrameDev* TGuiReceiveBench::Panel(int index) const
{
    return FWindow->Devices()[index];
}

int TGuiReceiveBench::RunningCount() const
{
    const auto& panels = FWindow->Devices();
    return static_cast<int>(
        std::count_if(panels.begin(), panels.end(), [](const TFrameDev* panel) { return panel->ExchangeRunning(); }));
}

void TGuiReceiveBench::RunOnce(int run)
{
    // Each of the three receives of a run reads values of its own.
    const int round = 3 * run;

    Prepare(1, round);
    Measure(FSeries.OnePanel, 1, [this] {
        // As the user clicks it: the idle pass that enables it has run before.
        TActionUpdates::RunAll();
        Panel(0)->ActDevReceiveConfiguration->trigger();
    });
    Check(1, round);

    // The two panels beyond the ports are hidden for this one; they stay connected.
    FWindow->SetDeviceCount(AllActionDevices);
    Prepare(AllActionDevices, round + 1);
    Measure(FSeries.AllAction, AllActionDevices, [this] {
        TActionUpdates::RunAll();
        FWindow->ActAllReceive->trigger();
    });
    FWindow->SetDeviceCount(DeviceCount);
    Check(AllActionDevices, round + 1);

    Prepare(DeviceCount, round + 2);
    Measure(FSeries.AllPanels, DeviceCount, [this] {
        for (int i = 0; i < DeviceCount; ++i)
            Panel(i)->StartExchange(tDevExchange::Receive, true);
    });
    Check(DeviceCount, round + 2);
}

void TGuiReceiveBench::Settle()
{
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(QThread::currentThread()),
                     &QAbstractEventDispatcher::aboutToBlock, &loop, &QEventLoop::quit);
    loop.exec();
}

void TGuiReceiveBench::Measure(TGuiSeries& series, int devices, const std::function<void()>& start)
{
    // Whatever an earlier step left for the loop (painting, idle updates) is done before the clock runs.
    Settle();
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 lastTickCpu = ThreadCpuNs();
    qint64 longestGap = 0;
    qint64 longestGapCpu = 0;
    qint64 startedAt = 0;
    qint64 endedAt = -1;
    bool started = false;

    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        // A tick still due when the last receive has ended belongs to no receive.
        if (endedAt >= 0)
            return;
        const qint64 now = clock.nsecsElapsed();
        const qint64 cpu = ThreadCpuNs();
        if (now - lastTick > longestGap) {
            longestGap = now - lastTick;
            longestGapCpu = cpu - lastTickCpu;
        }
        lastTick = now;
        lastTickCpu = cpu;
    });
    // A panel's worker has been joined when its end is reported here.
    for (TFrameDev* panel : FWindow->Devices())
        QObject::connect(panel, &TFrameDev::ExchangeFinished, &loop, [&] {
            if (RunningCount() == 0) {
                endedAt = clock.nsecsElapsed();
                loop.quit();
            }
        });
    QTimer::singleShot(0, &loop, [&] {
        startedAt = clock.nsecsElapsed();
        start();
        started = true;
        for (int i = 0; i < devices; ++i)
            started = started && Panel(i)->ExchangeRunning();
        if (!started)
            loop.quit();
    });
    QTimer::singleShot(std::chrono::duration_cast<std::chrono::milliseconds>(ExchangeLimit), &loop,
                       &QEventLoop::quit);
    clock.start();
    tick.start();
    loop.exec();
    tick.stop();

    CheckErrors();
    if (!started)
        throw std::runtime_error("the receive did not start on every device");
    if (endedAt < 0)
        throw std::runtime_error("the receive did not end in time");
    if (endedAt - lastTick > longestGap) {
        longestGap = endedAt - lastTick;
        longestGapCpu = ThreadCpuNs() - lastTickCpu;
    }
    series.TimeMs.push_back(Ms(std::chrono::nanoseconds(endedAt - startedAt)));
    series.LongestGapMs.push_back(Ms(std::chrono::nanoseconds(longestGap)));
    series.LongestGapCpuMs.push_back(Ms(std::chrono::nanoseconds(longestGapCpu)));
}

void TGuiReceiveBench::Prepare(int devices, int round)
{
    for (int i = 0; i < devices; ++i)
        FDevices[i]->SetCurrent(DeviceValues(i, round));
}

void TGuiReceiveBench::Check(int devices, int round) const
{
    CheckErrors();
    for (int i = 0; i < devices; ++i)
        if (ParameterValues(FWindow->Document().Parameters(i)) != DeviceValues(i, round))
            throw std::runtime_error(Name(i) + ": the window holds other values than the device");
}

void TGuiReceiveBench::CheckErrors() const
{
    if (!FErrors.isEmpty())
        throw std::runtime_error(FErrors.front().toStdString());
    if (!FDialogs->Texts.isEmpty())
        throw std::runtime_error("message box: " + FDialogs->Texts.front().toStdString());
}

}  // namespace exchangebench
