#pragma once
// What the talvctl tests share: one run of talvctl with its output, a scratch folder for plan
// files, and a settings folder of the test's own (XDG_CONFIG_HOME, restored afterwards).

#include "cli/talvctlrunner.h"
#include "tests/scopedsettings.h"
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

// Settings under which COM1..COM4 lead nowhere: a command that opened a port would fail.
inline std::string NoPortsSettings()
{
    return "[Ports]\r\nCOM1=/nonexistent/talv1\r\nCOM2=/nonexistent/talv2\r\nCOM3=/nonexistent/talv3\r\n"
           "COM4=/nonexistent/talv4\r\n";
}
