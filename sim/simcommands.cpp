#include "sim/simcommands.h"

#include <array>

namespace {

struct TTextParameter {
    std::string_view Keyword;
    std::string TSimParameters::*Field;
};

// The number parameters; the MSNs answer to the names of the modem's first two MSN slots.
constexpr std::array<TTextParameter, 4> TextParameters{{
    {"vmoddi/1.msni", &TSimParameters::Msn1},
    {"vmoddi/2.msni", &TSimParameters::Msn2},
    {"aciomcatab1", &TSimParameters::Aciomcatab1},
    {"aciomcatab2", &TSimParameters::Aciomcatab2},
}};

bool IsValidAciomco(int value) { return value >= 0 && value <= 3; }
bool IsValidIsdn(int value) { return SimIsdnName(value).has_value(); }

TSimCommandResult Lines(std::vector<std::string> lines) { return {std::move(lines), false}; }
TSimCommandResult Line(std::string_view line) { return Lines({std::string(line)}); }

}  // namespace

TSimCommandResult TSimCommands::Execute(std::string_view line)
{
    // An empty line is how a terminal asks whether anyone is there: only the prompt answers.
    if (line.empty())
        return {};
    const size_t blank = line.find(' ');
    const bool isSet = blank != std::string_view::npos;
    const std::string_view keyword = line.substr(0, blank);
    const std::string_view value = isSet ? line.substr(blank + 1) : std::string_view();

    if (auto result = ExecuteParameter(keyword, isSet, value))
        return *result;

    if (keyword == "defa" && isSet) {
        // Only "defa 1" exists; any other value is refused and nothing is loaded.
        if (value != "1")
            return Line(InvalidValue);
        FCurrent = TSimParameters::Factory();
        return Line(FactoryLoaded);
    }
    // The remaining commands take no value; with one they are not a command the firmware knows.
    if (isSet)
        return Line(UnknownCommand);
    if (keyword == "show")
        return Lines(ShowLines());
    if (keyword == "help")
        return Lines(HelpLines());
    if (keyword == "save") {
        FStored = FCurrent;
        return Line(Saved);
    }
    if (keyword == "defa") {
        FCurrent = FStored;
        return Line(StoredLoaded);
    }
    if (keyword == "go" || keyword == "quit")
        return {{}, true};
    return Line(UnknownCommand);
}

std::optional<TSimCommandResult> TSimCommands::ExecuteParameter(std::string_view keyword,
                                                                bool isSet, std::string_view value)
{
    for (const auto& parameter : TextParameters) {
        if (keyword != parameter.Keyword)
            continue;
        std::string& field = FCurrent.*parameter.Field;
        if (!isSet)
            return Line(field);
        field = value;
        return TSimCommandResult{};
    }

    // A set answers with its echo alone; a refused value changes nothing.
    if (keyword == "aciomco") {
        if (!isSet)
            return Line(std::to_string(FCurrent.Aciomco));
        const auto number = SimParseDecimal(value);
        if (!number || !IsValidAciomco(*number))
            return Line(InvalidValue);
        FCurrent.Aciomco = *number;
        return TSimCommandResult{};
    }
    if (keyword == "isdn") {
        if (!isSet)
            return Line(SimIsdnText(FCurrent.Isdn));
        const auto number = SimParseDecimal(value);
        if (!number || !IsValidIsdn(*number))
            return Line(InvalidValue);
        FCurrent.Isdn = *number;
        return TSimCommandResult{};
    }
    return std::nullopt;
}

std::vector<std::string> TSimCommands::ShowLines() const
{
    return {
        "vmoddi/1.msni " + FCurrent.Msn1,
        "vmoddi/2.msni " + FCurrent.Msn2,
        "aciomco " + std::to_string(FCurrent.Aciomco),
        "aciomcatab1 " + FCurrent.Aciomcatab1,
        "aciomcatab2 " + FCurrent.Aciomcatab2,
        "isdn " + SimIsdnText(FCurrent.Isdn),
    };
}

std::vector<std::string> TSimCommands::HelpLines()
{
    // No line may hold the prompt character: the tool takes the first one as the reply's end.
    return {
        "Kommandos:",
        "show                    alle Parameter anzeigen",
        "save                    Parameter speichern",
        "defa                    gespeicherte Parameter laden",
        "defa 1                  Werkseinstellungen laden",
        "go, quit                Konfiguration verlassen",
        "help                    diese Liste",
        "vmoddi/<n>.msni [Wert]  MSN n (1..2) abfragen oder setzen",
        "aciomco [Wert]          Wahlmodus (0..3) abfragen oder setzen",
        "aciomcatab<n> [Wert]    Zielrufnummer n (1..2) abfragen oder setzen",
        "isdn [Wert]             D-Kanal-Protokoll abfragen oder setzen",
    };
}
