// The device's command set: fixed commands, one set and one query command per parameter, the
// receive handlers that take a value out of a reply unit, and the two bulk transfers.
#include "terminal/kovterminal.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"

namespace {

const AnsiString MsnKeyPrefix = "vmoddi/";
const AnsiString AutomaticCallNumberKey = "aciomcatab";
const AnsiString AutomaticCallModeKey = "aciomco";
const AnsiString IsdnKey = "isdn";

AnsiString MsnKey(int channel) { return MsnKeyPrefix + (channel == 0 ? "1" : "2") + ".msni"; }

void CheckChannel(const char* operation, int channel)
{
    if (channel != EBChannel1 && channel != EBChannel2)
        throw ERangeError(std::string(operation) + ": falscher Channel " + std::to_string(channel));
}

void CheckEntry(const char* operation, const char* what, int entry)
{
    if (entry != 1 && entry != 2)
        throw ERangeError(std::string(operation) + ": falscher " + what + " " + std::to_string(entry));
}

}  // namespace

void TKovTerminal::SendAndProcess(const AnsiString& text, tKovWaitForCmd wait)
{
    Send(text, wait);
    ProcessReceived(nullptr);
}

// ---- fixed commands ---------------------------------------------------------

void TKovTerminal::SendShow() { SendAndProcess("show", EKovWaitShow); }
void TKovTerminal::SendSave() { SendAndProcess("save", EKovWaitSave); }
void TKovTerminal::SendHelp() { SendAndProcess("help", EKovWaitQuit); }
void TKovTerminal::SendDefault() { SendAndProcess("defa", EKovWaitDefault); }
void TKovTerminal::SendDefaultFactory() { SendAndProcess("defa 1", EKovWaitDefaultFactory); }

// The device leaves configuration mode without a reply; the reply timer running out is what
// tells the terminal so.
void TKovTerminal::SendGo() { Send("go", EKovWaitGo); }
void TKovTerminal::SendQuit() { Send("quit", EKovWaitQuit); }

// ---- parameter commands -----------------------------------------------------

void TKovTerminal::SendMsnIncoming(int channel, const AnsiString& number)
{
    CheckChannel("TKovTerminal::SendMsnIncoming", channel);
    Send(MsnKey(channel) + " " + number, channel == 0 ? EKovWaitMsni1 : EKovWaitMsni2);
}

void TKovTerminal::RequestMsnIncoming(int channel)
{
    CheckChannel("TKovTerminal::RequestMsnIncoming", channel);
    Send(MsnKey(channel), channel == 0 ? EKovWaitMsni1 : EKovWaitMsni2);
}

void TKovTerminal::SendAutomaticCallMode(tAciomco mode)
{
    CheckAutomaticCallMode(mode);
    Send(AutomaticCallModeKey + " " + std::to_string(mode), EKovWaitAciomco);
}

void TKovTerminal::RequestAutomaticCallMode()
{
    Send(AutomaticCallModeKey, EKovWaitAciomco);
}

void TKovTerminal::SendAutomaticCallNumber(int entry, const AnsiString& number)
{
    CheckEntry("TKovTerminal::SendAutomaticCallNumber", "Index", entry);
    Send(AutomaticCallNumberKey + std::to_string(entry) + " " + number,
         entry == 1 ? EKovWaitAciomcatab1 : EKovWaitAciomcatab2);
}

void TKovTerminal::RequestAutomaticCallNumber(int entry)
{
    CheckEntry("TKovTerminal::RequestAutomaticCallNumber", "Index", entry);
    Send(AutomaticCallNumberKey + std::to_string(entry), entry == 1 ? EKovWaitAciomcatab1 : EKovWaitAciomcatab2);
}

void TKovTerminal::SendIsdnDChannelProtocol(tIsdnDChannelProtocol protocol)
{
    CheckIsdnDChannelProtocol(protocol);
    Send(IsdnKey + " " + std::to_string(protocol), EKovWaitIsdn);
}

void TKovTerminal::RequestIsdnDChannelProtocol()
{
    Send(IsdnKey, EKovWaitIsdn);
}

