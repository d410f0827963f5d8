#pragma once
// The version label of the program, "V" major "." minor "." release with minor and release in at
// least two digits (file version 1.0.1.1 gives V1.00.01; the build number is not shown). The
// window title and the about box both take it from here, so they never disagree.

#include <QString>

QString VersionLabel(int major, int minor, int release);
// The label of this program's version.
QString VersionLabel();
