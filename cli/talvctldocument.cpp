#include "cli/talvctldocument.h"

#include "cli/talvctlcheckjson.h"
#include "cli/talvctlinputerror.h"
#include "cli/talvctlparameters.h"
#include "cli/talvctltext.h"
#include "documents/plancompare.h"
#include "platform/utf8path.h"
#include "platform/wholefile.h"
#include "terminal/kovparameters.h"

#include <algorithm>
#include <filesystem>

TTalvctlDocument::TTalvctlDocument(const std::string& fileName, tMissingFile missing) : FFileName(fileName)
{
    std::error_code error;
    const auto status = std::filesystem::status(PathFromUtf8(fileName), error);
    if (status.type() == std::filesystem::file_type::not_found) {
        if (missing == ERefuseMissing)
            throw ETalvctlInputError(TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Datei \"%s\" nicht gefunden."),
                                                    {fileName}));
    } else if (status.type() == std::filesystem::file_type::none || std::filesystem::is_directory(status) ||
               !ReadWholeFile(fileName)) {
        // The profile file takes a file it cannot read for an empty one. For receive --into the
        // save would then replace the user's plan by one that holds a single device.
        throw ETalvctlInputError(TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Datei \"%s\" kann nicht gelesen werden."),
                                                {fileName}));
    }
    try {
        FDocument.Open(fileName);
    } catch (const Exception& e) {
        throw ETalvctlInputError(e.what());
    }
}

const char* TTalvctlDocument::KindName(tMsgKind kind)
{
    switch (kind) {
    case mkInfo:
        return "info";
    case mkWarning:
        return "warning";
    case mkError:
        return "error";
    case mkHeading:
        return "heading";
    }
    return "?";
}

void TTalvctlDocument::PrintOpenWarnings(std::ostream& err) const
{
    for (const TMessage& message : FLog.Messages())
        if (message.Kind == mkWarning)
            err << KindName(message.Kind) << ": " << message.Text << '\n';
    err << std::flush;
}

void TTalvctlDocument::RequireShown(int device, const std::string& context) const
{
    const int count = FDocument.DeviceCount();
    if (device > count)
        throw ETalvctlInputError(
            context + (count == 1 ? TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Datei \"%s\" enthält nur %d Gerät"),
                                                   {FFileName, count})
                                  : TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Datei \"%s\" enthält nur %d Geräte"),
                                                   {FFileName, count})));
}

void TTalvctlDocument::RequireSendable(int device) const
{
    const std::string context = "send: --device " + std::to_string(device) + ": ";
    RequireShown(device, context);
    RequireSendableNumbers(device - 1, context);
}

void TTalvctlDocument::RequireAllSendable() const
{
    for (int i = 0; i < FDocument.DeviceCount(); ++i)
        RequireSendableNumbers(i, "send: " + FDocument.Parameters(i).GetKovName() + ": ");
}

void TTalvctlDocument::RequireSendableNumbers(int index, const std::string& context) const
{
    try {
        TTalvctlParameters::FromParameters(FDocument.Parameters(index)).CheckNumbers(context);
    } catch (const Exception& e) {
        throw ETalvctlInputError(e.what());
    }
}

void TTalvctlDocument::RequireSavable() const
{
    try {
        TKovDocument::CheckSavable(FFileName);
    } catch (const Exception& e) {
        throw ETalvctlInputError(e.what());
    }
}

bool TTalvctlDocument::PrintCheck(std::ostream& out, tCheckFormat format)
{
    try {
        FDocument.Check();
    } catch (const ERangeError& e) {
        // The check stops at a protocol it cannot judge; what it found until then is still
        // worth reading.
        PrintLog(out, format);
        throw ETalvctlInputError(e.what());
    }
    PrintLog(out, format);
    return FLog.ErrorCount() > 0;
}

void TTalvctlDocument::PrintLog(std::ostream& out, tCheckFormat format) const
{
    const std::vector<TMessage>& messages = FLog.Messages();
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (format == ECheckJson)
            out << TalvctlCheckJson(KindName(messages[i].Kind), messages[i].Text, FLog.Place(i)) << '\n';
        else
            out << KindName(messages[i].Kind) << ": " << messages[i].Text << '\n';
    }
    out << std::flush;
}

void TTalvctlDocument::PrintDevices(std::ostream& out) const
{
    for (int i = 0; i < FDocument.DeviceCount(); ++i) {
        const TKovParameters& parameters = FDocument.Parameters(i);
        out << '[' << TKovDocument::SectionName(i) << "]\n"
            << "KOVName=" << parameters.GetKovName() << '\n'
            << "MsnIncoming1=" << parameters.GetMsnIncoming(0) << '\n'
            << "MsnIncoming2=" << parameters.GetMsnIncoming(1) << '\n'
            << "AutomaticCallMode=" << parameters.GetAutomaticCallMode() << '\n'
            << "AutomaticCallNumber1=" << parameters.GetAutomaticCallNumber(0) << '\n'
            << "AutomaticCallNumber2=" << parameters.GetAutomaticCallNumber(1) << '\n'
            << "IsdnDChannelProtocol=" << parameters.GetIsdnDChannelProtocol() << '\n'
            // The file counts ports from 1.
            << "COMPort=" << parameters.GetCOMPort() + 1 << '\n';
        for (const std::string& line : FDocument.Panel(i).Memo())
            out << "Memo: " << line << '\n';
    }
    out << std::flush;
}

bool TTalvctlDocument::PrintDifferences(std::ostream& out, int device, const TKovParameters& fromDevice,
                                        const std::string& prefix) const
{
    bool differs = false;
    for (const TValueComparison& row : ComparePlanWithDevice(FDocument.Parameters(device - 1), fromDevice)) {
        if (!row.Differs())
            continue;
        out << prefix << DeviceValueKey(row.Value) << ": plan=" << row.Plan << " device=" << row.Device << '\n';
        differs = true;
    }
    out << std::flush;
    return differs;
}

// As the desktop program takes a received set: the parameters get the values, the panel is
// refreshed from them (a leased line there replaces the numbers by "-"), and the save writes the
// panel's view. A device the device count newly shows keeps its cleared state and default name.
void TTalvctlDocument::TakeReceived(const TKovParameters& source, int device)
{
    const int index = device - 1;
    FDocument.DeviceCountChange(std::max(FDocument.DeviceCount(), device));
    TKovParameters& parameters = FDocument.Parameters(index);
    const TKovParameters before = parameters;
    parameters.AssignDeviceValues(source);
    try {
        FDocument.Panel(index).UpdateView();
    } catch (const Exception&) {
        // The values it had were shown when the file was opened.
        parameters = before;
        FDocument.Panel(index).UpdateView();
        throw;
    }
}

void TTalvctlDocument::Save()
{
    FDocument.SaveAs(FFileName);
}
