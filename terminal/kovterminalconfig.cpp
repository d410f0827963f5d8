// A device's parameters in a configuration document.
#include "terminal/kovterminal.h"

#include "platform/inifile.h"

namespace {

const char* const KeyKovName = "KOVName";
const char* const KeyMsnIncoming1 = "MsnIncoming1";
const char* const KeyMsnIncoming2 = "MsnIncoming2";
const char* const KeyAutomaticCallMode = "AutomaticCallMode";
const char* const KeyAutomaticCallNumber1 = "AutomaticCallNumber1";
const char* const KeyAutomaticCallNumber2 = "AutomaticCallNumber2";
const char* const KeyIsdnDChannelProtocol = "IsdnDChannelProtocol";

// An own number missing from a file reads as "*".
const char* const MissingMsn = "*";

}  // namespace

void TKovTerminal::SaveConfiguration(TIniFile* ini, const AnsiString& section) const
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

void TKovTerminal::LoadConfiguration(TIniFile* ini, const AnsiString& section)
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

void TKovTerminal::AssignParameters(const TKovTerminal& source)
{
    FKovName = source.FKovName;
    FCOMPort = source.FCOMPort;
    FNumbers = source.FNumbers;
    FAutomaticCallMode = source.FAutomaticCallMode;
    FIsdnDChannelProtocol = source.FIsdnDChannelProtocol;
    FComment = source.FComment;
}
