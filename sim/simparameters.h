#pragma once
// The parameter set of the simulated device, as its firmware keeps it: two incoming MSNs, the
// automatic call mode with its two partner numbers, and the D-channel protocol. Texts are kept
// exactly as the tool sent them; the device never trims or checks a number.

#include <optional>
#include <string>
#include <string_view>

struct TSimParameters {
    std::string Msn1;
    std::string Msn2;
    int Aciomco = 3;  // no link dials
    std::string Aciomcatab1;
    std::string Aciomcatab2;
    int Isdn = 0;     // DSS1

    bool operator==(const TSimParameters&) const = default;

    // What a device leaves the factory with.
    static TSimParameters Factory() { return {}; }
};

// The device's name for a D-channel protocol ("DSS1", "Standleitung B1", ...), or no value for a
// number the firmware does not know.
std::optional<std::string_view> SimIsdnName(int isdn);

// "<n>-<name>", as the device shows the protocol ("12-Standleitung B1").
std::string SimIsdnText(int isdn);

// A set value as the firmware reads it: nothing but decimal digits (at least one). Anything
// else, a sign or a blank included, is no number. Values too large for an int are refused too.
std::optional<int> SimParseDecimal(std::string_view text);
