#pragma once
// A simulated TALV device on a pseudo-terminal: the tool opens SlavePath() as its serial port
// and talks to the device as to a real one. In process, the tool talks over LineEnd() instead,
// with no device file and no read that waits for bytes already sent. A worker thread owned by the device serves the line;
// tests and the talvsim program steer it through the public methods, which are thread-safe.
//
// Besides the honest protocol (TSimProtocol) the device can misbehave on order: stay silent,
// answer with garbage, put a NUL into a reply, flood the line, reset or hang up in the middle of
// a reply. Every byte received from the tool is kept for byte-exact checks.

#include "sim/simfaults.h"
#include "sim/simline.h"
#include "sim/simprotocol.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

struct TSimDeviceOptions {
    bool Pace = false;   // send at the speed of a 9600-baud line
    bool Split = false;  // send each reply in several pieces with pauses of up to 30 ms
    bool InProcess = false;  // no pseudo-terminal: the tool talks over LineEnd()
    uint32_t Seed = 1;   // for the split points, the pauses and the garbage
    std::chrono::milliseconds ConfirmationWindow = TSimProtocol::DefaultConfirmationWindow;
    // When not zero: a reset every period while the device is not in configuration mode, as
    // a technician keeps pressing the reset key.
    std::chrono::milliseconds AutoResetPeriod{0};
    // One event per call, on the worker thread. It must not call Reset, SendRaw or HangUp,
    // which wait for that very thread.
    std::function<void(const std::string& event)> OnLog;
};

class TSimDevice {
public:
    using TClock = std::chrono::steady_clock;

    static constexpr size_t DefaultGarbageCount = 64;
    static constexpr size_t DefaultFloodCount = 2000;

    // Opens the pseudo-terminal and starts the worker; the device runs with the stored (factory)
    // parameters and sends nothing until a reset. Raises EOSError when no pseudo-terminal can
    // be made.
    explicit TSimDevice(TSimDeviceOptions options = {});
    // Stops the worker, cutting short any reply in progress, and closes the line.
    ~TSimDevice();
    TSimDevice(const TSimDevice&) = delete;
    TSimDevice& operator=(const TSimDevice&) = delete;

    // Empty in process.
    const std::string& SlavePath() const { return FLine.SlavePath(); }
    // The tool's end of the line in process; null on a pseudo-terminal.
    std::shared_ptr<TslLine> LineEnd() const { return FLine.ToolEnd(); }

    // ---- carried out by the worker; each returns once it is done ----
    // The worker first answers all input it has read by then, so a command given after
    // WaitForReceived saw some bytes comes after the device has dealt with them.
    // Sends the reset banner, loads the stored parameters, opens the confirmation window.
    void Reset();
    // Sends bytes as they are, outside the protocol.
    void SendRaw(const std::string& bytes);
    // Closes the line at once; the tool sees a hang-up. There is no way back.
    void HangUp();

    // ---- misbehaviour; each "next reply" order is used up by the next reply ----
    // Silent: input is read (and kept in Received) but neither interpreted nor answered.
    void SetSilent(bool silent);
    bool Silent() const;
    void GarbageNextReply(size_t count = DefaultGarbageCount);
    void NulInNextReply();
    // keepReply: the text follows the reply; otherwise it replaces the reply.
    void FloodNextReply(size_t count = DefaultFloodCount, bool keepReply = true);
    void ResetMidNextReply();
    void HangUpMidNextReply();

    // ---- state ----
    tSimState State() const;
    bool InConfigMode() const;
    bool LineUp() const;
    TSimParameters Current() const;
    void SetCurrent(const TSimParameters& parameters);
    TSimParameters Stored() const;
    void SetStored(const TSimParameters& parameters);

    // ---- what came from the tool ----
    std::string Received() const;
    // The command lines taken in configuration mode, in order, without their CR.
    std::vector<std::string> CommandLines() const;
    // Bytes the device has put on the line since it started (line time of an exchange).
    uint64_t SentCount() const { return FLine.SentCount(); }
    // Forgets Received and CommandLines, e.g. between the steps of a test.
    void ClearReceived();
    // Each waits until its condition holds (true) or the time-out has passed (false).
    bool WaitForReceived(const std::function<bool(std::string_view received)>& done,
                         std::chrono::milliseconds timeout) const;
    bool WaitForCommandLines(size_t count, std::chrono::milliseconds timeout) const;
    bool WaitForState(tSimState state, std::chrono::milliseconds timeout) const;

private:
    enum tCommand : int { ECommandReset, ECommandRaw, ECommandHangUp };
    struct TCommand {
        tCommand Kind;
        std::string Bytes;
    };

    void Submit(TCommand command);
    void Execute();
    void RunCommands();
    void ProcessInput();
    void ProcessInput(const std::string& input);
    void Housekeeping();
    TClock::time_point NextDeadline() const;
    void DoReset();
    void DoHangUp();
    void Transmit(const std::string& bytes);
    void Log(const std::string& event) const;
    void Changed(std::unique_lock<std::mutex>& lock);

    const TSimDeviceOptions FOptions;
    TSimLine FLine;

    // Everything below up to FThread is shared between the worker and the callers and guarded
    // by FMutex; FChanged is notified whenever any of it changes.
    mutable std::mutex FMutex;
    mutable std::condition_variable FChanged;
    TSimProtocol FProtocol;
    TSimFaults FFaults;
    bool FSilent = false;
    bool FLineUp = true;
    std::string FReceived;
    std::vector<std::string> FCommandLines;
    std::deque<TCommand> FCommands;
    uint64_t FCommandsSubmitted = 0;
    uint64_t FCommandsDone = 0;

    // Worker only.
    TClock::time_point FNextAutoReset = TClock::time_point::max();

    std::thread FThread;
};
