#pragma once
// The options dialog's stored items in section "Options" of the settings file: the last page,
// the twelve connection-colour brushes, the time-out, the memo font, the active-device pen and
// the dialog's position. Brushes, pens and fonts are kept with their component values, one key
// each ("ShpColorToMsn11.Brush.Color"); colours are written "#RRGGBB".
//
// Loading is forgiving: a missing key, or a value that does not read as what the key holds,
// leaves the control as it is, without a message.
// A stored position off every screen is moved onto the primary one.

class TDlgOptions;
class TIniFile;

class TOptionsStorage {
public:
    static void Load(TDlgOptions& dialog, const TIniFile& ini);
    static void Save(const TDlgOptions& dialog, TIniFile& ini);
};
