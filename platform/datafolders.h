#pragma once
// Where the program's data lies: the translation catalogues ("translations"), the help sets
// ("help") and the demo configurations ("samples"). An installed program finds them in
// <prefix>/share/talv-configurator/<name> beside its bin folder, wherever the prefix is; a
// program run from its build folder finds them in the build folder (generated data such as
// catalogues) or in the source tree it was built from.

#include <string>
#include <vector>

// The folders tried for name, in order: installed, build folder, source tree.
std::vector<std::string> DataFolderCandidates(const std::string& name);
// The first candidate that exists as a folder, or "" when none does.
std::string FindDataFolder(const std::string& name);
// The full path of the running program file ("" when the system cannot tell).
std::string ProgramFileName();
