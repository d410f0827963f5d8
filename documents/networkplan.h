#pragma once
// A planned network as a small fibre network: one node per shown device, one link per connection
// that the partner numbers describe, and outside nodes for partners no shown device owns. The
// model behind the network picture and the printed report; it draws nothing itself.

#include "documents/configcheck.h"
#include "terminal/KovDef.h"

#include <array>
#include <string>
#include <vector>

// One line of one device: Device 0 for device 1, Line 0 for LWL1 and 1 for LWL2.
struct TLineRef {
    int Device = 0;
    int Line = 0;

    bool operator==(const TLineRef&) const = default;
};

struct TNetworkNode {
    int Index = 0;  // 0 for device 1
    std::string Name;
    std::string Port;                // "COM1".."COM4"
    std::array<std::string, 2> Msn;  // own numbers of LWL1 and LWL2
    tIsdnDChannelProtocol Protocol = IsdnDss1;
};

// A partner nobody in the plan owns: a dialled number, or the far end of a leased line.
struct TOutsideNode {
    std::string Label;  // the number, or the B channel of a leased line
};

// One end of a link: a device line, or an outside node (Outside >= 0, Line unused).
struct TLinkEnd {
    TLineRef Line;
    int Outside = -1;

    bool IsOutside() const { return Outside >= 0; }
    bool operator==(const TLinkEnd&) const = default;
};

struct TNetworkLink {
    // The arrow points from Tail to Head when the link is Directed: from the line that dials to
    // the line that accepts. A link without direction runs from the line whose partner number
    // made it.
    TLinkEnd Tail;
    TLinkEnd Head;
    bool Directed = true;
    // Both ends dial, both accept, or the number is owned by more than one line: the check
    // reports it, the picture shows the link without trusting it.
    bool Flagged = false;
    bool Leased = false;  // drawn dashed
    std::string Label;    // the B channel of a leased link, empty otherwise
    // The line whose partner number (or leased channel) made the link: its colour and the field
    // a click on the link leads to.
    TLineRef Source;
};

struct TNetworkPlan {
    std::vector<TNetworkNode> Nodes;  // Nodes[i] is shown device i
    std::vector<TOutsideNode> Outside;
    std::vector<TNetworkLink> Links;
};

// The shown devices in order; a device without parameters raises ERangeError.
//
// A line whose partner number is a number links to every line owning it; a line calling its own
// number is no connection and is left out, as the check leaves it out. Two lines calling each
// other give one link. A partner number nobody owns gives a stub to one outside node per distinct
// number. A device on a leased line makes its links leased and labels them with its channel;
// since a leased line has no numbers, each line carrying its channel (B1: LWL1, B2: LWL2,
// B1+B2: both) belongs to the other end of the leased line: when exactly two devices are on leased
// lines, their lines carrying a channel each are linked, undirected and labelled "B1" (LWL1) or
// "B2" (LWL2). With more than two the plan does not say which ends belong together, so every line
// carrying a channel that links nothing by number gets an undirected leased stub to an outside
// node of its own, labelled with the channel.
TNetworkPlan BuildNetworkPlan(const std::vector<TCheckDevice>& shown);

// "B1", "B2", "B1+B2" for a leased-line protocol, empty for any other.
std::string LeasedChannel(tIsdnDChannelProtocol protocol);
