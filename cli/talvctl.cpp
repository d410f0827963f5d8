// talvctl: configures a TALV device from the command line. See TTalvctlOptions::Usage.
#include "cli/consolearguments.h"
#include "cli/sigintwatcher.h"
#include "cli/talvctllanguage.h"
#include "cli/talvctlrunner.h"
#ifdef TALVCTL_REPORT
#include "cli/talvctlreport.h"
#endif

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    try {
        const std::vector<std::string> arguments = ConsoleArguments(argc, argv);
        // The runner starts no thread before Run, so the watcher, created next, still blocks
        // SIGINT ahead of every other thread. It is destroyed first and so never calls into a
        // runner that is gone.
        TTalvctlRunner runner(std::cout, std::cerr, TalvctlDefaultLanguage());
#ifdef TALVCTL_REPORT
        runner.SetReportWriter(WriteTalvctlReport);
#endif
        const TSigIntWatcher watcher([&runner] { runner.Cancel(); });
        return runner.Run(arguments);
    } catch (const std::exception& e) {
        std::cerr << "talvctl: " << e.what() << std::endl;
        return TTalvctlRunner::ExitFailure;
    }
}
