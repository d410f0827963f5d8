#pragma once
// A configuration document: up to six devices, each its parameters with its panel state, kept in
// one INI file with the sections "Device<n>" and "Device<n>.Memo". It holds no protocol engine:
// whoever talks to a device works on a copy of its parameters. The desktop program's main window
// and talvctl both work on this class, so they read and write files identically.

#include "documents/configcheck.h"
#include "documents/framedevstate.h"
#include "documents/msgkind.h"
#include "terminal/kovparameters.h"

#include <array>
#include <string>

class TKovDocument {
public:
    static constexpr int MaxDevices = 6;

    explicit TKovDocument(TMessageLog& log);
    TKovDocument(const TKovDocument&) = delete;
    TKovDocument& operator=(const TKovDocument&) = delete;

    // Index 0..5 for device 1..6.
    TKovParameters& Parameters(int index) { return FParameters[index]; }
    const TKovParameters& Parameters(int index) const { return FParameters[index]; }
    TFrameDevState& Panel(int index) { return FPanels[index]; }
    const TFrameDevState& Panel(int index) const { return FPanels[index]; }

    int DeviceCount() const { return FDeviceCount; }
    // Limited to 1..6. Hidden devices keep everything but take part in nothing.
    void SetDeviceCount(int count);
    // The user chose another count: as SetDeviceCount, and the document is not saved any more.
    void DeviceCountChange(int count);

    const std::string& FileName() const { return FFileName; }
    bool Saved() const { return FSaved; }
    void SetSaved(bool saved) { FSaved = saved; }
    // Not saved, or a shown device has unsaved changes.
    bool IsModified() const;
    // Every panel's flag to modified, the document's saved flag to its negation.
    void SetModified(bool modified);

    // All six devices cleared, named "<TALV 1>".."<TALV 6>".
    void ClearAll();
    // Every panel's view refreshed from its parameters.
    void UpdateViews();

    // Reads a file into the devices. A name without a directory is taken from the current
    // directory ("./name"). An open that fails changes nothing: devices, file name and flags
    // stay as they were, and the error passes on.
    void InternalOpen(const std::string& fileName);
    // Writes the shown devices and erases the sections of the hidden ones; every other line of
    // an existing file stays. A failed write leaves the file and the modified flags as they were.
    // A file that is write-protected, or that exists but cannot be read, is refused with
    // "nach <file> kann nicht geschrieben werden" and stays byte for byte.
    void InternalSave(const std::string& fileName);
    // Raises InternalSave's refusal for such a file before anything else is done.
    static void CheckSavable(const std::string& fileName);

    // What the file actions do besides their dialogs and questions.
    void Open(const std::string& fileName);  // InternalOpen, refresh, not modified
    void SaveAs(const std::string& fileName);  // InternalSave, then it is the document's file
    void Close();  // message 401, no file, cleared, one device, not modified

    // The shown devices with the directions their panels show.
    std::vector<TCheckDevice> ShownDevices() const;
    void Check() const { RunConfigurationCheck(ShownDevices(), FLog); }

    static std::string SectionName(int index) { return "Device" + std::to_string(index + 1); }

private:
    TMessageLog& FLog;
    std::array<TKovParameters, MaxDevices> FParameters;
    std::array<TFrameDevState, MaxDevices> FPanels;
    int FDeviceCount = 1;
    std::string FFileName;
    bool FSaved = true;
};
