#include "cli/talvctlrunner.h"

#include "cli/consoleconfigmodeview.h"
#include "cli/talvctldocument.h"
#include "cli/talvctlinputerror.h"
#include "cli/talvctloptions.h"
#include "platform/exceptions.h"
#include "platform/fileversion.h"
#include "platform/inifile.h"
#include "platform/settingsfile.h"
#include "slutil/slportmap.h"

#include <filesystem>
#include <set>

namespace {

// One spelling for every name of a file ("plan.kov", "./plan.kov", a path through a link).
std::filesystem::path SameFile(const std::string& fileName)
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::weakly_canonical(fileName, error);
    return error ? std::filesystem::absolute(fileName, error).lexically_normal() : path;
}

}  // namespace

void TTalvctlRunner::SelectLanguage(const std::vector<std::string>& arguments)
{
    const std::string language = TTalvctlOptions::LanguageOf(arguments).value_or(FLanguage);
    try {
        FCatalogue.Load(language);
    } catch (const Exception& e) {
        // A catalogue that does not fit the program: the run goes on in German.
        FErr << "talvctl: " << e.what() << '\n';
    }
    SetTalvctlCatalogue(&FCatalogue);
}

int TTalvctlRunner::Run(const std::vector<std::string>& arguments)
{
    SelectLanguage(arguments);
    // The texts are German again after the run: the catalogue belongs to this runner.
    struct TLanguageReset {
        ~TLanguageReset()
        {
            SetTalvctlCatalogue(nullptr);
            SetResStringTranslation({});
        }
    } languageReset;

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
    if (options.Version) {
        FOut << "talvctl (TALV-Configurator) " << ProgramVersionLabel() << '\n' << std::flush;
        return ExitOk;
    }

    int exitCode = ExitFailure;
    try {
        exitCode = Execute(options);
    } catch (const ETalvctlInputError& e) {
        FErr << "talvctl: " << e.what() << '\n' << std::flush;
        exitCode = ExitUsage;
    } catch (const Exception& e) {
        FErr << "talvctl: " << e.what() << '\n' << std::flush;
        exitCode = ExitFailure;
    }
    FTerminal.Close();
    return exitCode;
}

int TTalvctlRunner::Execute(const TTalvctlOptions& options)
{
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
    // check and show alone never touch a port, so they work on a machine without one.
    if (options.NeedsDevice()) {
        CheckDeviceDocuments(options);
        OpenPort(options);
    }
    for (const TTalvctlCommand& command : options.Commands) {
        ThrowIfCancelled();
        if (const int exitCode = RunCommand(command); exitCode != ExitOk)
            return exitCode;
    }
    // A Ctrl-C during the last command still counts: the user asked talvctl to stop.
    ThrowIfCancelled();
    return ExitOk;
}

// COMn reaches the device the user's settings file names for it; talvctl only reads that file,
// which belongs to the desktop program's options. A path given to --port is taken as it is.
void TTalvctlRunner::OpenPort(const TTalvctlOptions& options)
{
    if (options.DevicePath.empty()) {
        const TIniFile settings(SettingsFileName());
        TslPortMap ports;
        ports.Load(settings);
        FTerminal.Parameters().SetCOMPort(options.COMPort);
        FTerminal.SetDevicePath(ports.Path(options.COMPort));
    } else {
        FTerminal.SetDevicePath(options.DevicePath);
    }
    FTerminal.SetComTimeOut(options.TimeOutMs);
    FTerminal.SetFastTransfer(options.Fast);
    FTerminal.Open();
}

// The files the device commands read are opened once before the port, so that a file that
// cannot be opened, lacks the device, holds numbers that cannot be sent or cannot be saved is
// reported before anything reaches the device (after a configuration-mode request, say). A file an earlier "receive --into" of the same call
// writes is left to the command itself: it may not exist yet.
void TTalvctlRunner::CheckDeviceDocuments(const TTalvctlOptions& options) const
{
    std::set<std::filesystem::path> written;
    for (const TTalvctlCommand& command : options.Commands) {
        if (command.Kind != ETalvctlReceiveInto && command.Kind != ETalvctlSendDocument)
            continue;
        const std::filesystem::path path = SameFile(command.FileName);
        const bool send = command.Kind == ETalvctlSendDocument;
        if (written.count(path) == 0) {
            const TTalvctlDocument document(command.FileName,
                                            send ? TTalvctlDocument::ERefuseMissing : TTalvctlDocument::EAcceptMissing);
            if (send)
                document.RequireSendable(command.Device);
            else
                document.RequireSavable();
        }
        if (!send)
            written.insert(path);
    }
}

int TTalvctlRunner::RunCommand(const TTalvctlCommand& command)
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
        // No reply: done once the line is written (a line that cannot be written raises).
        // Closing a tty waits for its output to drain, so it reaches the device after talvctl
        // has ended too.
        FTerminal.SendGo();
        break;
    case ETalvctlCheck:
        return Check(command);
    case ETalvctlShow:
        Show(command);
        break;
    case ETalvctlReceiveInto:
        ReceiveInto(command);
        break;
    case ETalvctlSendDocument:
        SendDocument(command);
        break;
    }
    return ExitOk;
}

void TTalvctlRunner::RequestConfigMode()
{
    TConsoleConfigModeView view(FErr);
    {
        std::lock_guard lock(FMutex);
        if (FCancelled)
            throw Exception(TalvctlText(RequestCancelledMessage.c_str()));
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
        throw Exception(TalvctlText(RequestCancelledMessage.c_str()));
    }
}

void TTalvctlRunner::Receive()
{
    FTerminal.ReceiveConfiguration();
    for (const std::string& line : TTalvctlParameters::FromParameters(FTerminal.Parameters()).Assignments())
        FOut << line << '\n';
    FOut << std::flush;
}

void TTalvctlRunner::Send(const TTalvctlCommand& command)
{
    command.Parameters.ApplyTo(FTerminal.Parameters());
    SendTerminalParameters();
}

// The sequence of the desktop program's "Sende Parameter": factory settings first, so that
// nothing of the device's earlier set survives, then the six values, then store them.
void TTalvctlRunner::SendTerminalParameters()
{
    FTerminal.SendDefaultFactory();
    FTerminal.SendConfiguration();
    FTerminal.SendSave();
}

// A check that finds errors ends the run, so a "send" after it only happens for a clean plan.
int TTalvctlRunner::Check(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.PrintOpenWarnings(FErr);
    return document.PrintCheck(FOut) ? ExitFailure : ExitOk;
}

void TTalvctlRunner::Show(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.PrintOpenWarnings(FErr);
    document.PrintDevices(FOut);
}

// The file is opened before the exchange, so a file that turned bad (or write-protected) since
// the run began is refused before the device is asked; a failed exchange throws before anything
// is saved.
void TTalvctlRunner::ReceiveInto(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::EAcceptMissing);
    document.RequireSavable();
    document.PrintOpenWarnings(FErr);
    FTerminal.ReceiveConfiguration();
    document.StoreReceived(FTerminal.Parameters(), command.Device);
}

void TTalvctlRunner::SendDocument(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.RequireSendable(command.Device);
    document.PrintOpenWarnings(FErr);
    FTerminal.SetParameters(document.Document().Parameters(command.Device - 1));
    SendTerminalParameters();
}

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
        throw Exception(TalvctlText(CancelledMessage.c_str()));
}
