#pragma once
// A line of the configuration check as "check --format json" prints it: one JSON object,
// {"kind":…,"text":…,"device":…,"field":…}, with the device counted from 1 and the field as the
// configuration file's key, both null where the line concerns none. Scripts read it line by line.

#include "documents/findingplace.h"

#include <string>

std::string TalvctlCheckJson(const std::string& kind, const std::string& text, const TFindingPlace& place);

// text as a JSON string, quotes included. The program's texts are UTF-8, which JSON takes as it
// is; only quotes, backslashes and control characters are escaped.
std::string JsonQuoted(const std::string& text);
