#pragma once
// Which device path each of COM1..COM4 reaches. The defaults are the first four on-board serial
// ports (on Windows the ports of the same name); the user's choice lives in section "Ports" of the settings file, keys COM1..COM4.

#include "slutil/slcomport.h"

#include <array>
#include <string>

class TIniFile;

class TslPortMap {
public:
    static std::string DefaultPath(tCOMPorts port);

    TslPortMap();
    const std::string& Path(tCOMPorts port) const;
    void SetPath(tCOMPorts port, const std::string& path);

    // A missing or empty key keeps the default.
    void Load(const TIniFile& ini);
    void Save(TIniFile& ini) const;

private:
    std::array<std::string, 4> FPaths;
};
