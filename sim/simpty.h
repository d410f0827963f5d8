#pragma once
// A pseudo-terminal whose master end is the simulated device's side of the serial line and
// whose slave end is the "serial port" the tool opens.
//
// The device keeps a slave descriptor of its own open, set raw, for its whole life: without it
// the slave's default line discipline would echo the device's output back to the master, and
// each time the tool closed its side the master would see a hang-up and read EIO. The tool's
// exclusive open (TIOCEXCL, flock) is not disturbed by it, as that descriptor predates them.

#include <string>

class TSimPty {
public:
    // Raises EOSError when no pseudo-terminal can be made.
    TSimPty();
    ~TSimPty();
    TSimPty(const TSimPty&) = delete;
    TSimPty& operator=(const TSimPty&) = delete;

    // Non-blocking, close-on-exec; -1 once closed.
    int Master() const { return FMaster; }
    // The device's own slave descriptor; what waits in it is what the tool has not read yet.
    int Slave() const { return FSlave; }
    const std::string& SlavePath() const { return FSlavePath; }
    bool IsOpen() const { return FMaster >= 0; }

    // Closes both ends the device holds; a tool with the slave open then sees a hang-up.
    void Close();

private:
    int FMaster = -1;
    int FSlave = -1;
    std::string FSlavePath;
};
