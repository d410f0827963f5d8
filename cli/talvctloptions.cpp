#include "cli/talvctloptions.h"

#include "cli/talvctltext.h"
#include "platform/exceptions.h"
#include "platform/languagesetting.h"

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
        {"diff", ETalvctlDiff},
        {"report", ETalvctlReport},
    };
    for (const auto& [commandName, command] : commands)
        if (name == commandName)
            return command;
    return std::nullopt;
}

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// "de" or "en" in either case, as the code the language setting stores.
std::optional<std::string> LanguageNamed(const std::string& name)
{
    const std::string upper = Upper(name);
    if (upper == LanguageGerman || upper == LanguageEnglish)
        return upper;
    return std::nullopt;
}

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
        throw Exception(prefix + TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Option '%s' erwartet einen Wert"),
                                                {name}));
    return arguments[i++];
}

// The options a command takes after its name, each at most once.
struct TCommandOptions {
    std::optional<std::string> Into;
    std::optional<int> Device;
    bool All = false;
    std::optional<std::string> Format;
    std::optional<std::string> Output;
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
        throw Exception(prefix + TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "%s liegt nicht im Bereich %d..%d"),
                                                {text, TTalvctlCommand::MinDevice, TTalvctlCommand::MaxDevice}));
    return device;
}

// Stops at the first argument that is not "--into", "--device", "--all", "--format" or "-o"
// ("--output"); another option there is left for the caller, which refuses it as an option after
// the commands.
TCommandOptions ParseCommandOptions(const std::vector<std::string>& arguments, size_t& i, const std::string& command)
{
    TCommandOptions options;
    while (i < arguments.size() && IsOption(arguments[i])) {
        const auto split = SplitOption(arguments[i]);
        const std::string& name = split.first;
        if (name != "--into" && name != "--device" && name != "--all" && name != "--format" && name != "-o" &&
            name != "--output")
            break;
        ++i;
        const std::string prefix = command + ": ";
        const auto refuseRepeated = [&] {
            throw Exception(prefix + TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Option '%s' mehrfach angegeben"),
                                                    {name}));
        };
        if (name == "--all") {
            if (split.second)
                throw Exception(prefix + TalvctlMessage(
                                             QT_TRANSLATE_NOOP("talvctl", "Option '%s' erwartet keinen Wert"), {name}));
            if (options.All)
                refuseRepeated();
            options.All = true;
            continue;
        }
        const std::string text = TakeValue(arguments, i, prefix, name, split.second);
        if (name == "--format") {
            if (options.Format)
                refuseRepeated();
            options.Format = text;
            continue;
        }
        if (name == "-o" || name == "--output") {
            if (options.Output)
                refuseRepeated();
            options.Output = text;
            continue;
        }
        if (name == "--into" ? options.Into.has_value() : options.Device.has_value())
            refuseRepeated();
        if (name == "--into") {
            if (text.empty())
                throw Exception(prefix + TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Option '--into': leerer Wert")));
            options.Into = text;
        } else {
            options.Device = DeviceNumber(command, text);
        }
    }
    return options;
}

// "text" or "json" in either case.
tCheckFormat CheckFormat(const std::string& command, const std::string& text)
{
    const std::string upper = Upper(text);
    if (upper == "TEXT")
        return ECheckText;
    if (upper == "JSON")
        return ECheckJson;
    throw Exception(command + ": " +
                    TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Option '--format': '%s' ist kein Format (text, json)"),
                                   {text}));
}

