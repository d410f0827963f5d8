#include "slutil/slportopenerror.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "slutil/slportgroup.h"
#include "slutil/slportlist.h"

#include <cerrno>

namespace {

// The device files only: a link under serial/by-id or by-path names one of them again, and the
// options page shows the links beside their targets.
std::string FoundPorts(const std::string& devRoot)
{
    std::string list;
    for (const TslSerialPort& port : ListSerialPorts(devRoot)) {
        if (!port.Target.empty())
            continue;
        if (!list.empty())
            list += ", ";
        list += port.Path;
    }
    return list;
}

}  // namespace

std::string PortOpenErrorMessage(const std::string& portName, const std::string& device, int error,
                                 const std::string& devRoot)
{
    std::string message = FmtLoadStr(255, {portName, device, SysErrorMessage(error)});
    // Serial devices belong to a group on most systems; a denied open nearly always means the
    // user is not in it, which the bare system text does not tell.
    if (error == EACCES || error == EPERM)
        message += "\n" + PortAccessHint(device);
    message += "\n" + FmtLoadStr(256, {portName});
    const std::string found = FoundPorts(devRoot);
    message += "\n" + (found.empty() ? LoadStr(258) : FmtLoadStr(257, {found}));
    return message;
}
