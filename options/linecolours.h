#pragma once
// The twelve connection colours of the options as the network picture takes them.

#include "documents/networksvg.h"
#include "options/useroptions.h"

// "#rrggbb" of each device line's brush, index 2 * device + line.
TLineColours LineColours(const TUserOptions& options);
