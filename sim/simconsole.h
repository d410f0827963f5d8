#pragma once
// The operator's commands of the talvsim program, one per line, applied to a simulated device:
//   reset | silent | speak | garbage [N] | nul | reset-mid | flood [N] | hangup [mid] | show
//   | help | quit
// Kept apart from main so the mapping of words to device orders can be tested.

#include <iosfwd>
#include <string>

class TSimDevice;

class TSimConsole {
public:
    explicit TSimConsole(TSimDevice& device) : FDevice(device) {}

    // Carries out one command line; "show" and "help" write to out, and a line that is no
    // command gets a message on err. False for "quit".
    bool Execute(const std::string& line, std::ostream& out, std::ostream& err);

    static void WriteHelp(std::ostream& out);

private:
    void Show(std::ostream& out) const;

    TSimDevice& FDevice;
};
