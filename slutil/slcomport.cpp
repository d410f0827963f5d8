#include "slutil/slcomport.h"

#include <cstring>

// The parts of the port that are the same on every system; opening, configuring and the
// transfers themselves are in slcomport_posix.cpp and slcomport_win32.cpp.

namespace {

constexpr const char* PortNames[] = {"COM1", "COM2", "COM3", "COM4"};

// A COMPort outside COM1..COM4 (it can come unchecked from a configuration file) reaches COM1.
int PortIndex(tCOMPorts port)
{
    return port >= COM1 && port <= COM4 ? static_cast<int>(port) : static_cast<int>(COM1);
}

} // namespace

TslCOMPort::TslCOMPort() = default;

TslCOMPort::~TslCOMPort()
{
    Close();
}

std::string TslCOMPort::PortName() const
{
    return PortNames[PortIndex(FCOMPort)];
}

void TslCOMPort::SetActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

// Room for the zero byte that Read puts after a full chunk.
static_assert(TslCOMPort::ReadChunk < TslCOMPort::ReceiveAreaSize);

bool TslCOMPort::Read(std::string& text, uint32_t* count)
{
    if (!HasHandle() || GetState() != stOpen)
        return false;
    SetState(stReading);

    size_t received = 0;
    const int error = ReceiveChunk(received);
    if (error != 0) {
        FLastError = error;
        if (count)
            *count = 0;
    } else {
        if (count)
            *count = static_cast<uint32_t>(received);
        // The received bytes are handed on as a C string: a zero byte ends the text and the rest
        // of this read is lost, as the callers expect.
        FReceiveArea[received] = '\0';
        text.assign(FReceiveArea);
    }
    std::memset(FReceiveArea, 0, sizeof FReceiveArea);

    SetState(stOpen);
    return error == 0;
}

bool TslCOMPort::Write(const std::string& text)
{
    if (!HasHandle() || GetState() != stOpen)
        return true;
    SetState(stWriting);
    const int error = Send(text);
    if (error != 0)
        FLastError = error;
    SetState(stOpen);
    return error == 0;
}
