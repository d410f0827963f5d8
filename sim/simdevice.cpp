#include "sim/simdevice.h"

#include <cstdio>
#include <optional>

namespace {

// How much of a transmission the log shows.
constexpr size_t LogLimit = 72;

// Line ends, ESC and other control bytes written out, so one event stays one log line.
std::string Printable(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        if (text.size() >= LogLimit) {
            text += "...";
            break;
        }
        switch (c) {
        case '\r': text += "\\r"; break;
        case '\n': text += "\\n"; break;
        case '\x1b': text += "\\e"; break;
        case '\\': text += "\\\\"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f) {
                text += c;
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
                text += hex;
            }
        }
    }
    return text;
}

}  // namespace

TSimDevice::TSimDevice(TSimDeviceOptions options)
    : FOptions(std::move(options)),
      FLine(FOptions.Pace, FOptions.Split, FOptions.Seed, FOptions.InProcess),
      FProtocol(FOptions.ConfirmationWindow),
      // A generator of its own, so ordering a fault does not change the split points.
      FFaults(FOptions.Seed ^ 0x9e3779b9u)
{
    // Runs on the worker as it reads; the hand-over to the callers is FReceived under FMutex.
    FLine.OnReceived = [this](std::string_view bytes) {
        std::unique_lock lock(FMutex);
        FReceived.append(bytes);
        Changed(lock);
    };
    FLine.OnLog = [this](const std::string& event) { Log(event); };
    FThread = std::thread([this] { Execute(); });
}

TSimDevice::~TSimDevice()
{
    FLine.RequestStop();
    FThread.join();
}

// ---- commands for the worker ----------------------------------------------------------------

void TSimDevice::Reset() { Submit({ECommandReset, {}}); }
void TSimDevice::SendRaw(const std::string& bytes) { Submit({ECommandRaw, bytes}); }
void TSimDevice::HangUp() { Submit({ECommandHangUp, {}}); }

void TSimDevice::Submit(TCommand command)
{
    // The worker takes the command from FCommands, carries it out and counts it in
    // FCommandsDone; the ticket tells this caller when its own command is through.
    std::unique_lock lock(FMutex);
    FCommands.push_back(std::move(command));
    const uint64_t ticket = ++FCommandsSubmitted;
    FLine.Wake();
    FChanged.wait(lock, [&] { return FCommandsDone >= ticket; });
}

// ---- misbehaviour ---------------------------------------------------------------------------

void TSimDevice::SetSilent(bool silent)
{
    std::unique_lock lock(FMutex);
    FSilent = silent;
}

bool TSimDevice::Silent() const
{
    std::unique_lock lock(FMutex);
    return FSilent;
}

void TSimDevice::GarbageNextReply(size_t count)
{
    std::unique_lock lock(FMutex);
    FFaults.ArmGarbage(count);
}

void TSimDevice::NulInNextReply()
{
    std::unique_lock lock(FMutex);
    FFaults.ArmNul();
}

void TSimDevice::FloodNextReply(size_t count, bool keepReply)
{
    std::unique_lock lock(FMutex);
    FFaults.ArmFlood(count, keepReply);
}

void TSimDevice::ResetMidNextReply()
{
    std::unique_lock lock(FMutex);
    FFaults.ArmResetMid();
}

void TSimDevice::HangUpMidNextReply()
{
    std::unique_lock lock(FMutex);
    FFaults.ArmHangUpMid();
}

// ---- state ----------------------------------------------------------------------------------

tSimState TSimDevice::State() const
{
    std::unique_lock lock(FMutex);
    return FProtocol.State();
}

bool TSimDevice::InConfigMode() const
{
    std::unique_lock lock(FMutex);
    return FProtocol.InConfigMode();
}

bool TSimDevice::LineUp() const
{
    std::unique_lock lock(FMutex);
    return FLineUp;
}

TSimParameters TSimDevice::Current() const
{
    std::unique_lock lock(FMutex);
    return FProtocol.Commands().Current();
}

void TSimDevice::SetCurrent(const TSimParameters& parameters)
{
    std::unique_lock lock(FMutex);
    FProtocol.Commands().SetCurrent(parameters);
}

TSimParameters TSimDevice::Stored() const
{
    std::unique_lock lock(FMutex);
    return FProtocol.Commands().Stored();
}

void TSimDevice::SetStored(const TSimParameters& parameters)
{
    std::unique_lock lock(FMutex);
    FProtocol.Commands().SetStored(parameters);
}

// ---- received -------------------------------------------------------------------------------

std::string TSimDevice::Received() const
{
    std::unique_lock lock(FMutex);
    return FReceived;
}

std::vector<std::string> TSimDevice::CommandLines() const
{
    std::unique_lock lock(FMutex);
    return FCommandLines;
}

void TSimDevice::ClearReceived()
{
    std::unique_lock lock(FMutex);
    FReceived.clear();
    FCommandLines.clear();
}

bool TSimDevice::WaitForReceived(const std::function<bool(std::string_view)>& done,
                                 std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(FMutex);
    return FChanged.wait_for(lock, timeout, [&] { return done(FReceived); });
}

