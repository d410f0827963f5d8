#include "terminal/threquestconfigmode.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "slutil/sltimerthread.h"
#include "terminal/kovterminal.h"

#include <chrono>

ThRequestConfigMode::ThRequestConfigMode(bool createSuspended, TKovTerminal* terminal, TConfigModeView* view)
    : FTerminal(terminal), FView(view)
{
    if (!terminal)
        throw Exception("ThRequestConfigMode::ThRequestConfigMode: Kein KovTerminal übergeben.");
    if (!view)
        throw Exception("ThRequestConfigMode::ThRequestConfigMode: Kein Form übergeben.");
    if (!createSuspended)
        Resume();
}

ThRequestConfigMode::~ThRequestConfigMode()
{
    Stop();
}

void ThRequestConfigMode::Resume()
{
    if (!FThread.joinable() && !Terminated())
        FThread = std::thread([this] { Execute(); });
}

void ThRequestConfigMode::Stop()
{
    {
        std::lock_guard lock(FMutex);
        FTerminated.store(true);
    }
    FWake.notify_all();
    // The view's thread may be this very thread (the GUI thread stopping the request), so a
    // hand-over the request thread is waiting for could never run: give it up instead.
    FHandOver.GiveUp();
    if (FThread.joinable())
        FThread.join();
}

bool ThRequestConfigMode::Synchronize(std::function<void(TConfigModeView&)> call)
{
    if (Terminated())
        return false;
    TConfigModeView* const view = FView;
    return FHandOver.Run([view](std::function<void()> posted) { view->Post(std::move(posted)); },
                         [view, call = std::move(call)] { call(*view); });
}

void ThRequestConfigMode::Show(tConfigModeStatus status, const std::string& reason)
{
    Synchronize([status, reason](TConfigModeView& view) { view.ShowStatus(status, reason); });
}

bool ThRequestConfigMode::Sleep(int ms)
{
    std::unique_lock lock(FMutex);
    return !FWake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return Terminated(); });
}

// The user is not left looking at a waiting status when the request cannot go on: the view
// shows why; it stays open until the user cancels it.
void ThRequestConfigMode::Fail(const std::string& reason)
{
    FTerminal->SetConfigMode(false);
    Show(EConfigModeFailed, reason);
}

// The failure text of a read or write is the one an exchange on the GUI thread would raise.
void ThRequestConfigMode::FailOnLineError(const TslLine& line)
{
    try {
        RaiseLastOSError(line.LastError());
    } catch (const Exception& e) {
        Fail(e.what());
    }
}

void ThRequestConfigMode::Execute()
{
    if (!WaitForStartString())
        return;

    // A confirmation that never reached the line must not be shown as sent.
    TslLine& line = *FTerminal->Line();
    if (!line.Write(ConfigModeConfirmation + CommandTerminator)) {
        FailOnLineError(line);
        return;
    }
    Show(EConfigModeConfirmed);
    if (!Sleep(SettleMs)) {
        FTerminal->SetConfigMode(false);
        return;
    }
    if (!WaitForPrompt())
        return;

    FTerminal->SetConfigMode(true);
    Show(EConfigModeEntered);
    if (!Sleep(SettleMs))
        return;
    // What the device said after its prompt is meant for nobody: it answers the confirmation's
    // closing carriage return with a second prompt, which may come in a read of its own (a fast
    // read ends when the line falls quiet). Left on the line, it would end the wait of the next
    // exchange before that exchange's reply has come.
    line.PurgeInput();
    Synchronize([](TConfigModeView& view) { view.CloseOk(); });
    Synchronize([](TConfigModeView& view) { view.Repaint(); });
}

bool ThRequestConfigMode::WaitForStartString()
{
    TslLine& line = *FTerminal->Line();
    std::string collected;
    do {
        Show(EConfigModeWaitForStart);
        if (Terminated()) {
            FTerminal->SetConfigMode(false);
            return false;
        }
        std::string text;
        uint32_t count = 0;
        if (!line.Read(text, &count)) {
            FailOnLineError(line);
            return false;
        }
        collected += text;
    } while (collected.find(StartString) == std::string::npos);
    return true;
}

bool ThRequestConfigMode::WaitForPrompt()
{
    TslLine& line = *FTerminal->Line();
    const int timeOut = FTerminal->GetComTimeOut();
    FTimeOut.store(false);
    FTimer = TslTimerThread::Create(FTerminal->ReplyTimerTicks());
    // Runs on the prompt timer's thread; the timer is stopped and waited for below before this
    // object can go away.
    FTimer->OnTimer = [this](TslTimerThread& timer) {
        FTimeOut.store(true);
        FTerminal->SetConfigMode(false);
        timer.Terminate();
    };
    FTimer->Resume();
    auto stopTimer = [this] {
        FTimer->Terminate();
        FTimer->WaitFor();
    };

    // As in an ordinary exchange, the device gets at least one read: with a reply time of 500 ms
    // the timer has no ticks and may run out before the first read has begun.
    std::string collected;
    bool found = false;
    for (bool firstRead = true; !found && (firstRead || !FTimeOut.load()); firstRead = false) {
        if (Terminated()) {
            FTerminal->SetConfigMode(false);
            stopTimer();
            return false;
        }
        std::string text;
        uint32_t count = 0;
        if (!line.Read(text, &count)) {
            stopTimer();
            FailOnLineError(line);
            return false;
        }
        collected += text;
        if (collected.find(DevicePrompt) != std::string::npos) {
            stopTimer();
            found = true;
        }
    }
    stopTimer();
    if (!found) {
        Fail(FmtLoadStr(229, {timeOut}));
        return false;
    }
    return true;
}
