#include "platform/exceptions.h"

#include "platform/resstrings.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>

namespace {

// The errors a technician meets at a serial port, with the string-table text that explains them
// in the program's language; the system's own texts are English, whatever language the window
// speaks.
struct TSystemText {
    int ErrorCode;
    int Id;
};
constexpr TSystemText SystemTexts[] = {
    {ENOENT, 249}, {EACCES, 250}, {EPERM, 250}, {EBUSY, 251}, {EIO, 252}, {ENXIO, 253}, {ENODEV, 253},
};

// The program's reads and writes that can fail this way are those of the serial line: the device
// went away in the middle of an exchange.
bool ConnectionLost(int errorCode)
{
    return errorCode == EIO || errorCode == ENXIO || errorCode == ENODEV;
}

constexpr int ConnectionLostHint = 254;

}  // namespace

std::string SysErrorMessage(int errorCode)
{
    const auto known = std::find_if(std::begin(SystemTexts), std::end(SystemTexts),
                                    [errorCode](const TSystemText& entry) { return entry.ErrorCode == errorCode; });
    if (known != std::end(SystemTexts))
        return LoadStr(known->Id);
    char buffer[256];
    // GNU strerror_r may return a static text instead of filling the buffer.
    const char* text = strerror_r(errorCode, buffer, sizeof buffer);
    return text;
}

void RaiseLastOSError(int errorCode, TSourceLocation where)
{
    if (errorCode == 0)
        throw EOSError(0, LoadStr(244), where);
    std::string text = SysErrorMessage(errorCode);
    if (ConnectionLost(errorCode))
        text += "\n" + LoadStr(ConnectionLostHint);
    throw EOSError(errorCode, FmtLoadStr(243, {errorCode, text}), where);
}
