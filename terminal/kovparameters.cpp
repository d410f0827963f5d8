#include "terminal/kovparameters.h"

#include "platform/exceptions.h"
#include "platform/inifile.h"

#include <string>

namespace {

// An own number missing from a file reads as "*".
const char* const MissingMsn = "*";

// The messages name the terminal, which held these values before they became a type of their
// own: they are the program's messages, and the error display shows them as they always read.
void CheckNumberIndex(const char* operation, int index)
{
    if (index != 0 && index != 1)
        throw ERangeError(std::string(operation) + ": falscher Index " + std::to_string(index));
}

}  // namespace

const AnsiString& TKovParameters::GetMsnIncoming(int index) const
{
    CheckNumberIndex("TKovTerminal::GetMsnIncoming", index);
    return FNumbers[index];
}

void TKovParameters::SetMsnIncoming(int index, const AnsiString& value)
{
    CheckNumberIndex("TKovTerminal::SetMsnIncoming", index);
    FNumbers[index] = value;
}

const AnsiString& TKovParameters::GetAutomaticCallNumber(int index) const
{
    CheckNumberIndex("TKovTerminal::GetAutomaticCallNumber", index);
    return FNumbers[2 + index];
}

void TKovParameters::SetAutomaticCallNumber(int index, const AnsiString& value)
{
    CheckNumberIndex("TKovTerminal::SetAutomaticCallNumber", index);
    FNumbers[2 + index] = value;
}

void TKovParameters::SetAutomaticCallMode(tAciomco mode)
{
    if (mode == FAutomaticCallMode)
        return;
    CheckAutomaticCallMode(mode);
    FAutomaticCallMode = mode;
}

void TKovParameters::SetIsdnDChannelProtocol(tIsdnDChannelProtocol protocol)
{
    if (protocol == FIsdnDChannelProtocol)
        return;
    CheckIsdnDChannelProtocol(protocol);
    FIsdnDChannelProtocol = protocol;
}

void TKovParameters::Clear()
{
    FKovName = "<TALv>";
    FCOMPort = COM1;
    FNumbers = {};
    FAutomaticCallMode = EAciomcoNo;
    FIsdnDChannelProtocol = IsdnDss1;
}

void TKovParameters::SaveConfiguration(TIniFile* ini, const AnsiString& section) const
{
    if (!ini)
        return;
    ini->WriteString(section, KeyKovName, FKovName);
    ini->WriteString(section, KeyMsnIncoming1, GetMsnIncoming(0));
    ini->WriteString(section, KeyMsnIncoming2, GetMsnIncoming(1));
    ini->WriteInteger(section, KeyAutomaticCallMode, FAutomaticCallMode);
    ini->WriteString(section, KeyAutomaticCallNumber1, GetAutomaticCallNumber(0));
    ini->WriteString(section, KeyAutomaticCallNumber2, GetAutomaticCallNumber(1));
    ini->WriteInteger(section, KeyIsdnDChannelProtocol, FIsdnDChannelProtocol);
}

void TKovParameters::LoadConfiguration(TIniFile* ini, const AnsiString& section)
{
    if (!ini)
        return;
    FKovName = ini->ReadString(section, KeyKovName, section);
    FNumbers[0] = ini->ReadString(section, KeyMsnIncoming1, MissingMsn);
    FNumbers[1] = ini->ReadString(section, KeyMsnIncoming2, MissingMsn);
    SetAutomaticCallMode(static_cast<tAciomco>(ini->ReadInteger(section, KeyAutomaticCallMode, EAciomcoNo)));
    FNumbers[2] = ini->ReadString(section, KeyAutomaticCallNumber1, "");
    FNumbers[3] = ini->ReadString(section, KeyAutomaticCallNumber2, "");
    SetIsdnDChannelProtocol(ini->ReadInteger(section, KeyIsdnDChannelProtocol, IsdnDss1));
}

void TKovParameters::AssignDeviceValues(const TKovParameters& source)
{
    FNumbers = source.FNumbers;
    FAutomaticCallMode = source.FAutomaticCallMode;
    FIsdnDChannelProtocol = source.FIsdnDChannelProtocol;
}
