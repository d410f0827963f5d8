#pragma once
// The bytes between the simulated device and the tool when no pseudo-terminal lies between
// them: what each side has sent and the other has not taken yet, and whether the line is up.
// The device's line (worker thread) and the tool's line end (TSimLineEnd) share it; either may
// outlive the other.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

struct TSimWire {
    std::mutex Mutex;
    // Notified whenever ToTool grows, the device has answered its input, or the line goes down.
    std::condition_variable ToToolChanged;
    std::string ToTool;
    std::string FromTool;
    // Bytes the tool has written in all, and how many of them the device has taken and answered
    // completely: a read waits for the whole answer, as a read of the port's length would get it.
    uint64_t FromToolCount = 0;
    uint64_t AnsweredCount = 0;
    // False after a hang-up and once the device is gone; there is no way back.
    bool Up = true;
    // Written to after FromTool grew, to wake the device's worker; -1 once the device is gone.
    int WakeFd = -1;
};
