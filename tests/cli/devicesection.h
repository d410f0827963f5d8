#pragma once
// A device section of a configuration file as the talvctl tests compare it: the keys the file
// holds, read back the way the program reads them, against the keys a device should have.

#include "platform/inifile.h"
#include "sim/simparameters.h"

#include <map>
#include <string>

inline std::map<std::string, std::string> Keys(const std::string& fileName, const std::string& section)
{
    const TIniFile ini(fileName);
    std::map<std::string, std::string> keys;
    for (const auto& key : ini.ReadSection(section))
        keys[key] = ini.ReadString(section, key, "");
    return keys;
}

inline std::map<std::string, std::string> DeviceKeys(const std::string& name, const TSimParameters& p, int comPort)
{
    return {{"KOVName", name},
            {"MsnIncoming1", p.Msn1},
            {"MsnIncoming2", p.Msn2},
            {"AutomaticCallMode", std::to_string(p.Aciomco)},
            {"AutomaticCallNumber1", p.Aciomcatab1},
            {"AutomaticCallNumber2", p.Aciomcatab2},
            {"IsdnDChannelProtocol", std::to_string(p.Isdn)},
            {"COMPort", std::to_string(comPort)}};
}
