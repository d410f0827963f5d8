#include "documents/kovdocument.h"

#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "platform/resstrings.h"
#include "platform/utf8path.h"

#include <algorithm>
#include <optional>

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

// A bare name means the current folder; the profile routines would look for it elsewhere.
std::string WithDirectory(const std::string& fileName)
{
    // Windows names folders with "\" and drives with "C:" as well.
    return PathFromUtf8(fileName).has_parent_path() ? fileName : "./" + fileName;
}

// An invisible copy of the six devices that a file is read into first.
struct TStaging {
    std::array<TKovParameters, TKovDocument::MaxDevices> Parameters;
    std::array<TFrameDevState, TKovDocument::MaxDevices> Panels;
    std::array<std::optional<int>, TKovDocument::MaxDevices> ForeignPorts;
};

}  // namespace

TKovDocument::TKovDocument(TMessageLog& log) : FLog(log)
{
    for (int i = 0; i < MaxDevices; ++i)
        FPanels[i].SetParameters(&FParameters[i]);
    ClearAll();
    SetModified(false);
}

void TKovDocument::SetDeviceCount(int count)
{
    FDeviceCount = std::clamp(count, 1, MaxDevices);
}

void TKovDocument::DeviceCountChange(int count)
{
    SetDeviceCount(count);
    FSaved = false;
}

bool TKovDocument::IsModified() const
{
    if (!FSaved)
        return true;
    for (int i = 0; i < FDeviceCount; ++i)
        if (FPanels[i].Modified())
            return true;
    return false;
}

void TKovDocument::SetModified(bool modified)
{
    for (auto& panel : FPanels)
        panel.SetModified(modified);
    FSaved = !modified;
}

void TKovDocument::ClearAll()
{
    for (int i = 0; i < MaxDevices; ++i) {
        FPanels[i].Clear();
        FParameters[i].SetKovName("<TALV " + std::to_string(i + 1) + ">");
    }
}

void TKovDocument::UpdateViews()
{
    for (auto& panel : FPanels)
        panel.UpdateView();
}

void TKovDocument::InternalOpen(const std::string& fileName)
{
    if (fileName.empty())
        throw Exception("TFrmMainWin::InternalOpen: Kein FileName übergeben.");
    const std::string name = WithDirectory(fileName);

    // Read into a copy first: a file that fails half-way must not leave a half-loaded document
    // that a later save would write over the user's file.
    TStaging staging;
    for (int i = 0; i < MaxDevices; ++i) {
        staging.Panels[i].SetParameters(&staging.Parameters[i]);
        staging.Panels[i].Clear();
        staging.Parameters[i].SetKovName("<TALV " + std::to_string(i + 1) + ">");
    }

    TIniFile ini(name);
    std::vector<std::string> sections = ini.ReadSections();
    std::stable_sort(sections.begin(), sections.end(), LessIgnoringCase);
    int count = 1;
    for (const auto& section : sections) {
        for (int i = 0; i < MaxDevices; ++i) {
            if (section == SectionName(i)) {
                staging.ForeignPorts[i] = staging.Panels[i].LoadConfiguration(ini, section);
                count = std::max(count, i + 1);
                break;
            }
        }
    }

    for (int i = 0; i < MaxDevices; ++i) {
        FParameters[i] = staging.Parameters[i];
        FPanels[i].AssignState(staging.Panels[i]);
    }
    SetDeviceCount(count);
    FFileName = name;
    FSaved = true;
    FLog.AddMessage(mkInfo, FmtLoadStr(400, {FFileName}));
    for (int i = 0; i < MaxDevices; ++i)
        if (staging.ForeignPorts[i])
            FLog.AddMessage(mkWarning, FmtLoadStr(403, {SectionName(i), *staging.ForeignPorts[i]}));
}

void TKovDocument::InternalSave(const std::string& fileName)
{
    if (fileName.empty())
        return;
    std::array<bool, MaxDevices> modified;
    for (int i = 0; i < MaxDevices; ++i)
        modified[i] = FPanels[i].Modified();
    try {
        TIniFile ini(fileName);
        for (int i = 0; i < MaxDevices; ++i) {
            if (i < FDeviceCount)
                FPanels[i].SaveConfiguration(ini, SectionName(i));
            else
                TFrameDevState::EraseConfiguration(ini, SectionName(i));
        }
        ini.UpdateFile();
    } catch (...) {
        // Nothing reached the file, so nothing counts as saved.
        for (int i = 0; i < MaxDevices; ++i)
            FPanels[i].SetModified(modified[i]);
        throw;
    }
    FLog.AddMessage(mkInfo, FmtLoadStr(402, {fileName}));
}

void TKovDocument::CheckSavable(const std::string& fileName)
{
    TIniFile(fileName).CheckWritable();
}

void TKovDocument::Open(const std::string& fileName)
{
    InternalOpen(fileName);
    UpdateViews();
    SetModified(false);
}

void TKovDocument::SaveAs(const std::string& fileName)
{
    InternalSave(fileName);
    FFileName = fileName;
    FSaved = true;
    UpdateViews();
    SetModified(false);
}

void TKovDocument::Close()
{
    FLog.AddMessage(mkInfo, FmtLoadStr(401, {FFileName}));
    FFileName.clear();
    ClearAll();
    SetDeviceCount(1);
    UpdateViews();
    SetModified(false);
}

std::vector<TCheckDevice> TKovDocument::ShownDevices() const
{
    std::vector<TCheckDevice> devices;
    for (int i = 0; i < FDeviceCount; ++i)
        devices.push_back({&FParameters[i], FPanels[i].Dial(0), FPanels[i].Dial(1)});
    return devices;
}
