#include "main/versioninfo.h"

#include "talvversion.h"

TVersionInfo ProgramVersionInfo()
{
    return {QString::fromUtf8(TalvProductName), QString::fromUtf8(TalvLegalCopyright), TalvVersionMajor,
            TalvVersionMinor, TalvVersionRelease, TalvVersionBuild};
}
