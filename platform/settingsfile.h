#pragma once
// Where the per-user settings file lives: TALVConfig.INI in the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config when that is unset, empty or not an absolute path).

#include <string>

class TIniFile;

// The user's configuration folder, which holds the per-user files of the program (it may not
// exist yet).
std::string ConfigFolder();
std::string SettingsFileName();

// Writes a per-user file of the program (the settings file, the language setting). On a fresh
// account the configuration folder, and even folders above it, may not exist yet: the folder
// holding the file and each missing one above it are made first, readable by the user only
// (0700). A folder that cannot be made, or a part of the path that is no folder, raises EOSError
// with the system's text; a file that cannot be written raises UpdateFile's Exception.
void UpdateSettingsFile(TIniFile& file);
