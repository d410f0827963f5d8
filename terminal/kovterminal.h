#pragma once
// The command protocol with one TALV device over its serial port (or over another line end handed
// to it, such as the simulated device's in-process end), on a copy of the device's parameters.
//
// Commands are a line of text ended by a carriage return. The device echoes each command and
// ends every reply with its prompt "#"; the text up to the prompt is one reply unit, handed to
// the receive handler named by its first word. An exchange runs on the calling thread and blocks
// it, or on the terminal's worker (RunExchange) so that a window stays responsive. The reply
// timer, the configuration-mode request and the worker run on threads of their own; the
// terminal stops and waits for all of them before it is destroyed.

#include "slutil/slcomport.h"
#include "slutil/slline.h"
#include "slutil/sltimerthread.h"
#include "terminal/KovDef.h"
#include "terminal/kovparameters.h"
#include "terminal/synchandover.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TConfigModeView;
class ThRequestConfigMode;

class TKovTerminal {
public:
    using TNotifyEvent = std::function<void(TKovTerminal& sender)>;

    TKovTerminal();
    ~TKovTerminal();
    TKovTerminal(const TKovTerminal&) = delete;
    TKovTerminal& operator=(const TKovTerminal&) = delete;

    // ---- parameters ------------------------------------------------------
    // The engine's own copy: commands send from it and receive handlers write into it. The
    // owner hands a copy in before an exchange and takes the received values out after it.
    TKovParameters& Parameters() { return FParameters; }
    const TKovParameters& Parameters() const { return FParameters; }
    void SetParameters(const TKovParameters& parameters) { FParameters = parameters; }

    // Explicit device path for the port (empty: the default path of COMPort); used at Open.
    const std::string& GetDevicePath() const { return FDevicePath; }
    void SetDevicePath(const std::string& path) { FDevicePath = path; }

    // ---- engine ----------------------------------------------------------
    int GetComTimeOut() const { return FComTimeOut; }
    // Rounded down to a multiple of 100 ms, at least 500.
    void SetComTimeOut(int ms);

    bool GetConnected() const { return FConnected.load(); }
    void SetConnected(bool connected);
    bool GetConfigMode() const { return FConfigMode.load(); }
    void SetConfigMode(bool configMode) { FConfigMode.store(configMode); }

    // Fast transfers on the own port, from the next Open: a read ends once the line has been
    // quiet for FastReadGapMs after a byte, instead of always waiting its full time-out, which
    // older devices are known to need. The prompt alone does not end a read: a device may send
    // more than one in a row (its entry banner and the answer to the confirmation's carriage
    // return), and a prompt left for the next exchange would end that one's wait too early. The
    // reply time still bounds every exchange. A line handed over with SetLine reads as always.
    static constexpr int32_t FastReadGapMs = 21;  // about 20 character times at 9600 baud
    bool GetFastTransfer() const { return FFastTransfer.load(); }
    void SetFastTransfer(bool fast) { FFastTransfer.store(fast); }
    // The reply timer's ticks. Every exchange is granted one read before the timer counts: a
    // default read lasts its full time-out, so the timer covers the reply time less that read.
    // A fast read ends when the line falls quiet, perhaps in a pause within a reply, so the
    // timer then covers the whole reply time.
    uint32_t ReplyTimerTicks() const;

    // Both end whatever exchange came before: its reply timer can no longer change a flag, and
    // received text not yet handled is dropped.
    void Open();
    void Close();

    // Writes text and a carriage return, logs it and arms the reply timer; does not wait.
    void Send(const AnsiString& text, tKovWaitForCmd wait);
    // Blocks until the awaited reply has been handled; raises on a time-out, a failed read or a
    // bad reply.
    void ProcessReceived(void* sender = nullptr);
    // One receive pass over text as if it had just been read from the port: appends it to the
    // receive buffer and handles every complete reply unit in it.
    void ProcessReceivedText(const AnsiString& text);

    static AnsiString& TrimReceivedString(AnsiString& text);
    static AnsiString ExtractReceivedValue(const AnsiString& data, const AnsiString& key);

