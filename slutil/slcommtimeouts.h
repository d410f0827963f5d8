#pragma once
// The read and write time-outs of one serial port, in milliseconds (multipliers: milliseconds
// per byte). The five properties are what the owner asked for; nothing reaches the port until
// ApplyToPort. The meaning of the values is the classic one of serial drivers:
//   - a read ends when its buffer is full, or ReadTotalTimeoutMultiplier * bytes asked
//     + ReadTotalTimeoutConstant ms after it began (no total limit when both are 0),
//   - or, once one byte has arrived, when ReadIntervalTimeout ms pass without a further byte
//     (no interval limit when it is 0).
//   - writes work the same way with the two write values (no limit when both are 0).

#include <cstdint>

struct TslTimeOutRecord {
    int32_t ReadIntervalTimeout = 0;
    int32_t ReadTotalTimeoutMultiplier = 0;
    int32_t ReadTotalTimeoutConstant = 0;
    int32_t WriteTotalTimeoutMultiplier = 0;
    int32_t WriteTotalTimeoutConstant = 0;
};

class TslCommTimeOuts {
public:
    enum Index {
        ReadIntervalTimeoutIndex = 1,
        ReadTotalTimeoutMultiplierIndex = 2,
        ReadTotalTimeoutConstantIndex = 3,
        WriteTotalTimeoutMultiplierIndex = 4,
        WriteTotalTimeoutConstantIndex = 5,
    };

    int32_t ReadIntervalTimeout() const { return FReadIntervalTimeout; }
    int32_t ReadTotalTimeoutMultiplier() const { return FReadTotalTimeoutMultiplier; }
    int32_t ReadTotalTimeoutConstant() const { return FReadTotalTimeoutConstant; }
    int32_t WriteTotalTimeoutMultiplier() const { return FWriteTotalTimeoutMultiplier; }
    int32_t WriteTotalTimeoutConstant() const { return FWriteTotalTimeoutConstant; }

    // Negative values, the value already stored and indices outside 1..5 change nothing.
    void SetTimeOut(int index, int32_t value);

    // The port keeps its time-outs in a record of its own (termios has no such notion);
    // these copy between that record and this object.
    void LoadFromPort(const TslTimeOutRecord& port);
    void ApplyToPort(TslTimeOutRecord& port) const;

private:
    // Stream defaults.
    int32_t FReadIntervalTimeout = 100;
    int32_t FReadTotalTimeoutMultiplier = 0;
    int32_t FReadTotalTimeoutConstant = 0;
    int32_t FWriteTotalTimeoutMultiplier = 0;
    int32_t FWriteTotalTimeoutConstant = 0;
    TslTimeOutRecord FRecord;
};
