#include "sim/simlineend.h"

#include "platform/exceptions.h"

#include <cerrno>
#include <chrono>
#include <unistd.h>

void TSimLineEnd::Open()
{
    if (FOpen)
        return;
    std::lock_guard lock(FWire->Mutex);
    if (!FWire->Up) {
        FLastError = EIO;
        RaiseLastOSError(EIO);
    }
    FWire->ToTool.clear();
    FOpen = true;
}

void TSimLineEnd::PurgeInput()
{
    if (!FOpen)
        return;
    std::lock_guard lock(FWire->Mutex);
    FWire->ToTool.clear();
}

bool TSimLineEnd::Close()
{
    const bool wasOpen = FOpen;
    FOpen = false;
    return wasOpen;
}

bool TSimLineEnd::Read(std::string& text, uint32_t* count)
{
    if (!FOpen)
        return false;
    std::unique_lock lock(FWire->Mutex);
    // Nothing pending: the whole read time-out, as on a silent line. Something pending: at
    // once, but only after the device has answered everything written so far.
    FWire->ToToolChanged.wait_for(lock, std::chrono::milliseconds(ReadTimeOutMs), [&] {
        return !FWire->Up || (!FWire->ToTool.empty() && FWire->AnsweredCount == FWire->FromToolCount);
    });
    // What the device sent before it hung up is read first, as from a drained line.
    if (FWire->ToTool.empty() && !FWire->Up) {
        FLastError = EIO;
        if (count)
            *count = 0;
        return false;
    }
    const std::string received = FWire->ToTool.substr(0, ReadChunk);
    FWire->ToTool.erase(0, received.size());
    if (count)
        *count = static_cast<uint32_t>(received.size());
    // As from the port: a zero byte ends the text of this read and the rest of it is lost.
    text.assign(received.c_str());
    return true;
}

bool TSimLineEnd::Write(const std::string& text)
{
    if (!FOpen)
        return true;
    std::lock_guard lock(FWire->Mutex);
    if (!FWire->Up) {
        FLastError = EIO;
        return false;
    }
    FWire->FromTool += text;
    FWire->FromToolCount += text.size();
    // The wake-up is written under the lock, so the device cannot close it in between.
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(FWire->WakeFd, &byte, 1);
    return true;
}