void ApplyCommandOptions(TTalvctlCommand& command, const TCommandOptions& options, const std::string& name)
{
    const std::string prefix = name + ": ";
    const auto refuse = [&](const char* option) {
        throw Exception(prefix + TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Option '%s' ist hier nicht erlaubt"),
                                                {std::string(option)}));
    };
    // A command that works on the file alone takes no device options.
    const auto refuseDeviceOptions = [&] {
        if (options.Into)
            refuse("--into");
        if (options.Device)
            refuse("--device");
        if (options.All)
            refuse("--all");
    };
    const auto refuseDeviceAndAll = [&] {
        if (options.Device && options.All)
            throw Exception(prefix + TalvctlText(QT_TRANSLATE_NOOP(
                                         "talvctl", "Optionen '--device' und '--all' schließen einander aus")));
    };
    if (options.Format) {
        if (command.Kind != ETalvctlCheck)
            refuse("--format");
        command.Format = CheckFormat(name, *options.Format);
    }
    if (options.Output && command.Kind != ETalvctlReport)
        refuse("-o");
    switch (command.Kind) {
    case ETalvctlReceive:
        refuseDeviceAndAll();
        if (options.Into && !options.Device && !options.All)
            throw Exception(prefix + TalvctlText(QT_TRANSLATE_NOOP("talvctl",
                                                                   "Option '--into' ohne '--device' oder '--all'")));
        if (options.Device && !options.Into)
            throw Exception(prefix + TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Option '--device' ohne '--into'")));
        if (options.All && !options.Into)
            throw Exception(prefix + TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Option '--all' ohne '--into'")));
        if (options.Into) {
            command.Kind = ETalvctlReceiveInto;
            command.FileName = *options.Into;
            command.Device = options.Device.value_or(0);
            command.AllDevices = options.All;
        }
        break;
    case ETalvctlSendDocument:
    case ETalvctlDiff:
        if (options.Into)
            refuse("--into");
        refuseDeviceAndAll();
        if (!options.Device && !options.All)
            throw Exception(prefix + TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Option '--device' oder '--all' fehlt")));
        command.Device = options.Device.value_or(0);
        command.AllDevices = options.All;
        break;
    case ETalvctlReport:
        refuseDeviceOptions();
        if (!options.Output)
            throw Exception(prefix + TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Option '-o' fehlt")));
        if (!ReportFormatOf(*options.Output))
            throw Exception(prefix + TalvctlMessage(QT_TRANSLATE_NOOP(
                                         "talvctl", "Option '-o': '%s' endet weder auf .pdf noch auf .svg"),
                                                    {*options.Output}));
        command.OutputFile = *options.Output;
        break;
    default:
        refuseDeviceOptions();
        break;
    }
}

std::string TakeFileName(const std::vector<std::string>& arguments, size_t& i, const std::string& command)
{
    if (i >= arguments.size() || IsOption(arguments[i]))
        throw Exception(command + ": " + TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Dateiname fehlt")));
    return arguments[i++];
}

}  // namespace

bool TTalvctlCommand::NeedsDevice() const
{
    return Kind != ETalvctlCheck && Kind != ETalvctlShow && Kind != ETalvctlReport;
}

std::optional<tReportFormat> ReportFormatOf(const std::string& fileName)
{
    const auto endsWith = [&fileName](const std::string& extension) {
        return fileName.size() > extension.size() &&
               Upper(fileName.substr(fileName.size() - extension.size())) == extension;
    };
    if (endsWith(".PDF"))
        return EReportPdf;
    if (endsWith(".SVG"))
        return EReportSvg;
    return std::nullopt;
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
                throw Exception(TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Option '%s' erwartet keinen Wert"),
                                               {name}));
        };

        if (name == "--help") {
            refuseValue();
            options.Help = true;
            return options;
        } else if (name == "--version") {
            refuseValue();
            options.Version = true;
            return options;
        } else if (name == "--log") {
            refuseValue();
            options.Log = true;
        } else if (name == "--fast") {
            refuseValue();
            options.Fast = true;
        } else if (name == "--port") {
            const std::string port = takeValue();
            if (port.empty())
                throw Exception(TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Option '--port': leerer Wert")));
            options.PortGiven = true;
            if (const auto comPort = COMPortNamed(port)) {
                options.COMPort = *comPort;
                options.DevicePath.clear();
            } else {
                options.DevicePath = port;
            }
        } else if (name == "--lang") {
            const std::string text = takeValue();
            const auto language = LanguageNamed(text);
            if (!language)
                throw Exception(TalvctlMessage(
                    QT_TRANSLATE_NOOP("talvctl", "Option '--lang': '%s' ist keine Sprache (de, en)"), {text}));
            options.Language = *language;
        } else if (name == "--timeout") {
            const std::string text = takeValue();
            try {
                options.TimeOutMs = StrToInt(text);
            } catch (const Exception& e) {
                throw Exception("Option '--timeout': " + std::string(e.what()));
            }
        } else {
            throw Exception(TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "unbekannte Option '%s'"), {name}));
        }
    }

    // The first command that talks to the device at the call's port, and whether one with "--all"
    // takes its ports from its file: a call cannot do both.
    std::string singleDeviceCommand;
    bool allDevices = false;
    while (i < arguments.size()) {
        const std::string& argument = arguments[i++];
        if (IsOption(argument))
            throw Exception(TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Option '%s' muss vor den Kommandos stehen"),
                                           {argument}));
        const auto kind = CommandNamed(argument);
        if (!kind)
            throw Exception(TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "unbekanntes Kommando '%s'"), {argument}));
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
        case ETalvctlDiff:
        case ETalvctlReport:
            command.FileName = TakeFileName(arguments, i, argument);
            break;
        default:
            break;
        }
        ApplyCommandOptions(command, ParseCommandOptions(arguments, i, argument), argument);
        if (command.NeedsPort() && singleDeviceCommand.empty())
            singleDeviceCommand = argument;
        allDevices = allDevices || command.AllDevices;
        options.Commands.push_back(std::move(command));
    }

    if (options.Commands.empty())
        throw Exception(TalvctlText(QT_TRANSLATE_NOOP("talvctl", "kein Kommando angegeben")));
    if (allDevices && options.PortGiven)
        throw Exception(TalvctlText(QT_TRANSLATE_NOOP(
            "talvctl", "Option '--port' geht nicht zusammen mit '--all': die Ports der Geräte stehen in der Datei")));
    if (allDevices && !singleDeviceCommand.empty())
        throw Exception(TalvctlMessage(
            QT_TRANSLATE_NOOP(
                "talvctl", "Kommando '%s' geht nicht zusammen mit '--all': es spricht nur das Gerät an einem Port an"),
            {singleDeviceCommand}));
    return options;
}

