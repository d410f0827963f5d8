#pragma once
// Which parts of the network picture a check run found fault with: a finding on a device's name,
// own number or protocol marks its node, one on a partner number or a DIAL/ACCEPT button marks
// the links of that line. An error outweighs a warning.

#include "documents/networkplan.h"

#include <vector>

class TMessageList;

enum class tNetworkMark : int { None, Warning, Error };

struct TNetworkMarks {
    std::vector<tNetworkMark> Nodes;  // one per node of the plan
    std::vector<tNetworkMark> Links;  // one per link of the plan
};

// Findings about a device the plan does not show are left out.
TNetworkMarks NetworkMarksFromCheck(const TNetworkPlan& plan, const TMessageList& log);
