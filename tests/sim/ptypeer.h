#pragma once
// The tool's end of a simulated device's line, for tests: the slave opened (raw unless asked
// otherwise), with reads that wait for what a test expects instead of sleeping.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

class TPtyPeer {
public:
    static constexpr std::chrono::milliseconds DefaultTimeout{5000};

    // Check IsOpen: a test without a pseudo-terminal skips.
    explicit TPtyPeer(const std::string& path, bool raw = true);
    ~TPtyPeer();
    TPtyPeer(const TPtyPeer&) = delete;
    TPtyPeer& operator=(const TPtyPeer&) = delete;

    bool IsOpen() const { return FFd >= 0; }
    int Fd() const { return FFd; }

    // False when not every byte could be written (errno tells why).
    bool Write(std::string_view bytes);

    // Reads until done(everything read so far) or the time-out; returns everything read.
    std::string Read(const std::function<bool(const std::string&)>& done,
                     std::chrono::milliseconds timeout = DefaultTimeout);
    std::string ReadUntil(std::string_view ending, std::chrono::milliseconds timeout = DefaultTimeout);
    std::string ReadCount(size_t count, std::chrono::milliseconds timeout = DefaultTimeout);

    // How many reads returned bytes since the peer was opened.
    size_t Reads() const { return FReads; }

private:
    int FFd = -1;
    size_t FReads = 0;
};
