#include "cli/talvctlrunner.h"

#include "cli/consoleconfigmodeview.h"
#include "cli/talvctlalldevices.h"
#include "cli/talvctldocument.h"
#include "cli/talvctlinputerror.h"
#include "cli/talvctloptions.h"
#include "platform/exceptions.h"
#include "platform/fileversion.h"
#include "platform/inifile.h"
#include "platform/settingsfile.h"
#include "platform/utf8path.h"
#include "slutil/slportmap.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

// One spelling for every name of a file ("plan.kov", "./plan.kov", a path through a link).
std::filesystem::path SameFile(const std::string& fileName)
{
    std::error_code error;
    const std::filesystem::path name = PathFromUtf8(fileName);
    const std::filesystem::path path = std::filesystem::weakly_canonical(name, error);
    return error ? std::filesystem::absolute(name, error).lexically_normal() : path;
}

// A failure of diff at the device: it has an exit code of its own (3), as diff's 1 means that the
// device differs from its plan.
class ETalvctlDiffFailure : public Exception {
public:
    using Exception::Exception;
};

template <typename TStep>
void AsDiffFailure(const TStep& step)
{
    try {
        step();
    } catch (const Exception& e) {
        throw ETalvctlDiffFailure(e.what());
    }
}

std::string DiffContext(int device)
{
    return "diff: --device " + std::to_string(device) + ": ";
}

// The sequence of the desktop program's "Sende Parameter": factory settings first, so that
// nothing of the device's earlier set survives, then the six values, then store them.
void SendParameters(TKovTerminal& terminal)
{
    terminal.SendDefaultFactory();
    terminal.SendConfiguration();
    terminal.SendSave();
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
    } catch (const ETalvctlDiffFailure& e) {
        FErr << "talvctl: " << e.what() << '\n' << std::flush;
        exitCode = ExitDiffFailure;
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
        FTerminal.OnLogSend = [this](TKovTerminal& terminal) { Message("TALV <= " + terminal.SentString()); };
        FTerminal.OnLogReceived = [this](TKovTerminal& terminal) { Message("TALV => " + terminal.ReceivedString()); };
    }

    ThrowIfCancelled();
    // check and show alone never touch a port, so they work on a machine without one.
    if (options.NeedsDevice()) {
        // COMn reaches the device the user's settings file names for it; talvctl only reads that
        // file, which belongs to the desktop program's options.
        FPorts.Load(TIniFile(SettingsFileName()));
        CheckDeviceDocuments(options);
        if (options.NeedsPort()) {
            // A port that cannot be opened fails the first command that needs it, with its code.
            const auto first = std::find_if(options.Commands.begin(), options.Commands.end(),
                                            [](const TTalvctlCommand& c) { return c.NeedsPort(); });
            if (first->Kind == ETalvctlDiff)
                AsDiffFailure([&] { OpenPort(options); });
            else
                OpenPort(options);
        }
    }
    for (const TTalvctlCommand& command : options.Commands) {
        ThrowIfCancelled();
        if (const int exitCode = RunCommand(command, options); exitCode != ExitOk)
            return exitCode;
    }
    // A Ctrl-C during the last command still counts: the user asked talvctl to stop.
    ThrowIfCancelled();
    return ExitOk;
}

// A path given to --port is taken as it is.
void TTalvctlRunner::OpenPort(const TTalvctlOptions& options)
{
    if (options.DevicePath.empty()) {
        FTerminal.Parameters().SetCOMPort(options.COMPort);
        FTerminal.SetDevicePath(FPorts.Path(options.COMPort));
    } else {
        FTerminal.SetDevicePath(options.DevicePath);
    }
    FTerminal.SetComTimeOut(options.TimeOutMs);
    FTerminal.SetFastTransfer(options.Fast);
    FTerminal.Open();
}

// The files the device commands read are opened once before the port, so that a file that
// cannot be opened, lacks the device, holds numbers that cannot be sent, cannot be saved or puts
// two devices on one port is reported before anything reaches a device (after a
// configuration-mode request, say). A file an earlier "receive --into" of the same call writes
// is left to the command itself: it may not exist yet.
void TTalvctlRunner::CheckDeviceDocuments(const TTalvctlOptions& options) const
{
    std::set<std::filesystem::path> written;
    for (const TTalvctlCommand& command : options.Commands) {
        const bool receive = command.Kind == ETalvctlReceiveInto;
        const bool send = command.Kind == ETalvctlSendDocument;
        const bool diff = command.Kind == ETalvctlDiff;
        if (!receive && !send && !diff)
            continue;
        const std::filesystem::path path = SameFile(command.FileName);
        if (written.count(path) == 0) {
            // "--all" runs the devices the file holds: a missing file holds none.
            const bool refuseMissing = !receive || command.AllDevices;
            const TTalvctlDocument document(command.FileName, refuseMissing ? TTalvctlDocument::ERefuseMissing
                                                                            : TTalvctlDocument::EAcceptMissing);
            if (command.AllDevices)
                TTalvctlAllDevices::RequireOwnPorts(document.Document(), FPorts,
                                                    send ? "send: " : receive ? "receive: " : "diff: ");
            if (send && command.AllDevices)
                document.RequireAllSendable();
            else if (send)
                document.RequireSendable(command.Device);
            else if (receive)
                document.RequireSavable();
            else if (!command.AllDevices)
                document.RequireShown(command.Device, DiffContext(command.Device));
        }
        if (receive)
            written.insert(path);
    }
}

