#pragma once
// The two options that ask the desktop program about itself instead of starting it, so that an
// installation can be checked without a display: "--version" prints the product name and the
// version label, "--data-folders" prints where the program finds its catalogues, help and demo
// configurations (a folder that is missing shows as "-").

#include <ostream>

// Answers argv[1] when it is one of the two options and returns true; otherwise prints nothing
// and returns false (the argument is then the file to open).
bool AnswerInformationOption(int argc, char** argv, std::ostream& out);
