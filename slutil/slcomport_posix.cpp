#include "slutil/slcomport.h"

#include "platform/exceptions.h"
#include "slutil/slportmap.h"
#include "slutil/slportopenerror.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A deadline that may be absent ("no limit"), as the time-out record allows.
struct TDeadline {
    bool Set = false;
    Clock::time_point At{};

    void Limit(Clock::time_point at)
    {
        At = Set ? std::min(At, at) : at;
        Set = true;
    }
    bool Passed(Clock::time_point now) const { return Set && now >= At; }

    // Rounded up: a poll that woke a fraction of a millisecond early would find the deadline not
    // yet passed and poll again with 0, spinning until it is.
    int PollTimeout(Clock::time_point now) const
    {
        if (!Set)
            return -1;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(At - now).count();
        return static_cast<int>(std::clamp<decltype(left)>(left, 0, INT_MAX));
    }
};

// Total limit of a transfer of `bytes` bytes; multiplier and constant of 0 mean no limit.
TDeadline TotalDeadline(Clock::time_point start, int32_t multiplier, int32_t constant, size_t bytes)
{
    TDeadline deadline;
    const int64_t ms = int64_t{multiplier} * static_cast<int64_t>(bytes) + constant;
    if (multiplier > 0 || constant > 0)
        deadline.Limit(start + std::chrono::milliseconds(ms));
    return deadline;
}

} // namespace

std::string TslCOMPort::DeviceName() const
{
    return FDevicePath.empty() ? TslPortMap::DefaultPath(FCOMPort) : FDevicePath;
}

bool TslCOMPort::HasHandle() const
{
    return FHandle >= 0;
}

void TslCOMPort::ApplyCommTimeOuts()
{
    FCommTimeOuts.ApplyToPort(FAppliedTimeOuts);
}

void TslCOMPort::Open()
{
    if (GetState() == stOpen)
        return;

    const std::string device = DeviceName();
    const auto fail = [&](int fd, int error) {
        if (fd >= 0)
            ::close(fd);
        FLastError = error;
        throw EOSError(error, PortOpenErrorMessage(PortName(), device, error));
    };

    // Non-blocking so that Read can bound its wait with poll; O_NOCTTY so that a port opened by a
    // process without a controlling terminal does not become one.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail(-1, errno);

    // TIOCEXCL keeps other users out but not root; the lock also keeps out a second root process
    // (and a second port object of ours). A lock already held counts as a busy port.
    if (::ioctl(fd, TIOCEXCL) != 0)
        fail(fd, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        fail(fd, errno == EWOULDBLOCK ? EBUSY : errno);

    FHandle = fd;
    FCommTimeOuts.LoadFromPort(FAppliedTimeOuts);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::ReadIntervalTimeoutIndex, 0);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::ReadTotalTimeoutConstantIndex, 500);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::ReadTotalTimeoutMultiplierIndex, 0);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::WriteTotalTimeoutConstantIndex, 0);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::WriteTotalTimeoutMultiplierIndex, 0);
    FCommTimeOuts.ApplyToPort(FAppliedTimeOuts);
    ConfigureLine();
    SetState(stOpen);
}

void TslCOMPort::ConfigureLine()
{
    // 9600 8N1 without handshake, raw in both directions; everything else stays as the driver
    // had it. Failures are not examined: a pseudo-terminal, for one, may refuse the speed, and
    // the device answers or not either way.
    termios line{};
    if (::tcgetattr(FHandle, &line) != 0)
        return;
    ::cfsetispeed(&line, B9600);
    ::cfsetospeed(&line, B9600);
    line.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    // CLOCAL: the device's cable may not carry the modem lines, so their state must not block
    // opening or hang up the port.
    line.c_cflag |= CS8 | CREAD | CLOCAL;
    line.c_iflag &= ~(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | INPCK | PARMRK | BRKINT | IGNBRK);
    line.c_oflag &= ~OPOST;
    line.c_lflag &= ~(ICANON | ECHO | ECHONL | ISIG | IEXTEN);
    // The descriptor is non-blocking and Read bounds its wait itself; the driver must not.
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    ::tcsetattr(FHandle, TCSANOW, &line);
    // A UART drops what arrives while nobody has it open, a pseudo-terminal keeps it: start
    // clean either way, so an old start banner is never taken for a new one.
    PurgeInput();
}

void TslCOMPort::PurgeInput()
{
    if (FHandle >= 0)
        ::tcflush(FHandle, TCIFLUSH);
}

bool TslCOMPort::Close()
{
    if (FHandle < 0)
        return false;
    // The exclusive flag of a pseudo-terminal outlives our descriptor while its master stays
    // open; clear it so that the next user is not turned away. The lock goes with the close.
    ::ioctl(FHandle, TIOCNXCL);
    ::close(FHandle);
    FHandle = -1;
    SetState(stClosed);
    return true;
}

int TslCOMPort::ReceiveChunk(size_t& received)
{
    const auto start = Clock::now();
    const TDeadline total = TotalDeadline(start, FAppliedTimeOuts.ReadTotalTimeoutMultiplier,
                                          FAppliedTimeOuts.ReadTotalTimeoutConstant, ReadChunk);
    const auto interval = std::chrono::milliseconds(FAppliedTimeOuts.ReadIntervalTimeout);
    Clock::time_point lastByte{};
    received = 0;

    while (received < ReadChunk) {
        const auto now = Clock::now();
        TDeadline deadline = total;
        if (received > 0 && interval.count() > 0)
            deadline.Limit(lastByte + interval);
        if (deadline.Passed(now))
            break;

        pollfd wanted{FHandle, POLLIN, 0};
        const int ready = ::poll(&wanted, 1, deadline.PollTimeout(now));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (ready == 0)
            continue;
        if (wanted.revents & POLLNVAL)
            return EBADF;

        // Also read on POLLHUP/POLLERR alone: the read then reports the failure with its errno.
        const ssize_t got = ::read(FHandle, FReceiveArea + received, ReadChunk - received);
        if (got > 0) {
            received += static_cast<size_t>(got);
            lastByte = Clock::now();
            continue;
        }
        // End of file on a terminal means the other end hung up (a hung-up descriptor reads 0).
        if (got == 0)
            return EIO;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // A hang-up that leaves nothing to read would otherwise wake poll at once, forever.
            if (wanted.revents & (POLLHUP | POLLERR))
                return EIO;
            continue;
        }
        return errno;
    }
    return 0;
}

int TslCOMPort::Send(const std::string& text)
{
    const TDeadline total = TotalDeadline(Clock::now(), FAppliedTimeOuts.WriteTotalTimeoutMultiplier,
                                          FAppliedTimeOuts.WriteTotalTimeoutConstant, text.size());
    size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t done = ::write(FHandle, text.data() + sent, text.size() - sent);
        if (done > 0) {
            sent += static_cast<size_t>(done);
            continue;
        }
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return errno;

        // The driver's output buffer is full: wait until it drains (9600 baud is slow).
        const auto now = Clock::now();
        if (total.Passed(now))
            return ETIMEDOUT;
        pollfd wanted{FHandle, POLLOUT, 0};
        const int ready = ::poll(&wanted, 1, total.PollTimeout(now));
        if (ready < 0 && errno != EINTR)
            return errno;
        if (ready <= 0)
            continue;
        if (wanted.revents & POLLNVAL)
            return EBADF;
        // Nothing written can reach a hung-up line; waiting would never end.
        if (wanted.revents & (POLLHUP | POLLERR))
            return EIO;
    }
    return 0;
}
