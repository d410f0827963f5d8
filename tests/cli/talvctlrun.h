#pragma once
// What the talvctl tests share: one run of talvctl with its output, a scratch folder for plan
// files, and a settings folder of the test's own (XDG_CONFIG_HOME, restored afterwards).

#include "cli/talvctlrunner.h"
#include "tests/tempdir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

struct TRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

inline TRun RunTalvctl(const std::vector<std::string>& arguments)
{
    std::ostringstream out, err;
    TTalvctlRunner runner(out, err);
    TRun run;
    run.Exit = runner.Run(arguments);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

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

// Settings under which COM1..COM4 lead nowhere: a command that opened a port would fail.
inline std::string NoPortsSettings()
{
    return "[Ports]\r\nCOM1=/nonexistent/talv1\r\nCOM2=/nonexistent/talv2\r\nCOM3=/nonexistent/talv3\r\n"
           "COM4=/nonexistent/talv4\r\n";
}
