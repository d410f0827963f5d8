#pragma once
// The command protocol with one TALV device over its serial port (or over another line end handed
// to it, such as the simulated device's in-process end), on a copy of the device's parameters.
//
// Commands are a line of text ended by a carriage return. The device echoes each command and
// ends every reply with its prompt "#"; the text up to the prompt is one reply unit, handed to
// the receive handler named by its first word. All exchanges run on the calling (GUI) thread
// and block it; only the reply timer and the configuration-mode request run on threads of their
// own, and the terminal stops and waits for both before it is destroyed.

#include "slutil/slcomport.h"
#include "slutil/slline.h"
#include "slutil/sltimerthread.h"
#include "terminal/KovDef.h"
#include "terminal/kovparameters.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
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

    bool GetConnected() const { return FConnected; }
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

private:
    void DoLogSend() { Fire(OnLogSend); }
    void DoLogReceived() { Fire(OnLogReceived); }
    void DoUpdateView() { Fire(OnUpdateView); }
    void DoReceivePrompt() { Fire(OnReceivePrompt); }
    void DoTimerProcess() { Fire(OnTimerProcess); }
    void Fire(const TNotifyEvent& event) { if (event) event(*this); }

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
    bool FConnected = false;
    // Set by the owner, read by Open on whichever thread runs the connect.
    std::atomic<bool> FFastTransfer{false};
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
};
