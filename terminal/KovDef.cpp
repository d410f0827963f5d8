#include "terminal/KovDef.h"

#include "platform/exceptions.h"

void CheckAutomaticCallMode(int value)
{
    // Checked as an unsigned value: -1 is far above 3 and is refused, its message shows -1.
    if (static_cast<unsigned>(value) > EAciomcoNo)
        throw ERangeError("CheckAutomaticCallMode: unzulässiger Wert " + std::to_string(value));
}

bool IsValidIsdnDChannelProtocol(int value)
{
    switch (value) {
    case 0: case 1: case 5: case 6: case 7: case 8: case 12: case 13: case 14:
        return true;
    default:
        return false;
    }
}

void CheckIsdnDChannelProtocol(int value)
{
    if (!IsValidIsdnDChannelProtocol(value))
        throw ERangeError("CheckIsdnDChannelProtocol: unzulässiger Wert " + std::to_string(value));
}
