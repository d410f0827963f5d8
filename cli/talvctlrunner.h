#pragma once
// talvctl's work: parses the command line, opens the device's port once when a command needs
// the device, and runs the commands in order on a terminal and on configuration documents,
// writing results to one stream and messages to another. The commands with "--all" run every
// device of their file at once instead, each on its own port (TTalvctlAllDevices). It is the
// place where the core's exceptions become messages and exit codes.
//
// Exit codes: 0 success; 1 a device, protocol, port or save failure (for "--all": of any one
// device), a cancel, or a check that found errors; 2 a usage error, a file that cannot be
// opened, a device number the file lacks, two devices of an "--all" file on one port, or a
// check that stopped on its range error. The first command that does not succeed ends the run.
//
// "diff" has codes of its own, since a script asks it a yes-or-no question: 0 the device holds
// its plan's values, 1 it differs (for "--all": any device), 2 as above, 3 a device, protocol or
// port failure (of any one device), or a cancel during the diff. A diff that differs ends the
// run as a check with errors does: the device stays in configuration mode for a "send". The
// port of a call counts as the diff's when the diff is the first command that needs it.

#include "cli/talvctltext.h"
#include "documents/kovdocument.h"
#include "platform/languagesetting.h"
#include "platform/textcatalogue.h"
#include "slutil/slportmap.h"
#include "terminal/kovterminal.h"

#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class TConsoleConfigModeView;
class TTalvctlAllDevices;
class TTalvctlOptions;
struct TTalvctlCommand;

class TTalvctlRunner {
public:
    static constexpr int ExitOk = 0;
    static constexpr int ExitFailure = 1;
    static constexpr int ExitUsage = 2;
    static constexpr int ExitDiffers = 1;
    static constexpr int ExitDiffFailure = 3;

    // The German texts; a run shows them in its language.
    static inline const std::string RequestCancelledMessage =
        QT_TRANSLATE_NOOP("talvctl", "Anforderung des Konfigurationsmodus abgebrochen.");
    static inline const std::string CancelledMessage = QT_TRANSLATE_NOOP("talvctl", "Vorgang abgebrochen.");

    // language ("DE" or "EN") is what the run speaks unless "--lang" asks for another.
    TTalvctlRunner(std::ostream& out, std::ostream& err, std::string language = LanguageGerman)
        : FOut(out), FErr(err), FLanguage(std::move(language)) {}

    // Writes the file of "report": the plan, the output file (.pdf, or .svg for the network
    // picture alone) and the run's language ("DE" or "EN"); raises Exception naming a file it
    // cannot write. The report needs Qt's painting, which talvctl_core does not link, so the
    // program hands it in (WriteTalvctlReport); a runner without one refuses the command.
    using TReportWriter =
        std::function<void(const TKovDocument& document, const std::string& output, const std::string& language)>;
    void SetReportWriter(TReportWriter writer) { FReportWriter = std::move(writer); }

    // arguments without the program name. Call once.
    int Run(const std::vector<std::string>& arguments);

    // From any thread, at any time (Ctrl-C). A configuration-mode request in progress stops at
    // once. Any other exchange is bounded by the reply time and is let finish, as is a "send"
    // under way: cut short after "defa 1", it would leave the device on factory settings. No
    // further command starts, and the run ends with exit code 1 (3 during a diff).
    void Cancel();
    bool Cancelled() const;

private:
    int Execute(const TTalvctlOptions& options);
    void OpenPort(const TTalvctlOptions& options);
    void CheckDeviceDocuments(const TTalvctlOptions& options) const;
    int RunCommand(const TTalvctlCommand& command, const TTalvctlOptions& options);
    void RequestConfigMode();
    void Receive();
    void Send(const TTalvctlCommand& command);
    int Check(const TTalvctlCommand& command);
    void Show(const TTalvctlCommand& command);
    void Report(const TTalvctlCommand& command);
    void ReceiveInto(const TTalvctlCommand& command);
    void SendDocument(const TTalvctlCommand& command);
    void ReceiveIntoAll(const TTalvctlCommand& command, const TTalvctlOptions& options);
    void SendDocumentAll(const TTalvctlCommand& command, const TTalvctlOptions& options);
    int Diff(const TTalvctlCommand& command);
    int DiffAll(const TTalvctlCommand& command, const TTalvctlOptions& options);
    void RunOnAllDevices(TTalvctlAllDevices& devices, const TTalvctlOptions& options,
                         const std::function<void(TKovTerminal&)>& exchange);
    // Each device's outcome, then the summary; raises the summary when a device failed.
    void ReportAllDevices(const TTalvctlAllDevices& devices, const std::string& done);

    // One line on the message stream, whole, from any thread.
    void Message(const std::string& line);

    void ThrowIfCancelled() const;
    // Loads the catalogue of the run's language and makes it the one talvctl's texts come from.
    void SelectLanguage(const std::vector<std::string>& arguments);

    std::ostream& FOut;
    std::ostream& FErr;
    TKovTerminal FTerminal;
    // Where COM1..COM4 lead, from the settings file, read once before the first device command.
    TslPortMap FPorts;
    std::string FLanguage;
    TTextCatalogue FCatalogue;
    TReportWriter FReportWriter;

    // Shared with the thread that calls Cancel: the flag and the view of a request running,
    // whose life the runner brackets under the mutex.
    mutable std::mutex FMutex;
    bool FCancelled = false;
    TConsoleConfigModeView* FActiveView = nullptr;
    // The log lines of devices that run at once.
    std::mutex FErrMutex;
};
