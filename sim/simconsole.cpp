#include "sim/simconsole.h"

#include "sim/simdevice.h"

#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// The count argument of garbage and flood: absent gives the default, anything but a number
// no value.
std::optional<size_t> Count(const std::vector<std::string>& words, size_t fallback)
{
    if (words.size() < 2)
        return fallback;
    if (words.size() > 2)
        return std::nullopt;
    const auto number = SimParseDecimal(words[1]);
    if (!number)
        return std::nullopt;
    return static_cast<size_t>(*number);
}

const char* StateName(tSimState state)
{
    switch (state) {
    case ESimRunning: return "running";
    case ESimAwaitingConfirmation: return "awaiting confirmation";
    case ESimConfigMode: return "configuration mode";
    }
    return "?";
}

void WriteParameters(std::ostream& out, const char* title, const TSimParameters& p)
{
    out << title << " vmoddi/1.msni=\"" << p.Msn1 << "\" vmoddi/2.msni=\"" << p.Msn2
        << "\" aciomco=" << p.Aciomco << " aciomcatab1=\"" << p.Aciomcatab1
        << "\" aciomcatab2=\"" << p.Aciomcatab2 << "\" isdn=" << SimIsdnText(p.Isdn) << '\n';
}

}  // namespace

bool TSimConsole::Execute(const std::string& line, std::ostream& out, std::ostream& err)
{
    const std::vector<std::string> words = Words(line);
    if (words.empty())
        return true;
    const std::string& command = words[0];
    const bool single = words.size() == 1;

    if (command == "quit" && single)
        return false;
    if (command == "reset" && single)
        FDevice.Reset();
    else if (command == "silent" && single)
        FDevice.SetSilent(true);
    else if (command == "speak" && single)
        FDevice.SetSilent(false);
    else if (command == "nul" && single)
        FDevice.NulInNextReply();
    else if (command == "reset-mid" && single)
        FDevice.ResetMidNextReply();
    else if (command == "hangup" && single)
        FDevice.HangUp();
    else if (command == "hangup" && words.size() == 2 && words[1] == "mid")
        FDevice.HangUpMidNextReply();
    else if (command == "show" && single)
        Show(out);
    else if (command == "help" && single)
        WriteHelp(out);
    else if (command == "garbage" || command == "flood") {
        const auto count = Count(words, command == "garbage" ? TSimDevice::DefaultGarbageCount
                                                             : TSimDevice::DefaultFloodCount);
        if (!count) {
            err << "talvsim: " << command << ": the count must be a whole number\n";
        } else if (command == "garbage") {
            FDevice.GarbageNextReply(*count);
        } else {
            FDevice.FloodNextReply(*count);
        }
    } else {
        err << "talvsim: unknown command '" << line << "' (help lists the commands)\n";
    }
    out.flush();
    return true;
}

void TSimConsole::Show(std::ostream& out) const
{
    out << "state " << StateName(FDevice.State()) << (FDevice.LineUp() ? "" : ", line down")
        << (FDevice.Silent() ? ", silent" : "") << '\n';
    WriteParameters(out, "current", FDevice.Current());
    WriteParameters(out, "stored ", FDevice.Stored());
}

void TSimConsole::WriteHelp(std::ostream& out)
{
    out << "commands (one per line on standard input):\n"
           "  reset         send the start string, open the confirmation window\n"
           "  silent        read but do not answer; speak ends it\n"
           "  speak         answer again\n"
           "  garbage [N]   next reply: N random bytes instead (default 64)\n"
           "  nul           next reply: a NUL byte inside its echo\n"
           "  reset-mid     next reply: cut after half, then a reset\n"
           "  flood [N]     next reply: followed by N bytes of text (default 2000)\n"
           "  hangup [mid]  close the line now, or after half of the next reply\n"
           "  show          print the state and the current and stored parameters\n"
           "  quit          end the program\n";
}