int TTalvctlRunner::RunCommand(const TTalvctlCommand& command, const TTalvctlOptions& options)
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
    case ETalvctlReport:
        Report(command);
        break;
    case ETalvctlReceiveInto:
        if (command.AllDevices)
            ReceiveIntoAll(command, options);
        else
            ReceiveInto(command);
        break;
    case ETalvctlSendDocument:
        if (command.AllDevices)
            SendDocumentAll(command, options);
        else
            SendDocument(command);
        break;
    case ETalvctlDiff:
        return command.AllDevices ? DiffAll(command, options) : Diff(command);
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
    SendParameters(FTerminal);
}

// A check that finds errors ends the run, so a "send" after it only happens for a clean plan.
int TTalvctlRunner::Check(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.PrintOpenWarnings(FErr);
    return document.PrintCheck(FOut, command.Format) ? ExitFailure : ExitOk;
}

void TTalvctlRunner::Show(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.PrintOpenWarnings(FErr);
    document.PrintDevices(FOut);
}

void TTalvctlRunner::Report(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.PrintOpenWarnings(FErr);
    if (!FReportWriter)
        throw Exception(TalvctlText(QT_TRANSLATE_NOOP("talvctl", "dieses talvctl kann keine Berichte schreiben")));
    FReportWriter(document.Document(), command.OutputFile, FCatalogue.Language());
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
    document.TakeReceived(FTerminal.Parameters(), command.Device);
    document.Save();
}

void TTalvctlRunner::SendDocument(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.RequireSendable(command.Device);
    document.PrintOpenWarnings(FErr);
    FTerminal.SetParameters(document.Document().Parameters(command.Device - 1));
    SendParameters(FTerminal);
}

// As ReceiveInto, for every device at once. The file is saved once, after all have ended, with
// the values of the devices that answered; a device that failed, or whose values the panel
// cannot show, keeps its section as it was, and when none is left the file is not written.
void TTalvctlRunner::ReceiveIntoAll(const TTalvctlCommand& command, const TTalvctlOptions& options)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.RequireSavable();
    document.PrintOpenWarnings(FErr);
    TTalvctlAllDevices devices(document.Document(), FPorts, "receive: ");
    RunOnAllDevices(devices, options, [](TKovTerminal& engine) { engine.ReceiveConfiguration(); });
    bool received = false;
    for (int i = 0; i < devices.Count(); ++i) {
        if (!devices.Succeeded(i))
            continue;
        try {
            document.TakeReceived(devices.Engine(i).Parameters(), i + 1);
            received = true;
        } catch (const Exception& e) {
            devices.Fail(i, e.what());
        }
    }
    if (received)
        document.Save();
    ReportAllDevices(devices, TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Parameter empfangen")));
}

void TTalvctlRunner::SendDocumentAll(const TTalvctlCommand& command, const TTalvctlOptions& options)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.RequireAllSendable();
    document.PrintOpenWarnings(FErr);
    TTalvctlAllDevices devices(document.Document(), FPorts, "send: ");
    for (int i = 0; i < devices.Count(); ++i)
        devices.Engine(i).SetParameters(document.Document().Parameters(i));
    RunOnAllDevices(devices, options, SendParameters);
    ReportAllDevices(devices, TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Parameter gesendet")));
}

// The device's values go to the terminal's parameters only; the file is not written.
int TTalvctlRunner::Diff(const TTalvctlCommand& command)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.RequireShown(command.Device, DiffContext(command.Device));
    document.PrintOpenWarnings(FErr);
    AsDiffFailure([this] {
        FTerminal.ReceiveConfiguration();
        ThrowIfCancelled();
    });
    return document.PrintDifferences(FOut, command.Device, FTerminal.Parameters(), "") ? ExitDiffers : ExitOk;
}

// As Diff, for every device at once. The lines of each device start with its section's name
// rather than its own: a name is free text and may hold ": " itself.
int TTalvctlRunner::DiffAll(const TTalvctlCommand& command, const TTalvctlOptions& options)
{
    TTalvctlDocument document(command.FileName, TTalvctlDocument::ERefuseMissing);
    document.PrintOpenWarnings(FErr);
    TTalvctlAllDevices devices(document.Document(), FPorts, "diff: ");
    RunOnAllDevices(devices, options, [](TKovTerminal& engine) { engine.ReceiveConfiguration(); });
    bool differs = false;
    for (int i = 0; i < devices.Count(); ++i)
        if (devices.Succeeded(i) && document.PrintDifferences(FOut, i + 1, devices.Engine(i).Parameters(),
                                                               TKovDocument::SectionName(i) + ": "))
            differs = true;
    AsDiffFailure([&] {
        ReportAllDevices(devices, TalvctlText(QT_TRANSLATE_NOOP("talvctl", "Parameter verglichen")));
        ThrowIfCancelled();
    });
    return differs ? ExitDiffers : ExitOk;
}

void TTalvctlRunner::RunOnAllDevices(TTalvctlAllDevices& devices, const TTalvctlOptions& options,
                                     const std::function<void(TKovTerminal&)>& exchange)
{
    TTalvctlAllDevices::TLogLine log;
    if (options.Log)
        log = [this](const std::string& line) { Message(line); };
    devices.Run(options.TimeOutMs, options.Fast, log, exchange);
}

void TTalvctlRunner::ReportAllDevices(const TTalvctlAllDevices& devices, const std::string& done)
{
    for (const std::string& report : devices.Reports(done))
        Message(report);
    if (!devices.AllSucceeded())
        throw Exception(devices.Summary(done));
    Message(devices.Summary(done));
}

void TTalvctlRunner::Message(const std::string& line)
{
    std::lock_guard lock(FErrMutex);
    FErr << line << '\n' << std::flush;
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
