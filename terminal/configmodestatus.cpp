#include "terminal/configmodeview.h"

#include "platform/resstrings.h"

std::string ConfigModeStatusText(tConfigModeStatus status, const std::string& reason)
{
    switch (status) {
    case EConfigModeWaitForStart:
        return LoadStr(221);
    case EConfigModeConfirmed:
        return LoadStr(222);
    case EConfigModeEntered:
        return LoadStr(223);
    case EConfigModeFailed:
        return FmtLoadStr(228, {reason});
    }
    return reason;
}
