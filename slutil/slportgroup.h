#pragma once
// What the user needs to be allowed to open a serial device: membership of the group that owns
// the device file.

#include <string>

// The sentence added to a denied open: it names the group owning devicePath, or the usual
// Debian group when the owner cannot be found out.
std::string PortAccessHint(const std::string& devicePath);
