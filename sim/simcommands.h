#pragma once
// The command set of the simulated device: one command line in, its output lines and effects
// out. Framing (echo, line ends, prompt) and the configuration-mode states are TSimProtocol's;
// this class only knows what each command does to the parameters.
//
// A line is split at its first blank: the text before it is the keyword. A line with a blank is
// a set, whose value is everything after that blank (it may be empty or hold further blanks);
// a line without one is a query.

#include "sim/simparameters.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TSimCommandResult {
    std::vector<std::string> Output;  // output lines, without their line ends
    bool LeavesConfigMode = false;    // "go" and "quit": the device runs, no prompt follows
};

class TSimCommands {
public:
    // The firmware's messages; the device has no umlauts in its character set.
    static constexpr std::string_view InvalidValue = "Fehler: unzulaessiger Wert";
    static constexpr std::string_view UnknownCommand = "Unbekanntes Kommando";
    static constexpr std::string_view Saved = "Parameter gespeichert";
    static constexpr std::string_view StoredLoaded = "Parameter geladen";
    static constexpr std::string_view FactoryLoaded = "Werkseinstellungen geladen";

    TSimCommandResult Execute(std::string_view line);

    const TSimParameters& Current() const { return FCurrent; }
    void SetCurrent(const TSimParameters& parameters) { FCurrent = parameters; }
    const TSimParameters& Stored() const { return FStored; }
    void SetStored(const TSimParameters& parameters) { FStored = parameters; }

    // What the device does at start-up and at every reset.
    void LoadStored() { FCurrent = FStored; }

    // The output of "show": one "<keyword> <value>" line per parameter.
    std::vector<std::string> ShowLines() const;
    static std::vector<std::string> HelpLines();

private:
    // The query or set of one parameter; no value when keyword names no parameter.
    std::optional<TSimCommandResult> ExecuteParameter(std::string_view keyword, bool isSet,
                                                      std::string_view value);

    TSimParameters FCurrent;
    TSimParameters FStored;
};
