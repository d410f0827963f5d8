#include "terminal/kovterminal.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "terminal/threquestconfigmode.h"

#include <algorithm>

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

AnsiString Trim(const AnsiString& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? AnsiString(first, last) : AnsiString();
}

}  // namespace

const std::map<AnsiString, TKovTerminal::TReceiveFunction> TKovTerminal::g_KovReceiveFunctions = {
    {"+++", &TKovTerminal::ReceiveConfigMode},
    {"", &TKovTerminal::ReceivePrompt},
    {"aciomcatab1", &TKovTerminal::ReceiveAutomaticCallNumber1},
    {"aciomcatab2", &TKovTerminal::ReceiveAutomaticCallNumber2},
    {"aciomco", &TKovTerminal::ReceiveAutomaticCallMode},
    {"isdn", &TKovTerminal::ReceiveIsdnDChannelProtocol},
    {"vmoddi/1.msni", &TKovTerminal::ReceiveMsnIncoming1},
    {"vmoddi/2.msni", &TKovTerminal::ReceiveMsnIncoming2},
};

TKovTerminal::TKovTerminal() : FPort(std::make_unique<TslCOMPort>()) {}

TKovTerminal::~TKovTerminal()
{
    // Every kind of thread calls back into this object: stop them and wait for their end before
    // any member goes away.
    StopExchange();
    StopRequestConfigMode();
    StopAllTimers();
    Close();
}

// ---- port -------------------------------------------------------------------

void TKovTerminal::SetComTimeOut(int ms)
{
    int value = ms / 100 * 100;
    if (value < 500)
        value = 500;
    if (value != FComTimeOut)
        FComTimeOut = value;
}

void TKovTerminal::SetConnected(bool connected)
{
    if (connected)
        Open();
    else
        Close();
}

void TKovTerminal::Open()
{
    DropExchange();
    if (!FLine) {
        FPort->SetCOMPort(FParameters.GetCOMPort());
        FPort->SetDevicePath(FDevicePath);
        FPort->CommTimeOuts().SetTimeOut(TslCommTimeOuts::ReadTotalTimeoutConstantIndex, 500);
    }
    Line()->Open();
    if (!FLine) {
        // Set at every Open, also of a port that was open already; the default reads have no
        // interval limit.
        FPort->CommTimeOuts().SetTimeOut(TslCommTimeOuts::ReadIntervalTimeoutIndex,
                                         GetFastTransfer() ? FastReadGapMs : 0);
        FPort->ApplyCommTimeOuts();
    }
    FFastReads.store(!FLine && GetFastTransfer());
    FConnected = Line()->GetActive();
    SetConfigMode(false);
}

void TKovTerminal::Close()
{
    DropExchange();
    Line()->Close();
    FConnected = Line()->GetActive();
    FWaitState = EKovWaitNone;
    SetConfigMode(false);
}

void TKovTerminal::SetLine(std::shared_ptr<TslLine> line)
{
    // The request thread reads the line in use; it must be gone before the line changes.
    StopRequestConfigMode();
    Close();
    FLine = std::move(line);
}

// ---- reply timer ------------------------------------------------------------

uint32_t TKovTerminal::ReplyTimerTicks() const
{
    // Before the owner has set a reply time (0) the count would be negative: no ticks then.
    const int ms = FFastReads.load() ? FComTimeOut : FComTimeOut - Line()->ReadTimeOut();
    return ms > 0 ? static_cast<uint32_t>(ms / TslTimerThread::TickMs) : 0;
}

