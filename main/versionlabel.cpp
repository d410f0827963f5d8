#include "main/versionlabel.h"

#include "main/versioninfo.h"

QString VersionLabel(int major, int minor, int release)
{
    return QString("V%1.%2.%3").arg(major).arg(minor, 2, 10, QChar('0')).arg(release, 2, 10, QChar('0'));
}

QString VersionLabel()
{
    const TVersionInfo version = ProgramVersionInfo();
    return VersionLabel(version.Major, version.Minor, version.Release);
}
