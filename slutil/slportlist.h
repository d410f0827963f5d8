#pragma once
// The serial ports this machine offers, for the user to pick which one each COM name reaches.

#include <string>
#include <vector>

struct TslSerialPort {
    // The path to open (on Windows, the port name).
    std::string Path;
    // For the links under serial/by-id and serial/by-path: the device they point at; a USB
    // adapter's link keeps its name when the adapter moves to another socket, its target does
    // not. Empty for the device files themselves. On Windows, the driver's device name.
    std::string Target;
};

// Lists, under devRoot (normally "/dev"), the links in serial/by-id, then those in
// serial/by-path, then the device files ttyUSB*, ttyACM* and ttyS*; each group in name order
// with numbers compared as numbers (ttyS2 before ttyS10). Folders that do not exist add nothing.
// On Windows, the ports the serial drivers announce, COM2 before COM10; devRoot is not used.
std::vector<TslSerialPort> ListSerialPorts(const std::string& devRoot = "/dev");
