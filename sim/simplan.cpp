#include "sim/simplan.h"

#include "documents/kovdocument.h"
#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "sim/simcommands.h"
#include "terminal/kovparameters.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <unistd.h>

namespace {

struct TSetting {
    std::string_view Key;      // in a plan's device section
    std::string_view Keyword;  // the device's command for the same value
};

constexpr std::array<TSetting, 6> Settings{{
    {"MsnIncoming1", "vmoddi/1.msni"},
    {"MsnIncoming2", "vmoddi/2.msni"},
    {"AutomaticCallMode", "aciomco"},
    {"AutomaticCallNumber1", "aciomcatab1"},
    {"AutomaticCallNumber2", "aciomcatab2"},
    {"IsdnDChannelProtocol", "isdn"},
}};

}  // namespace

TSimParameters SimPlanDevice(const std::string& fileName, int device)
{
    if (device < 1 || device > TKovDocument::MaxDevices)
        throw ERangeError("a plan has devices 1.." + std::to_string(TKovDocument::MaxDevices) +
                          ", not " + std::to_string(device));
    // The profile file reads a missing or unreadable file as an empty one; here that is an error
    // of its own, not a missing section.
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(fileName, ignored) || ::access(fileName.c_str(), R_OK) != 0)
        throw Exception("cannot read the plan " + fileName);
    TIniFile ini(fileName);
    const std::string section = TKovDocument::SectionName(device - 1);
    if (!ini.SectionExists(section))
        throw Exception(fileName + " has no section [" + section + "]");

    TKovParameters plan;
    try {
        plan.LoadConfiguration(&ini, section);
    } catch (const ERangeError& error) {
        throw Exception(fileName + ", [" + section + "]: " + error.what());
    }
    TSimParameters parameters;
    parameters.Msn1 = plan.GetMsnIncoming(0);
    parameters.Msn2 = plan.GetMsnIncoming(1);
    parameters.Aciomco = plan.GetAutomaticCallMode();
    parameters.Aciomcatab1 = plan.GetAutomaticCallNumber(0);
    parameters.Aciomcatab2 = plan.GetAutomaticCallNumber(1);
    parameters.Isdn = plan.GetIsdnDChannelProtocol();
    return parameters;
}

void SimApplySetting(TSimParameters& parameters, std::string_view setting)
{
    const size_t equals = setting.find('=');
    const std::string_view key = setting.substr(0, equals);
    const auto found = std::find_if(Settings.begin(), Settings.end(),
                                    [&](const TSetting& s) { return s.Key == key; });
    if (equals == std::string_view::npos || found == Settings.end())
        throw Exception("'" + std::string(setting) + "' is not KEY=VALUE with KEY one of " +
                        SimSettingKeys());

    const std::string value(setting.substr(equals + 1));
    // A line end would end the command on the line: no value the device holds contains one.
    if (value.find_first_of("\r\n") != std::string::npos)
        throw Exception(std::string(key) + ": a value holds no line end");
    // The device's own set command, so a value is taken or refused exactly as on the line.
    TSimCommands commands;
    commands.SetCurrent(parameters);
    const TSimCommandResult result = commands.Execute(std::string(found->Keyword) + " " + value);
    if (!result.Output.empty())
        throw Exception(std::string(key) + ": the device refuses '" + value + "' (" +
                        result.Output.front() + ")");
    parameters = commands.Current();
}

std::string SimSettingKeys()
{
    std::string keys;
    for (const TSetting& setting : Settings)
        keys += (keys.empty() ? "" : ", ") + std::string(setting.Key);
    return keys;
}
