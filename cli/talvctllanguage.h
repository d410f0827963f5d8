#pragma once

#include <string>

// The language talvctl speaks without "--lang": the setting of the desktop program installed
// beside it (TALVConfig in talvctl's folder), since that is the setting the user chooses in its
// "Sprache" menu; without one, the language of the user's locale (on Windows, of the user's
// interface). German for any but English.
std::string TalvctlDefaultLanguage();