bool TSimDevice::WaitForCommandLines(size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(FMutex);
    return FChanged.wait_for(lock, timeout, [&] { return FCommandLines.size() >= count; });
}

bool TSimDevice::WaitForState(tSimState state, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(FMutex);
    return FChanged.wait_for(lock, timeout, [&] { return FProtocol.State() == state; });
}

// ---- worker ---------------------------------------------------------------------------------

void TSimDevice::Execute()
{
    if (FOptions.AutoResetPeriod.count() > 0)
        FNextAutoReset = TClock::now() + FOptions.AutoResetPeriod;
    while (!FLine.StopRequested()) {
        ProcessInput();
        RunCommands();
        Housekeeping();
        FLine.Wait(NextDeadline());
    }
}

void TSimDevice::RunCommands()
{
    for (;;) {
        TCommand command;
        {
            std::unique_lock lock(FMutex);
            if (FCommands.empty())
                return;
            command = std::move(FCommands.front());
            FCommands.pop_front();
        }
        switch (command.Kind) {
        case ECommandReset:
            DoReset();
            break;
        case ECommandRaw:
            Transmit(command.Bytes);
            break;
        case ECommandHangUp:
            DoHangUp();
            break;
        }
        std::unique_lock lock(FMutex);
        ++FCommandsDone;
        Changed(lock);
    }
}

void TSimDevice::ProcessInput()
{
    // Input read while a reply goes out is answered in the same call, so that nothing read
    // before a command waits until after it.
    for (std::string input; !FLine.StopRequested() && !(input = FLine.TakeInput()).empty();)
        ProcessInput(input);
}

void TSimDevice::ProcessInput(const std::string& input)
{
    std::string ignored;
    const auto logIgnored = [&] {
        if (!ignored.empty())
            Log("ignored: " + Printable(ignored));
        ignored.clear();
    };
    // Byte by byte, so that a reset or hang-up in the middle of a reply affects the input after
    // it just as it would on a real device.
    for (const char byte : input) {
        if (FLine.StopRequested())
            return;
        bool windowClosed = false;
        std::optional<TSimReply> reply;
        TSimTransmission out;
        {
            std::unique_lock lock(FMutex);
            windowClosed = FProtocol.Expire(TClock::now());
            if (FSilent || !FLineUp || FProtocol.State() == ESimRunning) {
                ignored += byte;
            } else if ((reply = FProtocol.Input(byte, TClock::now()))) {
                if (reply->Kind == ESimReplyCommand)
                    FCommandLines.push_back(reply->Line);
                out = FFaults.Apply(*reply);
            }
            if (windowClosed || reply)
                Changed(lock);
        }
        if (windowClosed)
            Log("confirmation window closed");
        if (!reply)
            continue;
        logIgnored();
        Log(reply->Kind == ESimReplyConfigMode ? "configuration mode"
                                               : "<= " + Printable(reply->Line));
        if (reply->LeftConfigMode)
            Log("running");
        if (!out.Note.empty())
            Log("misbehaving: " + out.Note);
        Transmit(out.Bytes);
        if (out.After == ESimAfterReset)
            DoReset();
        else if (out.After == ESimAfterHangUp)
            DoHangUp();
    }
    logIgnored();
}

void TSimDevice::Housekeeping()
{
    const auto now = TClock::now();
    bool expired = false;
    bool inConfigMode = false;
    {
        std::unique_lock lock(FMutex);
        expired = FProtocol.Expire(now);
        inConfigMode = FProtocol.InConfigMode();
        if (expired)
            Changed(lock);
    }
    if (expired)
        Log("confirmation window closed");
    if (now >= FNextAutoReset) {
        FNextAutoReset = now + FOptions.AutoResetPeriod;
        if (!inConfigMode)
            DoReset();
    }
}

TSimDevice::TClock::time_point TSimDevice::NextDeadline() const
{
    std::unique_lock lock(FMutex);
    const auto window = FProtocol.ConfirmationDeadline();
    return window ? std::min(*window, FNextAutoReset) : FNextAutoReset;
}

void TSimDevice::DoReset()
{
    std::string banner;
    {
        std::unique_lock lock(FMutex);
        banner = FProtocol.Reset(TClock::now());
        Changed(lock);
    }
    Log("reset");
    Transmit(banner);
}

void TSimDevice::DoHangUp()
{
    // Down before the close, so a caller that has seen the hang-up on its side never finds the
    // line still up here.
    {
        std::unique_lock lock(FMutex);
        FLineUp = false;
        Changed(lock);
    }
    FLine.HangUp();
    Log("hang-up");
}

void TSimDevice::Transmit(const std::string& bytes)
{
    if (bytes.empty())
        return;
    Log("=> " + Printable(bytes));
    if (!FLine.Send(bytes) && !FLine.StopRequested())
        Log("line is down, nothing sent");
}

void TSimDevice::Log(const std::string& event) const
{
    if (FOptions.OnLog)
        FOptions.OnLog(event);
}

void TSimDevice::Changed(std::unique_lock<std::mutex>&)
{
    FChanged.notify_all();
}
