#pragma once
// The network picture as a standalone SVG 1.1 document: a box per device with its name, port and
// the own numbers of LWL1 and LWL2, a line with an arrowhead per link in the colour of the line
// that made it (dashed and labelled when leased), stubs to outside partners, and a red or yellow
// outline where the check found an error or a warning.

#include "documents/networklayout.h"
#include "documents/networkmarks.h"
#include "documents/networkplan.h"

#include <array>
#include <string>

inline constexpr int NetworkLineCount = 12;

// "#rrggbb" per device line, index 2 * device + line (the connection colours of the options).
using TLineColours = std::array<std::string, NetworkLineCount>;

// A colour that is not "#rrggbb", or marks that do not fit the plan, raise ERangeError.
std::string NetworkSvg(const TNetworkPlan& plan, const TNetworkLayout& layout, const TLineColours& colours,
                       const TNetworkMarks& marks);

// Text made safe for XML character data and attribute values.
std::string XmlEscaped(const std::string& text);
