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
        {"check", ETalvctlCheck},
        {"show", ETalvctlShow},
    };
    for (const auto& [commandName, command] : commands)
        if (name == commandName)
            return command;
    return std::nullopt;
}

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// "--name value" and "--name=value" are both accepted; the name, and the value when it came
// with "=".
std::pair<std::string, std::optional<std::string>> SplitOption(const std::string& argument)
{
    const auto equals = argument.find('=');
    if (equals == std::string::npos)
        return {argument, std::nullopt};
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

// The value of the option at arguments[i - 1]: the one it came with, or the next argument.
std::string TakeValue(const std::vector<std::string>& arguments, size_t& i, const std::string& prefix,
                      const std::string& name, const std::optional<std::string>& value)
{
    if (value)
        return *value;
    if (i >= arguments.size())
        throw Exception(prefix + "Option '" + name + "' erwartet einen Wert");
    return arguments[i++];
}

// The options a command takes after its name, each at most once.
struct TCommandOptions {
    std::optional<std::string> Into;
    std::optional<int> Device;
};

int DeviceNumber(const std::string& command, const std::string& text)
{
    const std::string prefix = command + ": Option '--device': ";
    int device = 0;
    try {
        device = StrToInt(text);
    } catch (const Exception& e) {
        throw Exception(prefix + e.what());
    }
    if (device < TTalvctlCommand::MinDevice || device > TTalvctlCommand::MaxDevice)
        throw Exception(prefix + text + " liegt nicht im Bereich " + std::to_string(TTalvctlCommand::MinDevice) +
                        ".." + std::to_string(TTalvctlCommand::MaxDevice));
    return device;
}

// Stops at the first argument that is not "--into" or "--device"; another option there is left
// for the caller, which refuses it as an option after the commands.
TCommandOptions ParseCommandOptions(const std::vector<std::string>& arguments, size_t& i, const std::string& command)
{
    TCommandOptions options;
    while (i < arguments.size() && IsOption(arguments[i])) {
        const auto split = SplitOption(arguments[i]);
        const std::string& name = split.first;
        if (name != "--into" && name != "--device")
            break;
        ++i;
        const std::string prefix = command + ": ";
        const std::string text = TakeValue(arguments, i, prefix, name, split.second);
        const bool repeated = name == "--into" ? options.Into.has_value() : options.Device.has_value();
        if (repeated)
            throw Exception(prefix + "Option '" + name + "' mehrfach angegeben");
        if (name == "--into") {
            if (text.empty())
                throw Exception(prefix + "Option '--into': leerer Wert");
            options.Into = text;
        } else {
            options.Device = DeviceNumber(command, text);
        }
    }
    return options;
}

void ApplyCommandOptions(TTalvctlCommand& command, const TCommandOptions& options, const std::string& name)
{
    const std::string prefix = name + ": ";
    const auto refuse = [&](const char* option) {
        throw Exception(prefix + "Option '" + option + "' ist hier nicht erlaubt");
    };
    switch (command.Kind) {
    case ETalvctlReceive:
        if (options.Into && !options.Device)
            throw Exception(prefix + "Option '--into' ohne '--device'");
        if (options.Device && !options.Into)
            throw Exception(prefix + "Option '--device' ohne '--into'");
        if (options.Into) {
            command.Kind = ETalvctlReceiveInto;
            command.FileName = *options.Into;
            command.Device = *options.Device;
        }
        break;
    case ETalvctlSendDocument:
        if (options.Into)
            refuse("--into");
        if (!options.Device)
            throw Exception(prefix + "Option '--device' fehlt");
        command.Device = *options.Device;
        break;
    default:
        if (options.Into)
            refuse("--into");
        if (options.Device)
            refuse("--device");
        break;
    }
}

std::string TakeFileName(const std::vector<std::string>& arguments, size_t& i, const std::string& command)
{
    if (i >= arguments.size() || IsOption(arguments[i]))
        throw Exception(command + ": Dateiname fehlt");
    return arguments[i++];
}

}  // namespace

bool TTalvctlCommand::NeedsDevice() const
{
    return Kind != ETalvctlCheck && Kind != ETalvctlShow;
}

