#include "slutil/slportmap.h"

// The on-board ports: COM1 is ttyS0; a COMPort outside COM1..COM4 reaches COM1.
std::string TslPortMap::DefaultPath(tCOMPorts port)
{
    return "/dev/ttyS" + std::to_string(port >= COM1 && port <= COM4 ? port : COM1);
}
