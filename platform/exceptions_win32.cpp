#include "platform/exceptions.h"

#include "platform/resstrings.h"
#include "platform/win32text.h"

std::string SysErrorMessage(int errorCode)
{
    return Win32ErrorText(static_cast<unsigned long>(errorCode));
}

void RaiseLastOSError(int errorCode, TSourceLocation where)
{
    if (errorCode == 0)
        throw EOSError(0, LoadStr(261), where);
    throw EOSError(errorCode, FmtLoadStr(260, {errorCode, SysErrorMessage(errorCode)}), where);
}
