#include "tests/sim/ptypeer.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

TPtyPeer::TPtyPeer(const std::string& path, bool raw)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    termios settings{};
    if (raw && (::tcgetattr(fd, &settings) != 0 ||
                (::cfmakeraw(&settings), ::tcsetattr(fd, TCSANOW, &settings) != 0))) {
        ::close(fd);
        return;
    }
    FFd = fd;
}

TPtyPeer::~TPtyPeer()
{
    if (FFd >= 0)
        ::close(FFd);
}

bool TPtyPeer::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(FFd, bytes.data(), bytes.size());
        if (n < 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string TPtyPeer::Read(const std::function<bool(const std::string&)>& done,
                           std::chrono::milliseconds timeout)
{
    using TClock = std::chrono::steady_clock;
    const auto until = TClock::now() + timeout;
    std::string text;
    while (!done(text)) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - TClock::now()).count();
        if (left <= 0)
            break;
        pollfd fd{FFd, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left)) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(FFd, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0)
            break;  // hang-up: nothing more will come
        text.append(buffer, static_cast<size_t>(n));
        ++FReads;
    }
    return text;
}

std::string TPtyPeer::ReadUntil(std::string_view ending, std::chrono::milliseconds timeout)
{
    return Read([&](const std::string& text) { return text.ends_with(ending); }, timeout);
}

std::string TPtyPeer::ReadCount(size_t count, std::chrono::milliseconds timeout)
{
    return Read([&](const std::string& text) { return text.size() >= count; }, timeout);
}
