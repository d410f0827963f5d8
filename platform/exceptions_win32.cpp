#include "platform/exceptions.h"

#include "platform/resstrings.h"
#include "platform/win32text.h"

#include <windows.h>

namespace {

// What serial drivers answer a read or write once their USB adapter is pulled or the line is
// gone; the program's reads and writes that can fail this way are those of the serial line.
bool ConnectionLost(int errorCode)
{
    switch (errorCode) {
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_OPERATION_ABORTED:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
        return true;
    default:
        return false;
    }
}

constexpr int ConnectionLostHint = 254;

}  // namespace

std::string SysErrorMessage(int errorCode)
{
    return Win32ErrorText(static_cast<unsigned long>(errorCode));
}

void RaiseLastOSError(int errorCode, TSourceLocation where)
{
    if (errorCode == 0)
        throw EOSError(0, LoadStr(261), where);
    std::string text = SysErrorMessage(errorCode);
    if (ConnectionLost(errorCode)) {
        text += '\n';
        text += LoadStr(ConnectionLostHint);
    }
    throw EOSError(errorCode, FmtLoadStr(260, {errorCode, text}), where);
}
