#pragma once
// talvctl's own texts in the language of the run. Each German text is marked where it is used
// with QT_TRANSLATE_NOOP("talvctl", ...), from which the catalogue tools collect it; TalvctlText
// looks it up in the catalogue of the run and gives the German text when there is none.

#include "platform/resstrings.h"

// The mark the catalogue tools look for; it stands for the text itself. Qt defines it the same
// way, so that either definition may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

#include <string>
#include <vector>

class TTextCatalogue;

std::string TalvctlText(const char* german);
// TalvctlText with its placeholders filled as Format fills them.
std::string TalvctlMessage(const char* german, const std::vector<TFormatArg>& args);

// The catalogue of the run, or nullptr for the built-in German texts. It is set before any
// thread of the run starts and must outlive the run.
void SetTalvctlCatalogue(const TTextCatalogue* catalogue);
