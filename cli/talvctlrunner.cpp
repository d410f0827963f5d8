#include "cli/talvctlrunner.h"

#include "cli/consoleconfigmodeview.h"
#include "cli/talvctloptions.h"
#include "platform/exceptions.h"

int TTalvctlRunner::Run(const std::vector<std::string>& arguments)
{
    TTalvctlOptions options;
    try {
        options = TTalvctlOptions::Parse(arguments);
    } catch (const Exception& e) {
        FErr << "talvctl: " << e.what() << "\n\n" << TTalvctlOptions::Usage() << std::flush;
        return ExitUsage;
    }
    if (options.Help) {
        FOut << TTalvctlOptions::Usage() << std::flush;
        return ExitOk;
    }

    try {
        Execute(options);
        FTerminal.Close();
        return ExitOk;
    } catch (const Exception& e) {
        FTerminal.Close();
        FErr << "talvctl: " << e.what() << '\n' << std::flush;
        return ExitFailure;
    }
}

void TTalvctlRunner::Execute(const TTalvctlOptions& options)
{
    if (options.DevicePath.empty())
        FTerminal.SetCOMPort(options.COMPort);
    else
        FTerminal.SetDevicePath(options.DevicePath);
    FTerminal.SetComTimeOut(options.TimeOutMs);
    // Both events fire on this thread: exchanges run here, the request thread logs nothing.
    if (options.Log) {
        FTerminal.OnLogSend = [this](TKovTerminal& terminal) {
            FErr << "TALV <= " << terminal.SentString() << '\n' << std::flush;
        };
        FTerminal.OnLogReceived = [this](TKovTerminal& terminal) {
            FErr << "TALV => " << terminal.ReceivedString() << '\n' << std::flush;
        };
    }

    ThrowIfCancelled();
    FTerminal.Open();
    for (const TTalvctlCommand& command : options.Commands) {
        ThrowIfCancelled();
        RunCommand(command);
    }
    // A Ctrl-C during the last command still counts: the user asked talvctl to stop.
    ThrowIfCancelled();
}

void TTalvctlRunner::RunCommand(const TTalvctlCommand& command)
{
    switch (command.Kind) {
    case ETalvctlRequestConfigMode:
        RequestConfigMode();
        break;
    case ETalvctlReceive:
        Receive();
        break;
    case ETalvctlSend:
        Send(command);
        break;
    case ETalvctlGo:
        FTerminal.SendGo();
        break;
    }
}

void TTalvctlRunner::RequestConfigMode()
{
    TConsoleConfigModeView view(FErr);
    {
        std::lock_guard lock(FMutex);
        if (FCancelled)
            throw Exception(RequestCancelledMessage);
        FActiveView = &view;
    }
    // The request thread calls into view; it is stopped and joined before view goes, whatever
    // way this function is left, and Cancel no longer reaches view after that.
    struct TRequestGuard {
        TTalvctlRunner& Runner;
        ~TRequestGuard()
        {
            Runner.FTerminal.StopRequestConfigMode();
            std::lock_guard lock(Runner.FMutex);
            Runner.FActiveView = nullptr;
        }
    } guard{*this};

    FTerminal.RequestConfigMode(&view);
    const auto outcome = view.WaitForEnd();
    FTerminal.StopRequestConfigMode();
    switch (outcome) {
    case TConsoleConfigModeView::ESucceeded:
        return;
    case TConsoleConfigModeView::EFailed:
        throw Exception(view.FailureReason());
    default:
        throw Exception(RequestCancelledMessage);
    }
}

void TTalvctlRunner::Receive()
{
    FTerminal.ReceiveConfiguration();
    for (const std::string& line : TTalvctlParameters::FromTerminal(FTerminal).Assignments())
        FOut << line << '\n';
    FOut << std::flush;
}

// The sequence of the desktop program's "Sende Parameter": factory settings first, so that
// nothing of the device's earlier set survives, then the six values, then store them.
void TTalvctlRunner::Send(const TTalvctlCommand& command)
{
    command.Parameters.ApplyTo(FTerminal);
    FTerminal.SendDefaultFactory();
    FTerminal.SendConfiguration();
    FTerminal.SendSave();
}

// "go" has no reply: the command is done once its line is written. The port's Write hands over
// every byte, and closing a tty waits for its output to drain, so the line reaches the device
// after talvctl has ended too. Without a reply a dead line would go unnoticed, and the terminal
// does not look at the result of its write: the port's last error tells. Every earlier port
// failure has ended the run, so an error that appears now is this write's.

void TTalvctlRunner::Cancel()
{
    std::lock_guard lock(FMutex);
    FCancelled = true;
    if (FActiveView)
        FActiveView->Cancel();
}

bool TTalvctlRunner::Cancelled() const
{
    std::lock_guard lock(FMutex);
    return FCancelled;
}

void TTalvctlRunner::ThrowIfCancelled() const
{
    if (Cancelled())
        throw Exception(CancelledMessage);
}