std::optional<std::string> TTalvctlOptions::LanguageOf(const std::vector<std::string>& arguments)
{
    // Walks the options as Parse does; the last valid "--lang" wins, as it would there. Parse
    // stops at "--help", but a "--lang" after it still names the language the help speaks.
    std::optional<std::string> language;
    size_t i = 0;
    while (i < arguments.size() && IsOption(arguments[i])) {
        const auto [name, value] = SplitOption(arguments[i++]);
        const bool takesValue = name == "--port" || name == "--timeout" || name == "--lang";
        if (!takesValue || (!value && i >= arguments.size()))
            continue;
        const std::string text = value ? *value : arguments[i++];
        if (name == "--lang")
            if (const auto named = LanguageNamed(text))
                language = named;
    }
    return language;
}

bool TTalvctlOptions::NeedsDevice() const
{
    return std::any_of(Commands.begin(), Commands.end(), [](const TTalvctlCommand& c) { return c.NeedsDevice(); });
}

bool TTalvctlOptions::NeedsPort() const
{
    return std::any_of(Commands.begin(), Commands.end(), [](const TTalvctlCommand& c) { return c.NeedsPort(); });
}

namespace {

// Which names a port has, where COMn leads and where the settings file lives are the system's.
std::string PortUsage()
{
#ifdef _WIN32
    return TalvctlText(QT_TRANSLATE_NOOP("talvctl",
           "  --port COMn|PFAD  ein COM-Port (COM5, COM12) oder \\\\.\\NAME; Vorgabe COM1.\n"
           "                    COM1..COM4 führen zu dem Port, der im Abschnitt [Ports]\n"
           "                    der Datei %APPDATA%\\TALV-Configurator\\TALVConfig.INI\n"
           "                    steht, sonst zu dem Port gleichen Namens\n"));
#else
    return TalvctlText(QT_TRANSLATE_NOOP("talvctl",
           "  --port COMn|PFAD  COM1..COM4 oder ein Gerätepfad; Vorgabe COM1. COMn führt\n"
           "                    zu dem Gerät, das im Abschnitt [Ports] der Datei\n"
           "                    TALVConfig.INI (in $XDG_CONFIG_HOME oder ~/.config) steht,\n"
           "                    sonst zu /dev/ttyS0..3\n"));
#endif
}

}  // namespace

