#include "main/versionlabel.h"

QString VersionLabel(int major, int minor, int release)
{
    return QString("V%1.%2.%3").arg(major).arg(minor, 2, 10, QChar('0')).arg(release, 2, 10, QChar('0'));
}

QString VersionLabel()
{
    // The numbers are the project's version, handed in by the build.
    return VersionLabel(TALV_VERSION_MAJOR, TALV_VERSION_MINOR, TALV_VERSION_PATCH);
}
