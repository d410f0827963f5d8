#pragma once
// The six device parameters as talvctl reads and writes them: KEY=VALUE assignments on the
// command line for "send", the same lines on stdout for "receive", so the output of one can be
// fed to the other.

#include "terminal/KovDef.h"

#include <array>
#include <string>
#include <vector>

class TKovParameters;

class TTalvctlParameters {
public:
    // The keys in the order "receive" prints them.
    static const std::array<std::string, 6> Keys;

    std::array<AnsiString, 2> MsnIncoming;
    tAciomco AutomaticCallMode = EAciomcoNo;
    std::array<AnsiString, 2> AutomaticCallNumber;
    tIsdnDChannelProtocol IsdnDChannelProtocol = IsdnDss1;

    bool operator==(const TTalvctlParameters&) const = default;

    // Every key exactly once. Raises Exception naming the missing, unknown or repeated key, or
    // the value that is no whole number or fails the parameters' check; the caller reports it
    // as a usage error.
    static TTalvctlParameters FromAssignments(const std::vector<std::string>& assignments);
    static TTalvctlParameters FromParameters(const TKovParameters& parameters);

    // The numbers pass the check FromAssignments makes (no control character, no prompt
    // character); else raises Exception "<context><key>: ..." for the first that fails.
    void CheckNumbers(const std::string& context) const;

    void ApplyTo(TKovParameters& parameters) const;
    // "KEY=VALUE" for each key, in the order of Keys.
    std::vector<std::string> Assignments() const;
};