std::string TTalvctlOptions::Usage()
{
    // The lines of "--port" differ per system and go in at "{port}".
    std::string usage = TalvctlText(QT_TRANSLATE_NOOP("talvctl",
           "Aufruf: talvctl [--port COMn|PFAD] [--timeout MS] [--fast] [--lang de|en] [--log] [--help]\n"
           "               [--version] KOMMANDO...\n"
           "\n"
           "Optionen:\n"
           "{port}"
           "  --timeout MS      Antwortzeit des Geräts in msec (auf 100 abgerundet, mindestens\n"
           "                    500); Vorgabe 500\n"
           "  --fast            schnelle Übertragung: jedes Lesen endet, sobald die Antwort\n"
           "                    da ist, statt immer 500 msec zu warten; für aktuelle Geräte.\n"
           "                    Ohne --fast geht es mit jedem Gerät (ältere brauchen das)\n"
           "  --lang de|en      Sprache der Ausgaben: Deutsch oder Englisch; Vorgabe die\n"
           "                    Sprache, die im TALV-Configurator neben talvctl eingestellt\n"
           "                    ist, sonst die Sprache des Benutzers\n"
           "  --log             jede gesendete und empfangene Zeile auf stderr ausgeben;\n"
           "                    mit --all beginnt jede mit dem Namen ihres Geräts\n"
           "  --help            diesen Text ausgeben\n"
           "  --version         die Version ausgeben\n"
           "\n"
           "Kommandos (mehrere werden der Reihe nach ausgeführt):\n"
           "  request-config-mode  auf den Reset des Geräts warten und den\n"
           "                       Konfigurationsmodus anfordern (Abbruch mit Strg-C)\n"
           "  receive              Parameter vom Gerät lesen und als KEY=VALUE ausgeben\n"
           "  receive --into DATEI --device N\n"
           "                       Parameter vom Gerät lesen und als Gerät N (1..6) in DATEI\n"
           "                       speichern; alles andere in DATEI bleibt erhalten, eine\n"
           "                       fehlende DATEI wird angelegt\n"
           "  receive --into DATEI --all\n"
           "                       Parameter von allen Geräten in DATEI zugleich lesen, jedes\n"
           "                       an seinem COMPort aus DATEI (COMn wie bei --port), und in\n"
           "                       DATEI speichern; ein Gerät, das scheitert, behält dort\n"
           "                       seine bisherigen Werte\n"
           "  send KEY=VALUE...    Werkseinstellungen laden, Parameter senden und speichern;\n"
           "                       alle sechs Parameter sind anzugeben:\n"
           "                       MsnIncoming1, MsnIncoming2, AutomaticCallMode (0..3),\n"
           "                       AutomaticCallNumber1, AutomaticCallNumber2,\n"
           "                       IsdnDChannelProtocol (0, 1, 5..8, 12..14)\n"
           "  send DATEI --device N\n"
           "                       wie send KEY=VALUE..., mit den Parametern von Gerät N\n"
           "                       aus DATEI\n"
           "  send DATEI --all     wie send DATEI --device N, für alle Geräte in DATEI\n"
           "                       zugleich, jedes an seinem COMPort aus DATEI\n"
           "  diff DATEI --device N\n"
           "                       Parameter vom Gerät lesen und mit Gerät N aus DATEI\n"
           "                       vergleichen, DATEI bleibt unverändert; je abweichendem\n"
           "                       Parameter eine Zeile KEY: plan=WERT device=WERT\n"
           "  diff DATEI --all     wie diff DATEI --device N, für alle Geräte in DATEI\n"
           "                       zugleich, jedes an seinem COMPort aus DATEI; jede Zeile\n"
           "                       beginnt mit dem Abschnitt des Geräts (Device2: KEY: ...)\n"
           "  go                   Konfigurationsmodus verlassen, das Gerät startet\n"
           "  check DATEI [--format text|json]\n"
           "                       die Konfiguration in DATEI prüfen und jede Meldung als\n"
           "                       ART: TEXT ausgeben (info, warning, error, heading);\n"
           "                       mit json je Meldung ein JSON-Objekt mit kind, text,\n"
           "                       device (1..6 oder null) und field (Schlüssel oder null);\n"
           "                       bei Fehlern endet der Aufruf hier mit Status 1\n"
           "  show DATEI           die Geräte in DATEI als KEY=VALUE ausgeben\n"
           "  report DATEI -o AUSGABE.pdf|AUSGABE.svg\n"
           "                       den Bericht über DATEI als PDF schreiben (Netzbild,\n"
           "                       Geräte, Prüfung) oder nur das Netzbild als SVG\n"
           "\n"
           "check, show und report brauchen kein Gerät; allein öffnen sie keinen Port.\n"
           "Mit --all meldet jedes Gerät unter seinem Namen Erfolg oder Fehler, dann folgt\n"
           "eine Zeile für alle; --all geht nicht zusammen mit --port und nicht mit den\n"
           "Kommandos, die das Gerät an einem Port ansprechen. Zwei Geräte am selben Port\n"
           "sind ein Aufruffehler.\n"
           "\n"
           "Exit-Status: 0 Erfolg, 1 Fehler am Gerät, Abbruch, Fehler in der Prüfung oder\n"
           "             Ausgabe nicht schreibbar, 2 Aufruffehler, Datei nicht lesbar\n"
           "             oder Prüfung abgebrochen\n"
           "diff: 0 Gerät wie geplant, 1 Abweichung (der Aufruf endet hier), 2 wie oben,\n"
           "      3 Fehler am Gerät oder Port oder Abbruch\n"));
    if (const std::size_t port = usage.find("{port}"); port != std::string::npos)
        usage.replace(port, 6, PortUsage());
    return usage;
}
