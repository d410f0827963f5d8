#pragma once
// Where a line of the message log leads: the device and the field of its panel that the line
// concerns, so that the user can go from a finding straight to what it is about.

#include <string>

enum class tFindingField : int { None, Name, Msn1, Msn2, Number1, Number2, Dial1, Dial2, Protocol };

struct TFindingPlace {
    int Device = -1;  // 0..5 for device 1..6; -1: the line concerns no device
    tFindingField Field = tFindingField::None;

    bool Leads() const { return Device >= 0 && Field != tFindingField::None; }
    bool operator==(const TFindingPlace&) const = default;
};

// The key of the configuration file that holds the field ("MsnIncoming1", …); both directions
// are held by "AutomaticCallMode". Empty for None.
std::string FindingFieldKey(tFindingField field);