// ---- receive handlers -------------------------------------------------------
// Each handler reads its unit from ReceivedString. The map dispatches on the first word, so the
// key is normally at the start (the device echoes the command); a unit without the key changes
// no value, and the event fires either way.

void TKovTerminal::ReceiveMsnIncoming(int channel)
{
    CheckChannel("TKovTerminal::ReceiveMsnIncoming", channel);
    FWaitState = EKovWaitNone;
    const AnsiString key = MsnKey(channel);
    AnsiString unit = FReceivedString;
    TrimReceivedString(unit);
    if (unit.find(key) != AnsiString::npos)
        FParameters.SetMsnIncoming(channel, ExtractReceivedValue(unit, key));
    Fire(OnReceiveMsnIncoming);
}

void TKovTerminal::ReceiveAutomaticCallMode()
{
    if (FWaitState != EKovWaitAciomco) {
        FWaitState = EKovWaitNone;
        throw Exception(FmtLoadStr(241, {std::string("TKovTerminal::ReceiveAutomaticCallMode")}));
    }
    FWaitState = EKovWaitNone;
    AnsiString unit = FReceivedString;
    TrimReceivedString(unit);
    if (unit.find(AutomaticCallModeKey) != AnsiString::npos)
        FParameters.SetAutomaticCallMode(
            static_cast<tAciomco>(StrToInt(ExtractReceivedValue(unit, AutomaticCallModeKey))));
    Fire(OnReceiveAutomaticCallMode);
}

void TKovTerminal::ReceiveAutomaticCallNumber(int entry)
{
    CheckEntry("TKovTerminal::ReceiveAutomaticCallNumber", "EntryNumber", entry);
    FWaitState = EKovWaitNone;
    const AnsiString key = AutomaticCallNumberKey + std::to_string(entry);
    AnsiString unit = FReceivedString;
    TrimReceivedString(unit);
    if (unit.find(key) != AnsiString::npos)
        FParameters.SetAutomaticCallNumber(entry - 1, ExtractReceivedValue(unit, key));
    Fire(OnReceiveAutomaticCallNumber);
}

void TKovTerminal::ReceiveIsdnDChannelProtocol()
{
    FWaitState = EKovWaitNone;
    AnsiString unit = FReceivedString;
    TrimReceivedString(unit);
    if (unit.find(IsdnKey) != AnsiString::npos) {
        // The device answers "12-Standleitung B1": the number is the part before the dash.
        const AnsiString value = ExtractReceivedValue(unit, IsdnKey);
        FParameters.SetIsdnDChannelProtocol(StrToInt(value.substr(0, value.find('-'))));
    }
    Fire(OnReceiveIsdnDChannelProtocol);
}

// ---- bulk transfers ---------------------------------------------------------

void TKovTerminal::SendConfiguration()
{
    SendAutomaticCallMode(FParameters.GetAutomaticCallMode());
    ProcessReceived(nullptr);
    SendAutomaticCallNumber(1, FParameters.GetAutomaticCallNumber(0));
    ProcessReceived(nullptr);
    SendAutomaticCallNumber(2, FParameters.GetAutomaticCallNumber(1));
    ProcessReceived(nullptr);
    SendIsdnDChannelProtocol(FParameters.GetIsdnDChannelProtocol());
    ProcessReceived(nullptr);
    SendMsnIncoming(0, FParameters.GetMsnIncoming(0));
    ProcessReceived(nullptr);
    SendMsnIncoming(1, FParameters.GetMsnIncoming(1));
    ProcessReceived(nullptr);
}

void TKovTerminal::ReceiveConfiguration()
{
    RequestAutomaticCallMode();
    ProcessReceived(nullptr);
    RequestAutomaticCallNumber(1);
    ProcessReceived(nullptr);
    RequestAutomaticCallNumber(2);
    ProcessReceived(nullptr);
    RequestIsdnDChannelProtocol();
    ProcessReceived(nullptr);
    RequestMsnIncoming(0);
    ProcessReceived(nullptr);
    RequestMsnIncoming(1);
    ProcessReceived(nullptr);
}
