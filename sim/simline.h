#pragma once
// The simulated device's end of the serial line, as its worker thread drives it: sending with
// the pace of a 9600-baud line and in randomly split pieces, reading what the tool sent, and
// waiting for either or for a wake-up from another thread. The line is a pseudo-terminal, or,
// in process, a wire to the tool's end (ToolEnd) without any device file.
//
// Threads: Wake, RequestStop, StopRequested, SentCount, SlavePath and ToolEnd may be called
// from any thread; all the rest belongs to the worker. The wake-up is a pipe the worker polls
// beside the master, so a stop request ends any wait at once, a long paced send included.

#include "sim/simpty.h"
#include "sim/simwire.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>

class TslLine;

class TSimLine {
public:
    using TClock = std::chrono::steady_clock;
    using TReceiveEvent = std::function<void(std::string_view bytes)>;
    using TLogEvent = std::function<void(const std::string& text)>;

    // 10 bits per byte (start, 8 data, stop) at 9600 baud.
    static constexpr std::chrono::nanoseconds ByteTime{1'041'667};
    static constexpr std::chrono::milliseconds MaxSplitPause{30};
    // How long a send waits for a reader that takes nothing before it drops the rest, as a line
    // with nobody listening loses what is sent on it.
    static constexpr std::chrono::milliseconds StallLimit{1000};
    static constexpr std::chrono::milliseconds DrainLimit{500};
    static constexpr std::chrono::milliseconds DrainQuiet{20};

    // Raises EOSError when no pseudo-terminal (or, in process, no wake-up pipe) can be made.
    TSimLine(bool pace, bool split, uint32_t seed, bool inProcess = false);
    ~TSimLine();
    TSimLine(const TSimLine&) = delete;
    TSimLine& operator=(const TSimLine&) = delete;

    // Empty in process.
    const std::string& SlavePath() const { return FSlavePath; }
    // The tool's end of an in-process line; null on a pseudo-terminal.
    std::shared_ptr<TslLine> ToolEnd() const { return FToolEnd; }

    // ---- any thread ----
    void Wake();
    void RequestStop();
    bool StopRequested() const { return FStop.load(); }
    // Bytes put on the line towards the tool since the start; dropped ones do not count.
    uint64_t SentCount() const { return FSentCount.load(); }

    // ---- worker thread ----
    // Set before the worker starts. OnReceived gets every byte read from the tool, as it is read.
    TReceiveEvent OnReceived;
    TLogEvent OnLog;

    // Returns when input has arrived, Wake or RequestStop was called, or at until.
    void Wait(TClock::time_point until);
    // The input read so far and not yet taken. Empty means that everything taken before has
    // been answered (the worker answers what it takes before it asks again).
    std::string TakeInput();
    // Sends bytes under the pace and split options; input arriving meanwhile is read and kept.
    // False when the send was cut short by a stop request or the line is down.
    bool Send(std::string_view bytes);
    // Closes the line once the tool has read what was sent (at most DrainLimit later): a real
    // line drops after the last byte has left it, while a pseudo-terminal's hang-up throws
    // away what the tool has not read yet.
    void HangUp();
    bool IsUp() const;

private:
    bool SendPiece(std::string_view piece);
    bool WriteAll(std::string_view bytes);
    // Waits until, or a stop; false on a stop.
    bool Pause(TClock::time_point until);
    // One poll of the wake-up pipe and the master, reading any input. True when the master can
    // take bytes (only asked when wantWrite).
    bool Poll(TClock::time_point until, bool wantWrite);
    void ReadInput();
    // In process: what the tool wrote since the last call.
    void TakeWireInput();
    void Received(std::string_view chunk);
    void Log(const std::string& text) const { if (OnLog) OnLog(text); }

    // Exactly one of the two: the pseudo-terminal, or the wire to the tool's end.
    const std::unique_ptr<TSimPty> FPty;
    const std::shared_ptr<TSimWire> FWire;
    std::shared_ptr<TslLine> FToolEnd;
    // In process: bytes taken from the wire so far.
    uint64_t FTakenCount = 0;
    const std::string FSlavePath;
    const bool FPace;
    const bool FSplit;
    std::mt19937 FRandom;
    int FWakeRead = -1;
    int FWakeWrite = -1;
    std::atomic<bool> FStop{false};
    // Written by the worker, read by anyone who accounts for the line's time.
    std::atomic<uint64_t> FSentCount{0};
    std::string FInput;
    // After EIO (no slave open) the master is not read again before this, so the worker
    // does not spin on a line that reports the same error at once.
    TClock::time_point FReadQuietUntil{};
};
