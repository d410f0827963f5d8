#pragma once
// talvctl's command line: the options that set up the port and the commands to run in order.
// Parsing checks everything that can be checked without the device and without the files, so a
// usage error never leaves a half-done job on the device.

#include "cli/talvctldocument.h"
#include "cli/talvctlparameters.h"
#include "documents/kovdocument.h"
#include "slutil/slcomport.h"

#include <optional>
#include <string>
#include <vector>

enum tTalvctlCommand : int {
    ETalvctlRequestConfigMode = 0,
    ETalvctlReceive = 1,
    ETalvctlSend = 2,
    ETalvctlGo = 3,
    ETalvctlCheck = 4,
    ETalvctlShow = 5,
    ETalvctlReceiveInto = 6,    // "receive --into FILE --device N" or "--all"
    ETalvctlSendDocument = 7,   // "send FILE --device N" or "--all"
    ETalvctlDiff = 8,           // "diff FILE --device N" or "--all"
    ETalvctlReport = 9,         // "report FILE -o OUT.pdf|OUT.svg"
};

// What "report" writes, by the output file's extension (in either case).
enum tReportFormat : int { EReportPdf = 0, EReportSvg = 1 };
std::optional<tReportFormat> ReportFormatOf(const std::string& fileName);

struct TTalvctlCommand {
    static constexpr int MinDevice = 1;
    static constexpr int MaxDevice = TKovDocument::MaxDevices;

    tTalvctlCommand Kind = ETalvctlReceive;
    TTalvctlParameters Parameters;  // "send KEY=VALUE..." only
    std::string FileName;           // the document commands only
    std::string OutputFile;         // "report" only: a .pdf or .svg file
    int Device = 0;                 // 1..6 for receive --into, send FILE and diff, else 0
    tCheckFormat Format = ECheckText;  // "check --format" only
    // "--all": every shown device of the file at once, each on the port its COMPort leads to.
    bool AllDevices = false;

    // Whether the command talks to a device.
    bool NeedsDevice() const;
    // Whether it talks to the one device at the call's port, so that this port has to be opened.
    bool NeedsPort() const { return NeedsDevice() && !AllDevices; }
};

class TTalvctlOptions {
public:
    static constexpr int DefaultTimeOutMs = 500;

    // Either a COM port or an explicit device path (then DevicePath is not empty).
    tCOMPorts COMPort = COM1;
    std::string DevicePath;
    // Whether "--port" was given: the commands with "--all" refuse it.
    bool PortGiven = false;
    int TimeOutMs = DefaultTimeOutMs;
    // Reads that end at the reply's prompt ("--fast"); see TKovTerminal::SetFastTransfer.
    bool Fast = false;
    bool Log = false;
    bool Help = false;
    bool Version = false;
    // "DE" or "EN" from "--lang"; empty when not given.
    std::string Language;
    std::vector<TTalvctlCommand> Commands;

    // arguments without the program name. Raises Exception with the message to show for a
    // usage error. "--help" ends the parsing at once; otherwise at least one command is needed.
    static TTalvctlOptions Parse(const std::vector<std::string>& arguments);

    bool NeedsDevice() const;
    bool NeedsPort() const;

    // The language asked for by a valid "--lang" among the options, looked for before the
    // command line is parsed, so that its errors are already in that language.
    static std::optional<std::string> LanguageOf(const std::vector<std::string>& arguments);

    static std::string Usage();
};
