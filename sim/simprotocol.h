#pragma once
// The device's side of the line protocol, without any I/O: bytes from the tool go in, the bytes
// the device answers with come out. Time is passed in by the caller, so the confirmation window
// can be tested without waiting for it.
//
// States: after power-on and after "go"/"quit" the device runs and ignores its input. A reset
// sends the start string and opens the confirmation window; CR CR ESC ESC within the window
// (after any other bytes) enters configuration mode. There, input is collected up to a CR and
// each such line is one command, answered by its echo, the output lines and the prompt.

#include "sim/simcommands.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum tSimState : int {
    ESimRunning = 0,              // input is ignored
    ESimAwaitingConfirmation = 1, // the window after a reset is open
    ESimConfigMode = 2,
};

enum tSimReplyKind : int {
    ESimReplyConfigMode = 0,  // the banner that answers the confirmation
    ESimReplyCommand = 1,     // the answer to one command line
};

struct TSimReply {
    tSimReplyKind Kind = ESimReplyCommand;
    std::string Line;   // the command line answered; empty for the entry banner
    std::string Bytes;  // everything the device sends for it
    bool LeftConfigMode = false;
};

class TSimProtocol {
public:
    using TClock = std::chrono::steady_clock;

    static constexpr std::string_view StartString =
        "+++ Press <CR>,<CR>,<ESC>,<ESC> to enter TA+configurator +++";
    static constexpr std::string_view Confirmation = "\r\r\x1b\x1b";
    static constexpr std::string_view EntryBanner = "\r\nTALV configuration\r\n#";
    static constexpr std::string_view LineEnd = "\r\n";
    static constexpr char Prompt = '#';
    static constexpr std::chrono::milliseconds DefaultConfirmationWindow{5000};

    explicit TSimProtocol(std::chrono::milliseconds confirmationWindow = DefaultConfirmationWindow);

    // The reset banner: a line end, the start string, a line end.
    static std::string ResetBanner();

    // Loads the stored parameters, leaves configuration mode, drops any half-received line and
    // opens the confirmation window at now. The result is the banner the device sends.
    std::string Reset(TClock::time_point now);

    // One received byte; a reply when it completed the confirmation or a command line.
    std::optional<TSimReply> Input(char byte, TClock::time_point now);
    // Several bytes at once, all received at now.
    std::vector<TSimReply> Input(std::string_view bytes, TClock::time_point now);

    // Closes the confirmation window once its time has passed; true when this call closed it.
    // Input does the same by itself, so calling this is only needed to notice the moment.
    bool Expire(TClock::time_point now);

    tSimState State() const { return FState; }
    bool InConfigMode() const { return FState == ESimConfigMode; }
    // When the open window closes; no value when none is open.
    std::optional<TClock::time_point> ConfirmationDeadline() const;
    std::chrono::milliseconds ConfirmationWindow() const { return FConfirmationWindow; }

    TSimCommands& Commands() { return FCommands; }
    const TSimCommands& Commands() const { return FCommands; }

private:
    std::optional<TSimReply> AwaitConfirmation(char byte);
    std::optional<TSimReply> CollectCommand(char byte);
    TSimReply Answer(const std::string& line);

    const std::chrono::milliseconds FConfirmationWindow;
    tSimState FState = ESimRunning;
    TClock::time_point FDeadline{};
    // The last bytes seen while the window is open, at most as many as the confirmation has.
    std::string FRecent;
    std::string FLine;
    TSimCommands FCommands;
};
