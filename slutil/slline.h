#pragma once
// One end of a serial line as the terminal and its configuration-mode request use it. The
// terminal's own TslCOMPort is one implementation; the simulated device offers another inside
// the process, so that the protocol engine can be exercised without a pseudo-terminal.
//
// A line end is used by one thread at a time (the terminal's exchanges, or its request thread
// while the terminal waits for it).

#include <cstdint>
#include <string>

class TslLine {
public:
    virtual ~TslLine() = default;

    // Makes the line usable; nothing when it already is. Raises EOSError when it cannot be had.
    virtual void Open() = 0;
    // The result is whether the line was open.
    virtual bool Close() = 0;
    virtual bool GetActive() const = 0;

    // The longest one Read waits, in milliseconds; the reply timer counts its ticks beyond it.
    virtual int32_t ReadTimeOut() const = 0;
    // One bounded read of what arrives within the read time-out. False when the line is closed
    // or the read failed (LastError tells why; a hang-up is a failure, EIO). A zero byte ends
    // the text of that read; what follows it is dropped.
    virtual bool Read(std::string& text, uint32_t* count) = 0;
    // Drops what has arrived and was not read yet; nothing on a closed line.
    virtual void PurgeInput() = 0;
    // Writes every byte; true without writing on a closed line.
    virtual bool Write(const std::string& text) = 0;
    // errno of the last failure; 0 when none failed.
    virtual int LastError() const = 0;
};
