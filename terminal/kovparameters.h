#pragma once
// What a configuration document keeps of one TALV device: its name, the COM port it hangs on,
// the six values the device holds (two own numbers, two partner numbers, the automatic call
// mode and the D-channel protocol) and a comment. A plain value: a document holds one per
// device, and a protocol engine works on a copy of its own, so that nothing an exchange does
// reaches what a panel shows until its owner copies the result back.

#include "slutil/slcomport.h"
#include "terminal/KovDef.h"

#include <array>
#include <vector>

class TIniFile;

// The keys of a device section that hold the parameters.
inline constexpr const char* KeyKovName = "KOVName";
inline constexpr const char* KeyMsnIncoming1 = "MsnIncoming1";
inline constexpr const char* KeyMsnIncoming2 = "MsnIncoming2";
inline constexpr const char* KeyAutomaticCallMode = "AutomaticCallMode";
inline constexpr const char* KeyAutomaticCallNumber1 = "AutomaticCallNumber1";
inline constexpr const char* KeyAutomaticCallNumber2 = "AutomaticCallNumber2";
inline constexpr const char* KeyIsdnDChannelProtocol = "IsdnDChannelProtocol";

class TKovParameters {
public:
    const AnsiString& GetKovName() const { return FKovName; }
    void SetKovName(const AnsiString& name) { FKovName = name; }

    tCOMPorts GetCOMPort() const { return FCOMPort; }
    void SetCOMPort(tCOMPorts port) { FCOMPort = port; }

    // Index 0 or 1 for LWL1 or LWL2; any other raises ERangeError.
    const AnsiString& GetMsnIncoming(int index) const;
    void SetMsnIncoming(int index, const AnsiString& value);
    const AnsiString& GetAutomaticCallNumber(int index) const;
    void SetAutomaticCallNumber(int index, const AnsiString& value);

    // The setters check only a value that differs from the stored one; a value that fails its
    // check raises ERangeError and the stored one stays.
    tAciomco GetAutomaticCallMode() const { return FAutomaticCallMode; }
    void SetAutomaticCallMode(tAciomco mode);
    tIsdnDChannelProtocol GetIsdnDChannelProtocol() const { return FIsdnDChannelProtocol; }
    void SetIsdnDChannelProtocol(tIsdnDChannelProtocol protocol);

    const std::vector<AnsiString>& GetComment() const { return FComment; }
    void SetComment(const std::vector<AnsiString>& lines) { FComment = lines; }

    // Defaults: name "<TALv>", COM1, empty numbers, mode EAciomcoNo, DSS1; the comment stays.
    void Clear();

    // The seven parameter keys of a device section; nothing when ini is null. Loading takes a
    // missing key's default and checks mode and protocol: an invalid one raises ERangeError
    // with the values read before it already set.
    void SaveConfiguration(TIniFile* ini, const AnsiString& section) const;
    void LoadConfiguration(TIniFile* ini, const AnsiString& section);

    // Takes the six values a receive fetches from a device (the four numbers, the mode and the
    // protocol); name, port and comment stay.
    void AssignDeviceValues(const TKovParameters& source);

private:
    AnsiString FKovName;
    tCOMPorts FCOMPort = COM1;
    // Incoming 1, incoming 2, automatic 1, automatic 2.
    std::array<AnsiString, 4> FNumbers;
    tAciomco FAutomaticCallMode = EAciomcoB1B2;
    tIsdnDChannelProtocol FIsdnDChannelProtocol = IsdnDss1;
    std::vector<AnsiString> FComment;
};
