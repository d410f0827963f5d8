#pragma once
// A device compared with its plan: the six values a device holds, as the plan holds them and as
// the device reported them, and the taking of one of the device's values into the plan.

#include "documents/findingplace.h"

#include <string>
#include <vector>

class TKovParameters;
class TMessageLog;

// The six values, in the order a receive asks the device for them.
enum class tDeviceValue : int { Msn1, Msn2, Number1, Number2, CallMode, Protocol };
inline constexpr int DeviceValueCount = 6;

struct TValueComparison {
    tDeviceValue Value = tDeviceValue::Msn1;
    // As a configuration file holds them: numbers as they stand, mode and protocol in decimal.
    std::string Plan;
    std::string Device;
    // As the user reads them (DeviceValueText).
    std::string PlanText;
    std::string DeviceText;
    // The panel field a finding about the value leads to; for the mode, the first link whose
    // direction differs.
    tFindingField Field = tFindingField::None;

    bool Differs() const { return Plan != Device; }
};

// All six values, in order, whether they differ or not.
std::vector<TValueComparison> ComparePlanWithDevice(const TKovParameters& plan, const TKovParameters& device);
int CountDifferences(const std::vector<TValueComparison>& rows);

// The configuration file's key of a value ("MsnIncoming1", …, "IsdnDChannelProtocol").
std::string DeviceValueKey(tDeviceValue value);
// The value's name as the user reads it ("Eigene Nummer LWL1", …).
std::string DeviceValueLabel(tDeviceValue value);
// A value as the user reads it: a number as it stands, the mode as the two links' directions,
// a protocol by the name the panel gives it (a protocol the panel does not offer in decimal).
std::string DeviceValueText(tDeviceValue value, const TKovParameters& parameters);

// Copies one of the device's values into plan; the rest of plan stays. What a panel makes of the
// value (a leased line blanks the numbers and sets the directions) follows when the panel's
// state refreshes from the plan, exactly as after a receive.
void TakeDeviceValue(TKovParameters& plan, const TKovParameters& device, tDeviceValue value);

// The message-log line of one compared device, "<name>: stimmt mit dem Plan überein." or
// "<name>: n Parameter weichen vom Plan ab."; with details, one more line per differing value
// with both values. Every line leads to the device (device index, 0 for device 1).
void ReportComparison(TMessageLog& log, int device, const std::string& name,
                      const std::vector<TValueComparison>& rows, bool details);
