#pragma once
// A configuration document as talvctl uses it: opened from a file exactly as the desktop
// program opens one, with a message log of its own, and the document commands' share of the
// work (printing the check's log and the devices, taking over received parameters, saving).
// The device exchanges stay with the runner.
//
// File and plan errors raise ETalvctlInputError; a failed save raises the save's Exception.

#include "documents/kovdocument.h"
#include "documents/messagelist.h"

#include <ostream>
#include <string>

class TKovParameters;

// How "check" prints its lines: "<kind>: <text>", or one JSON object per line (TalvctlCheckJson).
enum tCheckFormat : int { ECheckText = 0, ECheckJson = 1 };

class TTalvctlDocument {
public:
    enum tMissingFile : int {
        // check, show and send: a mistyped name must not pass for a plan of one cleared device.
        ERefuseMissing = 0,
        // receive --into: a missing file starts a new plan, as an empty file does.
        EAcceptMissing = 1,
    };

    TTalvctlDocument(const std::string& fileName, tMissingFile missing);
    TTalvctlDocument(const TTalvctlDocument&) = delete;
    TTalvctlDocument& operator=(const TTalvctlDocument&) = delete;

    TKovDocument& Document() { return FDocument; }
    const TKovDocument& Document() const { return FDocument; }
    const TMessageList& Log() const { return FLog; }

    // The warnings the open wrote (a COMPort outside 1..4), one "warning: <text>" line each.
    void PrintOpenWarnings(std::ostream& err) const;

    // Raises ETalvctlInputError "<context>Datei ... enthält nur n Geräte" when the document does
    // not show device (1..6).
    void RequireShown(int device, const std::string& context) const;
    // Raises ETalvctlInputError naming device (1..6) when "send" cannot take it from the
    // document: the document does not show it, or one of its numbers fails the check that
    // "send KEY=VALUE" makes.
    void RequireSendable(int device) const;
    // RequireSendable's check of the numbers for every shown device, naming it by its name.
    void RequireAllSendable() const;

    // Raises ETalvctlInputError with the save's message when the save would refuse the file
    // (write-protected), before the device is asked for values that could not be kept.
    void RequireSavable() const;

    // Runs the check over the shown devices and prints every line it leaves in the log in
    // format. Returns whether an error line was among them. The check's range error ends it
    // early: the lines so far are printed, then ETalvctlInputError carries its message.
    bool PrintCheck(std::ostream& out, tCheckFormat format = ECheckText);

    // Every shown device: "[Device<n>]", its keys as the file holds them, "Memo: <line>" lines.
    void PrintDevices(std::ostream& out) const;

    // Compares device (1..6) with the six values a receive fetched into fromDevice and prints
    // "<prefix><KEY>: plan=<value> device=<value>" for each that differs, in the order of
    // receive, the values as the file holds them. Returns whether any differs.
    bool PrintDifferences(std::ostream& out, int device, const TKovParameters& fromDevice,
                          const std::string& prefix) const;

    // Takes the six values a receive fetched into source as device (1..6) and shows at least
    // that many devices.
    // Name, port and comment of the device stay. Values the panel cannot show (a protocol it
    // does not know) raise its ERangeError, and the device keeps the values it had.
    void TakeReceived(const TKovParameters& source, int device);
    // Saves the document to its file.
    void Save();

    static const char* KindName(tMsgKind kind);

private:
    void PrintLog(std::ostream& out, tCheckFormat format) const;
    // Raises ETalvctlInputError "<context><key>: ..." for the first number of device index that
    // "send" could not put on a command line.
    void RequireSendableNumbers(int index, const std::string& context) const;

    std::string FFileName;
    TMessageList FLog;
    TKovDocument FDocument{FLog};
};