    tKovWaitForCmd GetWaitState() const { return FWaitState; }
    const AnsiString& ReceivedString() const { return FReceivedString; }
    const AnsiString& SentString() const { return FSentString; }
    int TimerTick() const { return FTimerTick.load(); }
    // Received but not yet handled text.
    const AnsiString& ReceiveBuffer() const { return FReceiveBuffer; }

    // The terminal's own serial port, whether or not it is the line in use.
    TslCOMPort* Port() { return FPort.get(); }
    // The line the exchanges use: the line handed over by SetLine, else the own port.
    TslLine* Line() const { return FLine ? FLine.get() : FPort.get(); }
    // Talks over line from now on instead of the own port (null: the own port again). The
    // connection and a running configuration-mode request on the previous line end as by Close
    // and StopRequestConfigMode; the next Open opens the new line.
    void SetLine(std::shared_ptr<TslLine> line);

    // ---- commands --------------------------------------------------------
    void SendShow();
    void SendSave();
    void SendGo();
    void SendQuit();
    void SendHelp();
    void SendDefault();
    void SendDefaultFactory();

    void SendMsnIncoming(int channel, const AnsiString& number);
    void RequestMsnIncoming(int channel);
    void SendAutomaticCallMode(tAciomco mode);
    void RequestAutomaticCallMode();
    void SendAutomaticCallNumber(int entry, const AnsiString& number);
    void RequestAutomaticCallNumber(int entry);
    void SendIsdnDChannelProtocol(tIsdnDChannelProtocol protocol);
    void RequestIsdnDChannelProtocol();

    void SendConfiguration();
    void ReceiveConfiguration();

    // ---- receive handlers ------------------------------------------------
    void ReceivePrompt();
    void ReceiveData();
    void ReceiveConfigMode();
    void ReceiveMsnIncoming(int channel);
    void ReceiveMsnIncoming1() { ReceiveMsnIncoming(0); }
    void ReceiveMsnIncoming2() { ReceiveMsnIncoming(1); }
    void ReceiveAutomaticCallMode();
    void ReceiveAutomaticCallNumber(int entry);
    void ReceiveAutomaticCallNumber1() { ReceiveAutomaticCallNumber(1); }
    void ReceiveAutomaticCallNumber2() { ReceiveAutomaticCallNumber(2); }
    void ReceiveIsdnDChannelProtocol();

    using TReceiveFunction = void (TKovTerminal::*)();
    static const std::map<AnsiString, TReceiveFunction> g_KovReceiveFunctions;

    // ---- configuration-mode request ----------------------------------------
    // Starts the request thread for this terminal's port and returns at once; a request still
    // running is stopped first, and the exchange before it ended as by Close.
    void RequestConfigMode(TConfigModeView* view);
    // Stops the request thread and waits for its end; harmless when it has already ended.
    void StopRequestConfigMode();

    // ---- exchanges on the terminal's worker ---------------------------------
    // While an exchange runs on the worker, every event it raises fires on the thread that the
    // event post leads to (the GUI thread) and the worker waits for it, so a handler sees the
    // terminal as it stands at that step; OnTimerProcess is posted there without waiting. Set
    // the post before the first exchange; it must not run a call on the calling thread.
    using TPost = TSyncHandOver::TPost;
    void SetEventPost(TPost post) { FPost = std::move(post); }
    using TExchangeJob = std::function<void(TKovTerminal& terminal)>;
    // error is null when the job succeeded.
    using TExchangeDone = std::function<void(std::exception_ptr error)>;
    // Starts job on the worker and returns at once. done runs through the event post once the
    // job has ended and the worker is joined. Raises Exception without an event post or while
    // an exchange runs. Until done has run, the owner calls nothing on the terminal but the
    // getters, CancelExchange and StopExchange.
    void RunExchange(TExchangeJob job, TExchangeDone done);
    // From RunExchange until its done has run or StopExchange returned. Owner's thread only.
    bool ExchangeRunning() const { return FExchangeRunning; }
    // The running exchange ends after its current read, or before its next command, with
    // EAbort; the received text of the unfinished reply is dropped. The port stays open.
    void CancelExchange() { FCancelRequested.store(true); }
    // Cancels, gives up an event the worker waits for, and waits for the worker's end; the
    // exchange's done does not run. Harmless without an exchange.
    void StopExchange();
    // The commands written since the running (or last) exchange on the worker began.
    int ExchangeStep() const { return FExchangeStep.load(); }

