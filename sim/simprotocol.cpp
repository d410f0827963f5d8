#include "sim/simprotocol.h"

TSimProtocol::TSimProtocol(std::chrono::milliseconds confirmationWindow)
    : FConfirmationWindow(confirmationWindow)
{
    FCommands.LoadStored();
}

std::string TSimProtocol::ResetBanner()
{
    return std::string(LineEnd) + std::string(StartString) + std::string(LineEnd);
}

std::string TSimProtocol::Reset(TClock::time_point now)
{
    FCommands.LoadStored();
    FState = ESimAwaitingConfirmation;
    FDeadline = now + FConfirmationWindow;
    FRecent.clear();
    FLine.clear();
    return ResetBanner();
}

std::optional<TSimReply> TSimProtocol::Input(char byte, TClock::time_point now)
{
    Expire(now);
    switch (FState) {
    case ESimAwaitingConfirmation:
        return AwaitConfirmation(byte);
    case ESimConfigMode:
        return CollectCommand(byte);
    case ESimRunning:
        break;
    }
    return std::nullopt;
}

std::vector<TSimReply> TSimProtocol::Input(std::string_view bytes, TClock::time_point now)
{
    std::vector<TSimReply> replies;
    for (const char byte : bytes)
        if (auto reply = Input(byte, now))
            replies.push_back(std::move(*reply));
    return replies;
}

bool TSimProtocol::Expire(TClock::time_point now)
{
    if (FState != ESimAwaitingConfirmation || now < FDeadline)
        return false;
    FState = ESimRunning;
    FRecent.clear();
    return true;
}

std::optional<TSimProtocol::TClock::time_point> TSimProtocol::ConfirmationDeadline() const
{
    if (FState != ESimAwaitingConfirmation)
        return std::nullopt;
    return FDeadline;
}

std::optional<TSimReply> TSimProtocol::AwaitConfirmation(char byte)
{
    // Whatever came before the four keys (line noise, a terminal's own greeting) is no reason to
    // refuse them, so only the last four bytes count.
    FRecent.push_back(byte);
    if (FRecent.size() > Confirmation.size())
        FRecent.erase(0, FRecent.size() - Confirmation.size());
    if (FRecent != Confirmation)
        return std::nullopt;
    FRecent.clear();
    FLine.clear();
    FState = ESimConfigMode;
    return TSimReply{ESimReplyConfigMode, {}, std::string(EntryBanner), false};
}

std::optional<TSimReply> TSimProtocol::CollectCommand(char byte)
{
    switch (byte) {
    case '\r':
        break;
    // Terminals send CR LF, and the confirmation's ESCs may be repeated by an impatient user;
    // neither belongs to a command.
    case '\n':
    case '\x1b':
        return std::nullopt;
    default:
        FLine.push_back(byte);
        return std::nullopt;
    }
    std::string line;
    line.swap(FLine);
    return Answer(line);
}

TSimReply TSimProtocol::Answer(const std::string& line)
{
    const TSimCommandResult result = FCommands.Execute(line);
    TSimReply reply{ESimReplyCommand, line, line + std::string(LineEnd), result.LeavesConfigMode};
    for (const std::string& output : result.Output)
        reply.Bytes += output + std::string(LineEnd);
    if (result.LeavesConfigMode)
        FState = ESimRunning;
    else
        reply.Bytes += Prompt;
    return reply;
}
