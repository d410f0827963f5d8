#pragma once
// The user's settings in the settings file: section "Options" holds the last page, the twelve
// connection-colour brushes, the time-out, fast transfers (0 or 1), the memo font, the
// active-device pen and the dialog's position; section "Ports" the COM port map. Brushes, pens and fonts are kept with their
// component values, one key each ("ShpColorToMsn11.Brush.Color"); colours are written "#RRGGBB".
//
// Loading is forgiving: a missing key, or a value that does not read as what the key holds,
// leaves the setting as it is, without a message.

struct TUserOptions;
class TIniFile;

class TOptionsStorage {
public:
    static void Load(TUserOptions& options, const TIniFile& ini);
    static void Save(const TUserOptions& options, TIniFile& ini);
};