    // ---- events (set them before the first exchange) -----------------------
    TNotifyEvent OnLogSend;
    TNotifyEvent OnLogReceived;
    TNotifyEvent OnUpdateView;
    TNotifyEvent OnReceivePrompt;
    TNotifyEvent OnTimerProcess;  // fires on the reply timer's thread
    TNotifyEvent OnReceiveMsnIncoming;
    TNotifyEvent OnReceiveAutomaticCallMode;
    TNotifyEvent OnReceiveIsdnDChannelProtocol;
    TNotifyEvent OnReceiveAutomaticCallNumber;
    TNotifyEvent OnExchangeStep;  // a command went out; ExchangeStep counts them

private:
    void DoLogSend() { Fire(OnLogSend); }
    void DoLogReceived() { Fire(OnLogReceived); }
    void DoUpdateView() { Fire(OnUpdateView); }
    void DoReceivePrompt() { Fire(OnReceivePrompt); }
    void DoTimerProcess();
    void Fire(const TNotifyEvent& event);
    // Raises EAbort for a cancelled exchange, which ends here as one given up; a reply begun is
    // read to its end first.
    void ThrowIfCancelled();

    void TimerTimerSend(TslTimerThread& timer, unsigned generation);
    void TimerTimerProcess(TslTimerThread& timer, unsigned generation);
    // Takes the flags away from every timer started so far and stops the current one; returns
    // the generation a timer started next will own.
    unsigned RetireTimers();
    void StopAllTimers();
    // The end of a connection or of an exchange given up: no timer and no received text of it
    // may reach the next one.
    void DropExchange();
    // A reply unit ended the wait: retires its timer and keeps the configuration mode it cleared.
    void EndReplyWait();
    void HandleUnit(const AnsiString& unit);
    void SendAndProcess(const AnsiString& text, tKovWaitForCmd wait);

    TKovParameters FParameters;
    std::string FDevicePath;

    const std::unique_ptr<TslCOMPort> FPort;
    std::shared_ptr<TslLine> FLine;
    int FComTimeOut = 0;
    // Written by whichever thread runs the connect, read by the owner's idle updates.
    std::atomic<bool> FConnected{false};
    // Set by the owner, read by Open on whichever thread runs the connect.
    std::atomic<bool> FFastTransfer{false};
    // Whether the line in use was opened for fast reads.
    std::atomic<bool> FFastReads{false};
    // Written by the reply timer and the request thread, read by the GUI thread.
    std::atomic<bool> FConfigMode{false};
    std::atomic<bool> FTimedOut{false};
    std::atomic<int> FTimerTick{0};
    tKovWaitForCmd FWaitState = EKovWaitNone;
    AnsiString FReceivedString;
    AnsiString FSentString;
    AnsiString FReceiveBuffer;

    // The reply timer of the last Send, until it is retired. Retired timers may still be running;
    // they are kept in FTimers so that the destructor can stop them and wait for their end.
    std::shared_ptr<TslTimerThread> FTimer;
    std::vector<std::shared_ptr<TslTimerThread>> FTimers;
    // Which timer owns TimedOut, ConfigMode and TimerTick: only the one started with the current
    // generation. A timer's check of its generation and its writes, and every change of the
    // generation, happen under FTimerMutex.
    std::mutex FTimerMutex;
    unsigned FTimerGeneration = 0;

    std::unique_ptr<ThRequestConfigMode> FRequestThread;

    TPost FPost;
    TSyncHandOver FHandOver;
    std::thread FWorker;
    // The worker's id while it runs a job: events raised on it go through the hand-over.
    std::atomic<std::thread::id> FWorkerId;
    std::atomic<bool> FCancelRequested{false};
    std::atomic<int> FExchangeStep{0};
    // Owner's thread only. A done posted for an older generation was stopped and does not run.
    bool FExchangeRunning = false;
    unsigned FExchangeGeneration = 0;
    // Expires with the terminal: a posted call that finds it gone does nothing.
    const std::shared_ptr<char> FAlive = std::make_shared<char>();
};
