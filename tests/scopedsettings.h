#pragma once
// A settings file of the test's own: XDG_CONFIG_HOME points at a fresh folder for the lifetime
// of the object and is restored afterwards.

#include "tests/tempdir.h"

#include <cstdlib>
#include <optional>
#include <string>

// Points XDG_CONFIG_HOME at a folder of the test's own holding TALVConfig.INI with the given
// text, so no test reads or changes the settings of the user running it.
class TScopedSettings {
public:
    explicit TScopedSettings(const std::string& settingsText)
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            FOld = old;
        FDir.Write("TALVConfig.INI", settingsText);
        setenv("XDG_CONFIG_HOME", FDir.Path().c_str(), 1);
    }
    ~TScopedSettings()
    {
        if (FOld)
            setenv("XDG_CONFIG_HOME", FOld->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    TScopedSettings(const TScopedSettings&) = delete;
    TScopedSettings& operator=(const TScopedSettings&) = delete;

    std::string Text() const { return FDir.Read("TALVConfig.INI"); }

private:
    TTempDir FDir;
    std::optional<std::string> FOld;
};
