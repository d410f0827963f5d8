#pragma once
// Where the per-user settings file lives: TALVConfig.INI in the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config when that is unset, empty or not an absolute path).

#include <string>

// The user's configuration folder, which holds the per-user files of the program (it may not
// exist yet).
std::string ConfigFolder();
std::string SettingsFileName();
