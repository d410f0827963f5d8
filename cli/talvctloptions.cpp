#include "cli/talvctloptions.h"

#include "platform/exceptions.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::optional<tCOMPorts> COMPortNamed(const std::string& name)
{
    static const std::pair<const char*, tCOMPorts> ports[] = {
        {"COM1", COM1}, {"COM2", COM2}, {"COM3", COM3}, {"COM4", COM4}};
    const std::string upper = Upper(name);
    for (const auto& [portName, port] : ports)
        if (upper == portName)
            return port;
    return std::nullopt;
}

std::optional<tTalvctlCommand> CommandNamed(const std::string& name)
{
    static const std::pair<const char*, tTalvctlCommand> commands[] = {
        {"request-config-mode", ETalvctlRequestConfigMode},
        {"receive", ETalvctlReceive},
        {"send", ETalvctlSend},
        {"go", ETalvctlGo},
    };
    for (const auto& [commandName, command] : commands)
        if (name == commandName)
            return command;
    return std::nullopt;
}

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

}  // namespace

TTalvctlOptions TTalvctlOptions::Parse(const std::vector<std::string>& arguments)
{
    TTalvctlOptions options;
    size_t i = 0;

    // Options come first; "--name value" and "--name=value" are both accepted.
    for (; i < arguments.size() && IsOption(arguments[i]); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        const auto takeValue = [&]() -> std::string {
            if (value)
                return *value;
            if (i + 1 >= arguments.size())
                throw Exception("Option '" + name + "' erwartet einen Wert");
            return arguments[++i];
        };
        const auto refuseValue = [&] {
            if (value)
                throw Exception("Option '" + name + "' erwartet keinen Wert");
        };

        if (name == "--help") {
            refuseValue();
            options.Help = true;
            return options;
        } else if (name == "--log") {
            refuseValue();
            options.Log = true;
        } else if (name == "--port") {
            const std::string port = takeValue();
            if (port.empty())
                throw Exception("Option '--port': leerer Wert");
            if (const auto comPort = COMPortNamed(port)) {
                options.COMPort = *comPort;
                options.DevicePath.clear();
            } else {
                options.DevicePath = port;
            }
        } else if (name == "--timeout") {
            const std::string text = takeValue();
            try {
                options.TimeOutMs = StrToInt(text);
            } catch (const Exception& e) {
                throw Exception("Option '--timeout': " + std::string(e.what()));
            }
        } else {
            throw Exception("unbekannte Option '" + name + "'");
        }
    }

    while (i < arguments.size()) {
        const std::string& argument = arguments[i++];
        if (IsOption(argument))
            throw Exception("Option '" + argument + "' muss vor den Kommandos stehen");
        const auto kind = CommandNamed(argument);
        if (!kind)
            throw Exception("unbekanntes Kommando '" + argument + "'");
        TTalvctlCommand command{*kind, {}};
        if (*kind == ETalvctlSend) {
            std::vector<std::string> assignments;
            while (i < arguments.size() && arguments[i].find('=') != std::string::npos)
                assignments.push_back(arguments[i++]);
            command.Parameters = TTalvctlParameters::FromAssignments(assignments);
        }
        options.Commands.push_back(std::move(command));
    }

    if (options.Commands.empty())
        throw Exception("kein Kommando angegeben");
    return options;
}

std::string TTalvctlOptions::Usage()
{
    return "Aufruf: talvctl [--port COMn|PFAD] [--timeout MS] [--log] [--help] KOMMANDO...\n"
           "\n"
           "Optionen:\n"
           "  --port COMn|PFAD  COM1..COM4 (/dev/ttyS0..3) oder ein Gerätepfad; Vorgabe COM1\n"
           "  --timeout MS      Antwortzeit des Geräts in msec (auf 100 abgerundet, mindestens\n"
           "                    500); Vorgabe 500\n"
           "  --log             jede gesendete und empfangene Zeile auf stderr ausgeben\n"
           "  --help            diesen Text ausgeben\n"
           "\n"
           "Kommandos (mehrere werden der Reihe nach ausgeführt):\n"
           "  request-config-mode  auf den Reset des Geräts warten und den\n"
           "                       Konfigurationsmodus anfordern (Abbruch mit Strg-C)\n"
           "  receive              Parameter vom Gerät lesen und als KEY=VALUE ausgeben\n"
           "  send KEY=VALUE...    Werkseinstellungen laden, Parameter senden und speichern;\n"
           "                       alle sechs Parameter sind anzugeben:\n"
           "                       MsnIncoming1, MsnIncoming2, AutomaticCallMode (0..3),\n"
           "                       AutomaticCallNumber1, AutomaticCallNumber2,\n"
           "                       IsdnDChannelProtocol (0, 1, 5..8, 12..14)\n"
           "  go                   Konfigurationsmodus verlassen, das Gerät startet\n"
           "\n"
           "Exit-Status: 0 Erfolg, 1 Fehler am Gerät oder Abbruch, 2 Aufruffehler\n";
}
