#include "slutil/slportmap.h"

#include "platform/inifile.h"

namespace {

const char* const PortsSection = "Ports";

int Index(tCOMPorts port) { return port >= COM1 && port <= COM4 ? port : COM1; }

std::string KeyOf(int index) { return "COM" + std::to_string(index + 1); }

}  // namespace

TslPortMap::TslPortMap()
{
    for (int i = 0; i < 4; ++i)
        FPaths[i] = DefaultPath(static_cast<tCOMPorts>(i));
}

const std::string& TslPortMap::Path(tCOMPorts port) const
{
    return FPaths[Index(port)];
}

void TslPortMap::SetPath(tCOMPorts port, const std::string& path)
{
    FPaths[Index(port)] = path.empty() ? DefaultPath(port) : path;
}

void TslPortMap::Load(const TIniFile& ini)
{
    for (int i = 0; i < 4; ++i)
        SetPath(static_cast<tCOMPorts>(i), ini.ReadString(PortsSection, KeyOf(i), ""));
}

void TslPortMap::Save(TIniFile& ini) const
{
    for (int i = 0; i < 4; ++i)
        ini.WriteString(PortsSection, KeyOf(i), FPaths[i]);
}
