#pragma once
// What a device panel shows and keeps, without any widget: the texts and states of its controls,
// the comment, the modified flag and the DSS1 values hidden while a leased line is chosen, with
// the rules that tie them to the device's parameters. The desktop panel mirrors this state into
// its widgets; documents and talvctl use it directly, so both make the same of a device.

#include "terminal/KovDef.h"

#include <optional>
#include <string>
#include <vector>

class TIniFile;
class TKovParameters;

class TFrameDevState {
public:
    // Protocol box items, by index, in the user's language; a leased line also shows its item
    // in the number fields of the links it uses.
    static constexpr int ProtocolItemCount = 4;
    static std::string ProtocolItem(int index);
    // The text a number field shows for a link the chosen leased line does not use.
    static std::string DisabledText();

    TFrameDevState();

    TKovParameters* Parameters() const { return FParameters; }
    // Binds parameters and refreshes the view when they differ from the bound ones.
    void SetParameters(TKovParameters* parameters);

    // ---- the controls -------------------------------------------------------
    const std::string& Name() const { return FName; }
    const std::string& Msn(int line) const { return FMsn[line]; }
    const std::string& Number(int line) const { return FNumber[line]; }
    // Whether the link's DIAL button is checked (otherwise its ACCEPT button is).
    bool Dial(int line) const { return FDial[line]; }
    bool NumbersEnabled() const { return FNumbersEnabled; }
    int ProtocolIndex() const { return FProtocolIndex; }
    // 0..3, or -1 for no selection (a port index outside COM1..COM4).
    int ComPortIndex() const { return FComPortIndex; }

    std::vector<std::string>& Memo() { return FMemo; }
    const std::vector<std::string>& Memo() const { return FMemo; }

    bool Modified() const { return FModified; }
    void SetModified(bool modified) { FModified = modified; }

    // ---- the panel's rules ----------------------------------------------------
    // Refreshes every control from the parameters. A mode or protocol the panel cannot show
    // raises ERangeError "TFrameDev::UpdateView: falscher AutomaticCallMode <n>" or
    // "... falsches IsdnDChannelProtocol <n>", after the earlier steps took effect.
    void UpdateView();
    // Applies the protocol box's choice to the parameters and the number controls.
    void UpdateViewByIsdnChannelProtocoll();
    // The user picked a protocol.
    void ProtocolChange(int index);
    // The DIAL (dial) or ACCEPT button of `line` becomes checked, by the user or by the panel's
    // own code; nothing happens when it already was.
    void DialClick(int line, bool dial);
    // Derives the automatic call mode from the two DIAL buttons.
    void UpdateAutomaticCallMode();
    // Resets controls, comment and parameters; not modified afterwards.
    void Clear();

    // ---- user edits -------------------------------------------------------------
    // Each does nothing without parameters bound (and returns as if accepted).
    //
    // The user changed the own number of `line` to `text`. Digits (leading zeros kept), a
    // single "-" and the empty text are stored; "<disabled>" stores "-". Anything else (a sign,
    // letters, blanks, more than a signed 64-bit value holds) is refused: false, the parameters
    // keep their number and the field takes the change back. Modified is set either way.
    bool MsnChange(int line, const std::string& text);
    // Whether an own number typed by the user is stored (see MsnChange).
    static bool IsAcceptedMsn(const std::string& text);
    // The user typed or picked the partner number of `line`; any text is stored. While a leased
    // line is chosen the parameters get "-" and nothing counts as modified.
    void NumberChange(int line, const std::string& text);
    // The partner-number list of `line` for the panel `self`: the MSNs of the shown panels'
    // parameters in order, LWL1 before LWL2, leaving out empty numbers and self's own number on
    // `line` (so the other line of the same device is offered). Duplicates stay, "-" is listed.
    static std::vector<std::string> PartnerNumbers(const std::vector<const TFrameDevState*>& shown,
                                                   const TFrameDevState* self, int line);
    // The user chose COM port `index` (0..3); other indices raise ERangeError.
    void ComPortChange(int index);
    // The user confirmed a device name (modified even when unchanged).
    void NameChange(const std::string& name);
    // The comment dialog was confirmed with these lines after the user edited them. Returns
    // whether the comment changed (and so the panel is modified).
    bool MemoChange(const std::vector<std::string>& lines);

    // ---- the panel's share of the configuration file ----------------------------
    void SaveConfiguration(TIniFile& ini, const std::string& section);
    // Returns the file's "COMPort" value when it lay outside 1..4 and COM1 was taken instead.
    std::optional<int> LoadConfiguration(TIniFile& ini, const std::string& section);
    static void EraseConfiguration(TIniFile& ini, const std::string& section);

    // Copies everything but the parameters binding from another panel.
    void AssignState(const TFrameDevState& source);

private:

    TKovParameters* FParameters = nullptr;
    std::string FName;
    std::string FMsn[2];
    std::string FNumber[2];
    bool FDial[2] = {false, false};
    bool FNumbersEnabled = true;
    int FProtocolIndex = 0;
    int FComPortIndex = 0;
    std::vector<std::string> FMemo;
    bool FModified = false;

    std::string FSavedMsn[2];
    std::string FSavedNumber[2];
    bool FSavedDial[2] = {false, false};
};
