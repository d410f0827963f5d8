#pragma once
// The consistency check of a planned network: duplicate own numbers, numbers called by several
// links, partner numbers outside the network, both ends of a connection dialling or both
// accepting, DSS1 facing a leased line. It reads the shown devices, writes its findings to the
// message log and changes nothing else.

#include "documents/msgkind.h"

#include <vector>

class TKovParameters;

// One shown device as the check sees it: its parameters and the direction of each link.
struct TCheckDevice {
    const TKovParameters* Parameters = nullptr;
    bool Dial1 = false;  // LWL1 dials (otherwise it accepts)
    bool Dial2 = false;
};

// Directions by the automatic call mode: LWL1 dials under EAciomcoB1B2 and EAciomcoB1, LWL2
// under EAciomcoB1B2 and EAciomcoB2.
TCheckDevice CheckDeviceFromCallMode(const TKovParameters& parameters);

// Clears the log, then runs every step over the devices in order. A device whose protocol is
// neither DSS1 nor a leased line raises ERangeError
// "TFrmMainWin::ActCheckExecute: falsches IsdnDChannelProtocol <n>" when it meets a later
// device; the lines written so far stay in the log.
void RunConfigurationCheck(const std::vector<TCheckDevice>& devices, TMessageLog& log);
