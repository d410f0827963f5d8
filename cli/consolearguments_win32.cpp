#include "cli/consolearguments.h"

#include "platform/win32text.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

std::vector<std::string> ConsoleArguments(int argc, char* argv[])
{
    ::SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                               &::LocalFree);
    // Without the wide command line, the code page's arguments are the best there is.
    if (!wide)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8FromWide(wide.get()[i]));
    return arguments;
}
