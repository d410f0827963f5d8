#pragma once
// Values shared by the whole program: the enumerations stored in configuration files and sent
// to the device, the protocol's fixed texts, and the checks of the enumerated values.

#include "slutil/slcomport.h"

#include <string>

using AnsiString = std::string;

// Fibre link of a command: 0 = LWL1 (B1), 1 = LWL2 (B2).
enum tBChannel : int { EBChannel1 = 0, EBChannel2 = 1 };

// Automatic call mode: which links dial their partner number by themselves.
enum tAciomco : int {
    EAciomcoB1B2 = 0,  // both links dial
    EAciomcoB1 = 1,    // LWL1 dials, LWL2 accepts
    EAciomcoB2 = 2,    // LWL2 dials, LWL1 accepts
    EAciomcoNo = 3,    // no link dials
};

// D-channel protocol, 0..14; only 0, 1, 5..8 and 12..14 are valid.
using tIsdnDChannelProtocol = int;
constexpr tIsdnDChannelProtocol IsdnDss1 = 0;
constexpr tIsdnDChannelProtocol IsdnLeasedLineB1 = 12;
constexpr tIsdnDChannelProtocol IsdnLeasedLineB2 = 13;
constexpr tIsdnDChannelProtocol IsdnLeasedLineB1B2 = 14;

// The reply a terminal waits for after Send.
enum tKovWaitForCmd : int {
    EKovWaitNone = 0,
    EKovWaitConfigModePrompt = 1,
    EKovWaitStartString = 2,
    EKovWaitShow = 3,
    EKovWaitSave = 4,
    EKovWaitGo = 5,
    EKovWaitQuit = 6,  // also "help"
    EKovWaitDefault = 7,
    EKovWaitDefaultFactory = 8,
    EKovWaitAciomco = 9,
    EKovWaitAciomcatab1 = 10,
    EKovWaitAciomcatab2 = 11,
    EKovWaitIsdn = 12,
    EKovWaitMsni1 = 13,
    EKovWaitMsni2 = 14,
};

// "No number" in MSN and partner-number values; every other text, the empty one included, is a number.
inline const AnsiString NoNumber = "-";

// The banner a device sends after a reset, and the keys that answer it.
inline const AnsiString StartString = "+++ Press <CR>,<CR>,<ESC>,<ESC> to enter TA+configurator +++";
inline const AnsiString ConfigModeConfirmation = "\r\r\x1b\x1b";
constexpr char DevicePrompt = '#';
constexpr char CommandTerminator = '\r';

// Raise ERangeError "<check>: unzulässiger Wert <value>" for an invalid value.
// The value is taken as it was given: a negative mode counts as above 3.
void CheckAutomaticCallMode(int value);
void CheckIsdnDChannelProtocol(int value);
bool IsValidIsdnDChannelProtocol(int value);
