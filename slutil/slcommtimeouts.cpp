#include "slutil/slcommtimeouts.h"

void TslCommTimeOuts::SetTimeOut(int index, int32_t value)
{
    int32_t* property = nullptr;
    int32_t* field = nullptr;
    switch (index) {
    case ReadIntervalTimeoutIndex:
        property = &FReadIntervalTimeout;
        field = &FRecord.ReadIntervalTimeout;
        break;
    case ReadTotalTimeoutMultiplierIndex:
        property = &FReadTotalTimeoutMultiplier;
        field = &FRecord.ReadTotalTimeoutMultiplier;
        break;
    case ReadTotalTimeoutConstantIndex:
        property = &FReadTotalTimeoutConstant;
        field = &FRecord.ReadTotalTimeoutConstant;
        break;
    case WriteTotalTimeoutMultiplierIndex:
        property = &FWriteTotalTimeoutMultiplier;
        field = &FRecord.WriteTotalTimeoutMultiplier;
        break;
    case WriteTotalTimeoutConstantIndex:
        property = &FWriteTotalTimeoutConstant;
        field = &FRecord.WriteTotalTimeoutConstant;
        break;
    default:
        return;
    }
    // Comparing with the property, not the record, is deliberate: a value equal to the property
    // leaves the record as it is even when the two differ (before the first LoadFromPort).
    if (value < 0 || value == *property)
        return;
    *property = value;
    *field = value;
}

void TslCommTimeOuts::LoadFromPort(const TslTimeOutRecord& port)
{
    FRecord = port;
    FReadIntervalTimeout = port.ReadIntervalTimeout;
    FReadTotalTimeoutMultiplier = port.ReadTotalTimeoutMultiplier;
    FReadTotalTimeoutConstant = port.ReadTotalTimeoutConstant;
    FWriteTotalTimeoutMultiplier = port.WriteTotalTimeoutMultiplier;
    FWriteTotalTimeoutConstant = port.WriteTotalTimeoutConstant;
}

void TslCommTimeOuts::ApplyToPort(TslTimeOutRecord& port) const
{
    port = FRecord;
}
