#pragma once
// The version label of the programs: "V" major "." minor "." release with minor and release in
// at least two digits (file version 1.0.1.1 gives V1.00.01; the build number is not shown).

#include <string>

std::string FileVersionLabel(int major, int minor, int release);
// The label of this build's file version.
std::string ProgramVersionLabel();
