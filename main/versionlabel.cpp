#include "main/versionlabel.h"

#include "platform/fileversion.h"

QString VersionLabel(int major, int minor, int release)
{
    return QString::fromStdString(FileVersionLabel(major, minor, release));
}

QString VersionLabel()
{
    return QString::fromStdString(ProgramVersionLabel());
}
