#pragma once
// A pseudo-terminal for tests that play the device's side by hand: the test holds the master,
// the terminal opens the slave path like a serial port.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

class TPtyPair {
public:
    TPtyPair()
    {
        FMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (FMaster < 0 || grantpt(FMaster) != 0 || unlockpt(FMaster) != 0)
            return;
        char name[128];
        if (ptsname_r(FMaster, name, sizeof name) != 0)
            return;
        FSlavePath = name;
        // Keep one slave descriptor open, raw, so that the slave never echoes what the test
        // writes and closing the terminal's side is no hang-up for the master.
        FKeep = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        if (FKeep >= 0 && tcgetattr(FKeep, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(FKeep, TCSANOW, &tio);
        }
    }
    ~TPtyPair()
    {
        CloseMaster();
        if (FKeep >= 0)
            close(FKeep);
    }
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;

    bool Ok() const { return FMaster >= 0 && FKeep >= 0 && !FSlavePath.empty(); }
    const std::string& SlavePath() const { return FSlavePath; }

    void Write(const std::string& bytes) const
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(FMaster, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                return;
            done += static_cast<size_t>(n);
        }
    }

    // Everything the terminal wrote until `quiet` passes without a byte (or `limit` overall).
    std::string ReadAvailable(std::chrono::milliseconds quiet = std::chrono::milliseconds(100),
                              std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) const
    {
        std::string bytes;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{FMaster, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(quiet.count())) <= 0 || !(p.revents & POLLIN))
                break;
            char buffer[512];
            const ssize_t n = ::read(FMaster, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, static_cast<size_t>(n));
        }
        return bytes;
    }

    // Waits until the terminal has written `wanted` bytes in all; returns them.
    std::string ReadExactly(size_t wanted, std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) const
    {
        std::string bytes;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (bytes.size() < wanted && std::chrono::steady_clock::now() < end) {
            pollfd p{FMaster, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN))
                continue;
            char buffer[512];
            const ssize_t n = ::read(FMaster, buffer, std::min(sizeof buffer, wanted - bytes.size()));
            if (n <= 0)
                break;
            bytes.append(buffer, static_cast<size_t>(n));
        }
        return bytes;
    }

    // Fills the line from the terminal to the test until the driver takes no more, as a device
    // that has stopped reading would: the terminal's next write waits for room.
    void BlockTerminalOutput() const
    {
        const int flags = fcntl(FKeep, F_GETFL);
        fcntl(FKeep, F_SETFL, flags | O_NONBLOCK);
        // The driver moves queued bytes on to the master's side a moment later, making room
        // again: fill until a while passes without room.
        const std::string chunk(4096, 'x');
        for (pollfd p{FKeep, POLLOUT, 0}; poll(&p, 1, 100) > 0 && (p.revents & POLLOUT);) {
            while (::write(FKeep, chunk.data(), chunk.size()) > 0) {
            }
        }
        fcntl(FKeep, F_SETFL, flags);
    }

    // The device is gone: the terminal's side sees a hang-up once no other slave descriptor
    // keeps the line up.
    void HangUp()
    {
        CloseMaster();
    }

private:
    void CloseMaster()
    {
        if (FMaster >= 0)
            close(FMaster);
        FMaster = -1;
    }

    int FMaster = -1;
    int FKeep = -1;
    std::string FSlavePath;
};