TTalvctlOptions TTalvctlOptions::Parse(const std::vector<std::string>& arguments)
{
    TTalvctlOptions options;
    size_t i = 0;

    // Options come first; "--name value" and "--name=value" are both accepted.
    while (i < arguments.size() && IsOption(arguments[i])) {
        const auto split = SplitOption(arguments[i++]);
        const std::string& name = split.first;
        const std::optional<std::string>& value = split.second;
        const auto takeValue = [&] { return TakeValue(arguments, i, "", name, value); };
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
        TTalvctlCommand command;
        command.Kind = *kind;
        // "send" has two forms, told apart by the word after it: an assignment KEY=VALUE starts
        // the parameter form, any other word names a file. A file name holding "=" therefore
        // cannot be sent from. A "send" with nothing after it is the parameter form, whose
        // message lists the keys it lacks.
        const auto isAssignment = [](const std::string& word) {
            return !IsOption(word) && word.find('=') != std::string::npos;
        };
        if (*kind == ETalvctlSend && i < arguments.size() && !isAssignment(arguments[i]))
            command.Kind = ETalvctlSendDocument;

        switch (command.Kind) {
        case ETalvctlSend: {
            std::vector<std::string> assignments;
            while (i < arguments.size() && isAssignment(arguments[i]))
                assignments.push_back(arguments[i++]);
            command.Parameters = TTalvctlParameters::FromAssignments(assignments);
            break;
        }
        case ETalvctlCheck:
        case ETalvctlShow:
        case ETalvctlSendDocument:
            command.FileName = TakeFileName(arguments, i, argument);
            break;
        default:
            break;
        }
        ApplyCommandOptions(command, ParseCommandOptions(arguments, i, argument), argument);
        options.Commands.push_back(std::move(command));
    }

    if (options.Commands.empty())
        throw Exception("kein Kommando angegeben");
    return options;
}

bool TTalvctlOptions::NeedsDevice() const
{
    return std::any_of(Commands.begin(), Commands.end(), [](const TTalvctlCommand& c) { return c.NeedsDevice(); });
}

std::string TTalvctlOptions::Usage()
{
    return "Aufruf: talvctl [--port COMn|PFAD] [--timeout MS] [--log] [--help] KOMMANDO...\n"
           "\n"
           "Optionen:\n"
           "  --port COMn|PFAD  COM1..COM4 oder ein Gerätepfad; Vorgabe COM1. COMn führt\n"
           "                    zu dem Gerät, das im Abschnitt [Ports] der Datei\n"
           "                    TALVConfig.INI (in $XDG_CONFIG_HOME oder ~/.config) steht,\n"
           "                    sonst zu /dev/ttyS0..3\n"
           "  --timeout MS      Antwortzeit des Geräts in msec (auf 100 abgerundet, mindestens\n"
           "                    500); Vorgabe 500\n"
           "  --log             jede gesendete und empfangene Zeile auf stderr ausgeben\n"
           "  --help            diesen Text ausgeben\n"
           "\n"
           "Kommandos (mehrere werden der Reihe nach ausgeführt):\n"
           "  request-config-mode  auf den Reset des Geräts warten und den\n"
           "                       Konfigurationsmodus anfordern (Abbruch mit Strg-C)\n"
           "  receive              Parameter vom Gerät lesen und als KEY=VALUE ausgeben\n"
           "  receive --into DATEI --device N\n"
           "                       Parameter vom Gerät lesen und als Gerät N (1..6) in DATEI\n"
           "                       speichern; alles andere in DATEI bleibt erhalten, eine\n"
           "                       fehlende DATEI wird angelegt\n"
           "  send KEY=VALUE...    Werkseinstellungen laden, Parameter senden und speichern;\n"
           "                       alle sechs Parameter sind anzugeben:\n"
           "                       MsnIncoming1, MsnIncoming2, AutomaticCallMode (0..3),\n"
           "                       AutomaticCallNumber1, AutomaticCallNumber2,\n"
           "                       IsdnDChannelProtocol (0, 1, 5..8, 12..14)\n"
           "  send DATEI --device N\n"
           "                       wie send KEY=VALUE..., mit den Parametern von Gerät N\n"
           "                       aus DATEI\n"
           "  go                   Konfigurationsmodus verlassen, das Gerät startet\n"
           "  check DATEI          die Konfiguration in DATEI prüfen und jede Meldung als\n"
           "                       ART: TEXT ausgeben (info, warning, error, heading);\n"
           "                       bei Fehlern endet der Aufruf hier mit Status 1\n"
           "  show DATEI           die Geräte in DATEI als KEY=VALUE ausgeben\n"
           "\n"
           "check und show brauchen kein Gerät; allein öffnen sie keinen Port.\n"
           "\n"
           "Exit-Status: 0 Erfolg, 1 Fehler am Gerät, Abbruch oder Fehler in der Prüfung,\n"
           "             2 Aufruffehler, Datei nicht lesbar oder Prüfung abgebrochen\n";
}
