#pragma once
// The program's version information: product name, legal notice and file version as four
// numbers major.minor.release.build. The build sets them in one place, main/CMakeLists.txt
// (name and notice) and the project() version.

#include <QString>

struct TVersionInfo {
    QString ProductName;
    QString LegalCopyright;
    int Major = 0;
    int Minor = 0;
    int Release = 0;
    int Build = 0;
};

TVersionInfo ProgramVersionInfo();