void TKovTerminal::Send(const AnsiString& text, tKovWaitForCmd wait)
{
    TslLine& line = *Line();
    if (!text.empty()) {
        ThrowIfCancelled();
        FSentString = text;
        // A command that never reached the line must not pass for sent: for "go", which waits
        // for no reply, nothing else would tell.
        if (!line.Write(text + CommandTerminator))
            RaiseLastOSError(line.LastError());
        DoLogSend();
        ++FExchangeStep;
        Fire(OnExchangeStep);
    }
    FWaitState = wait;
    // The previous exchange is over or given up. Its timer is retired before the flag is
    // cleared, so that it cannot set the flag again for this exchange.
    const unsigned generation = RetireTimers();
    FTimedOut.store(false);

    auto timer = TslTimerThread::Create(ReplyTimerTicks());
    timer->OnTimer = [this, generation](TslTimerThread& sender) { TimerTimerSend(sender, generation); };
    timer->OnTick = [this, generation](TslTimerThread& sender) { TimerTimerProcess(sender, generation); };

    std::erase_if(FTimers, [](const auto& t) { return t->Finished(); });
    FTimers.push_back(timer);
    FTimer = timer;
    timer->Resume();
}

// Runs on the timer thread. A retired timer must not declare a later exchange timed out or
// take the device out of configuration mode. Its test "is this still my exchange?" and its writes
// are one step under FTimerMutex: a retire either comes first, and the timer writes nothing, or
// after, and the retiring thread then sees both flags written. Every timer stops itself.
void TKovTerminal::TimerTimerSend(TslTimerThread& timer, unsigned generation)
{
    {
        std::lock_guard lock(FTimerMutex);
        if (generation == FTimerGeneration) {
            FTimedOut.store(true);
            SetConfigMode(false);
        }
    }
    timer.Terminate();
}

// Runs on the timer thread. The event fires outside the lock: its handler might wait for the GUI
// thread, which may itself be waiting for the lock to retire this timer.
void TKovTerminal::TimerTimerProcess(TslTimerThread& timer, unsigned generation)
{
    {
        std::lock_guard lock(FTimerMutex);
        if (generation != FTimerGeneration)
            return;
        FTimerTick.store(static_cast<int>(timer.Tick()));
    }
    DoTimerProcess();
}

// Nobody waits for the retired timer here: once the generation has moved on it changes nothing,
// and the destructor waits for every timer still running.
unsigned TKovTerminal::RetireTimers()
{
    unsigned generation;
    {
        std::lock_guard lock(FTimerMutex);
        generation = ++FTimerGeneration;
    }
    if (FTimer) {
        FTimer->Terminate();
        FTimer.reset();
    }
    return generation;
}

void TKovTerminal::StopAllTimers()
{
    for (const auto& timer : FTimers)
        timer->Terminate();
    for (const auto& timer : FTimers)
        timer->WaitFor();
    FTimers.clear();
    FTimer.reset();
}

void TKovTerminal::DropExchange()
{
    RetireTimers();
    FReceiveBuffer.clear();
}

void TKovTerminal::EndReplyWait()
{
    RetireTimers();
    // The reply time ran out during the read that brought this unit: the timer took the device
    // for gone, but the unit ends in the device's prompt, so the device is still in configuration
    // mode. (With a reply time of 500 ms this happens on every exchange.) The retired timer can
    // no longer clear the mode after this.
    if (FTimedOut.load())
        SetConfigMode(true);
}

// ---- receiving --------------------------------------------------------------

void TKovTerminal::ProcessReceived(void*)
{
    TslLine& line = *Line();
    // The first pass always reads once: with a reply time of 500 ms the timer has no ticks and
    // may have run out before this thread gets here, and the device must get its one read.
    bool firstPass = true;
    do {
        if (FTimedOut.load() && !firstPass) {
            FReceivedString.clear();
            FReceiveBuffer.clear();
            FWaitState = EKovWaitNone;
            throw Exception(FmtLoadStr(240, {FComTimeOut}));
        }
        firstPass = false;
        AnsiString text;
        uint32_t count = 0;
        if (!line.Read(text, &count)) {
            // What came before the failure is half a reply at best; it must not become the
            // start of the next exchange's.
            FReceiveBuffer.clear();
            RaiseLastOSError(line.LastError());
        }
        ProcessReceivedText(text);
        if (FWaitState != EKovWaitNone)
            ThrowIfCancelled();
    } while (FWaitState != EKovWaitNone);
}

