#include "slutil/slportmap.h"

// The device namespace reaches every COM port, also those above COM9, which the bare name does
// not; a COMPort outside COM1..COM4 reaches COM1.
std::string TslPortMap::DefaultPath(tCOMPorts port)
{
    return "\\\\.\\COM" + std::to_string((port >= COM1 && port <= COM4 ? port : COM1) + 1);
}
