#include "platform/fileversion.h"

#include "talvversion.h"

#include <cstdio>

std::string FileVersionLabel(int major, int minor, int release)
{
    char label[40];
    std::snprintf(label, sizeof label, "V%d.%02d.%02d", major, minor, release);
    return label;
}

std::string ProgramVersionLabel()
{
    return FileVersionLabel(TalvVersionMajor, TalvVersionMinor, TalvVersionRelease);
}
