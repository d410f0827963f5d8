#pragma once
// The command line as UTF-8, the program's own encoding. POSIX hands it over as typed. Windows
// hands main() the arguments in the system's code page, in which a file name with characters
// outside it would arrive changed: there they are taken from the UTF-16 command line, and the
// console is set to show UTF-8 output.

#include <string>
#include <vector>

// The arguments after the program name.
std::vector<std::string> ConsoleArguments(int argc, char* argv[]);