void TKovTerminal::ProcessReceivedText(const AnsiString& text)
{
    FReceiveBuffer += text;
    size_t position = 0;
    // Consumed units leave the buffer even when a handler raises, so a bad reply is reported
    // once and the units after it are handled by the next call.
    auto dropConsumed = [&] {
        if (position > 0) {
            FReceiveBuffer.erase(0, position);
            position = 0;
        }
    };
    for (;;) {
        const auto start = FReceiveBuffer.find(StartString);
        if (start != AnsiString::npos) {
            // A device that was reset announces itself; whatever came before is stale.
            RetireTimers();
            FReceivedString = StartString;
            DoLogReceived();
            FReceiveBuffer.erase(0, start + StartString.size());
            position = 0;
            ReceiveConfigMode();
            break;
        }
        const auto prompt = FReceiveBuffer.find(DevicePrompt, position);
        if (prompt == AnsiString::npos)
            break;
        AnsiString unit = FReceiveBuffer.substr(position, prompt - position);
        position = prompt + 1;
        try {
            HandleUnit(unit);
        } catch (...) {
            dropConsumed();
            throw;
        }
    }
    dropConsumed();
    DoUpdateView();
}

void TKovTerminal::HandleUnit(const AnsiString& unit)
{
    AnsiString normalised = unit;
    TrimReceivedString(normalised);
    FReceivedString = normalised;
    DoLogReceived();

    const AnsiString keyword = normalised.substr(0, normalised.find(' '));
    const auto handler = g_KovReceiveFunctions.find(keyword);
    if (handler == g_KovReceiveFunctions.end()) {
        EndReplyWait();
        ReceivePrompt();
        return;
    }
    try {
        (this->*handler->second)();
    } catch (...) {
        FWaitState = EKovWaitNone;
        RetireTimers();
        throw;
    }
    FWaitState = EKovWaitNone;
    EndReplyWait();
}

AnsiString& TKovTerminal::TrimReceivedString(AnsiString& text)
{
    text = Trim(text);

    // Every line break (CR LF, LF CR, a lone CR or LF) becomes one space.
    AnsiString joined;
    joined.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            const char pair = c == '\r' ? '\n' : '\r';
            if (i + 1 < text.size() && text[i + 1] == pair)
                ++i;
            joined += ' ';
        } else {
            joined += c;
        }
    }

    const auto lastPrompt = joined.rfind(DevicePrompt);
    if (lastPrompt != AnsiString::npos)
        joined[lastPrompt] = ' ';

    AnsiString collapsed;
    collapsed.reserve(joined.size());
    for (const char c : joined)
        if (c != ' ' || collapsed.empty() || collapsed.back() != ' ')
            collapsed += c;

    text = Trim(collapsed);
    return text;
}

AnsiString TKovTerminal::ExtractReceivedValue(const AnsiString& data, const AnsiString& key)
{
    if (key.size() >= data.size())
        return {};
    return Trim(data.substr(key.size()));
}

void TKovTerminal::ReceivePrompt()
{
    FWaitState = EKovWaitNone;
    DoReceivePrompt();
    SetConfigMode(true);
}

void TKovTerminal::ReceiveData()
{
    FWaitState = EKovWaitNone;
}

void TKovTerminal::ReceiveConfigMode()
{
    if (FWaitState != EKovWaitStartString) {
        FWaitState = EKovWaitNone;
        throw Exception(FmtLoadStr(241, {std::string("TKovTerminal::ReceiveConfigMode")}));
    }
    FWaitState = EKovWaitNone;
    Send(ConfigModeConfirmation, EKovWaitConfigModePrompt);
    ProcessReceived(nullptr);
}

// ---- configuration-mode request ----------------------------------------------

void TKovTerminal::RequestConfigMode(TConfigModeView* view)
{
    // Two requests reading one port at once would steal each other's bytes.
    StopRequestConfigMode();
    // The request reads the port itself and may end in configuration mode: neither a timer nor
    // text of an earlier exchange may reach what follows it.
    DropExchange();
    FRequestThread = std::make_unique<ThRequestConfigMode>(true, this, view);
    FRequestThread->Resume();
}

void TKovTerminal::StopRequestConfigMode()
{
    if (FRequestThread)
        FRequestThread->Stop();
}
