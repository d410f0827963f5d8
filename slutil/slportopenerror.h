#pragma once
// What a technician reads when a serial port cannot be opened: which COM name and device path
// failed and why, what to do about a denied access, where the port is chosen, and which serial
// ports this machine offers.

#include <string>

// "COM2 (/dev/ttyUSB0) kann nicht geöffnet werden: <text>", then for a denied open the group the
// user needs, then the options page that says which device the COM name reaches and the device
// files found under devRoot (or that none were found).
std::string PortOpenErrorMessage(const std::string& portName, const std::string& device, int error,
                                 const std::string& devRoot = "/dev");
