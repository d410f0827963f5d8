#pragma once
// The tool's end of the simulated device's line inside the process: the terminal talks over it
// as over its serial port, without a pseudo-terminal. Reads return at once what the device has
// sent; only a read that finds nothing waits, up to the read time-out, as a port would.
//
// Like a port, one thread at a time uses it; the device's worker is on the far side of the
// shared wire.

#include "sim/simwire.h"
#include "slutil/slline.h"

#include <cstddef>
#include <memory>

class TSimLineEnd : public TslLine {
public:
    // What the tool's port waits for one read, and the most one read takes.
    static constexpr int32_t ReadTimeOutMs = 500;
    static constexpr size_t ReadChunk = 976;

    explicit TSimLineEnd(std::shared_ptr<TSimWire> wire) : FWire(std::move(wire)) {}

    // Raises EOSError (EIO) once the device has hung up. What the device sent before is
    // dropped, as the port does on opening.
    void Open() override;
    bool Close() override;
    bool GetActive() const override { return FOpen; }
    int32_t ReadTimeOut() const override { return ReadTimeOutMs; }
    bool Read(std::string& text, uint32_t* count) override;
    bool Write(const std::string& text) override;
    void PurgeInput() override;
    int LastError() const override { return FLastError; }

private:
    const std::shared_ptr<TSimWire> FWire;
    bool FOpen = false;
    int FLastError = 0;
};
