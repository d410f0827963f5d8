#pragma once
// Starting values for the simulated device: one device of a plan (a configuration document, as
// the desktop program writes it), and single values changed on purpose, so that a simulated
// device can hold a plan's values with a difference a compare must find.

#include "sim/simparameters.h"

#include <string>
#include <string_view>

// The six values of device 1..6 of the plan: the section "Device<n>" read as the desktop program
// reads it (a missing key takes that program's default). Raises Exception when the file cannot
// be read, lacks the section, or holds a mode or protocol the program refuses.
TSimParameters SimPlanDevice(const std::string& fileName, int device);

// Applies "KEY=VALUE", KEY one of the plan's six value keys (MsnIncoming1, MsnIncoming2,
// AutomaticCallMode, AutomaticCallNumber1, AutomaticCallNumber2, IsdnDChannelProtocol). The
// value is set as the device's own set command would set it, and refused where that command
// refuses it. Raises Exception for a text without "=", an unknown key or a refused value; the
// parameters then stay as they were.
void SimApplySetting(TSimParameters& parameters, std::string_view setting);

// The keys SimApplySetting takes, separated by ", ", for messages and usage texts.
std::string SimSettingKeys();
