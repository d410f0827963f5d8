#include "sim/simline.h"

#include "platform/exceptions.h"
#include "sim/simlineend.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <set>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds ReadQuietTime{50};

int PollTimeout(TSimLine::TClock::time_point until)
{
    if (until == TSimLine::TClock::time_point::max())
        return -1;
    const auto left = until - TSimLine::TClock::now();
    if (left <= left.zero())
        return 0;
    // Rounded up: rounding down would wake the worker just before the moment and make it poll
    // again with a zero time-out, over and over.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return static_cast<int>(std::min<long long>(ms, INT_MAX));
}

}  // namespace

TSimLine::TSimLine(bool pace, bool split, uint32_t seed, bool inProcess)
    : FPty(inProcess ? nullptr : std::make_unique<TSimPty>()),
      FWire(inProcess ? std::make_shared<TSimWire>() : nullptr),
      FSlavePath(FPty ? FPty->SlavePath() : std::string()), FPace(pace), FSplit(split), FRandom(seed)
{
    int fds[2];
    if (::pipe(fds) != 0)
        RaiseLastOSError(errno);
    for (const int fd : fds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    FWakeRead = fds[0];
    FWakeWrite = fds[1];
    if (FWire) {
        FWire->WakeFd = FWakeWrite;
        FToolEnd = std::make_shared<TSimLineEnd>(FWire);
    }
}

TSimLine::~TSimLine()
{
    // The tool's end may live on: it finds the line down and no longer wakes anybody.
    if (FWire) {
        std::lock_guard lock(FWire->Mutex);
        FWire->Up = false;
        FWire->WakeFd = -1;
        FWire->ToToolChanged.notify_all();
    }
    ::close(FWakeRead);
    ::close(FWakeWrite);
}

void TSimLine::Wake()
{
    const char byte = 1;
    // A full pipe already holds a wake-up the worker has not seen, so a failed write loses
    // nothing.
    [[maybe_unused]] const auto written = ::write(FWakeWrite, &byte, 1);
}

void TSimLine::RequestStop()
{
    FStop.store(true);
    Wake();
}

void TSimLine::Wait(TClock::time_point until)
{
    Poll(until, false);
}

std::string TSimLine::TakeInput()
{
    std::string input;
    input.swap(FInput);
    // Asked again with nothing left: everything taken so far has been answered.
    if (input.empty() && FWire) {
        std::lock_guard lock(FWire->Mutex);
        FWire->AnsweredCount = FTakenCount;
        FWire->ToToolChanged.notify_all();
    }
    return input;
}

bool TSimLine::IsUp() const
{
    if (FPty)
        return FPty->IsOpen();
    std::lock_guard lock(FWire->Mutex);
    return FWire->Up;
}

void TSimLine::HangUp()
{
    if (FWire) {
        // What was sent stays readable for the tool, as on a drained line; then its reads fail.
        std::lock_guard lock(FWire->Mutex);
        FWire->Up = false;
        FWire->ToToolChanged.notify_all();
        return;
    }
    // Bytes written to the master reach the slave's input queue a moment later, through the
    // kernel's flip buffer, so an empty queue alone does not prove they were read: the queue has
    // to stay empty for DrainQuiet.
    const auto start = TClock::now();
    auto lastUnread = start;
    int unread = 0;
    while (IsUp() && ::ioctl(FPty->Slave(), FIONREAD, &unread) == 0) {
        const auto now = TClock::now();
        if (unread > 0)
            lastUnread = now;
        if (now - lastUnread >= DrainQuiet || now - start >= DrainLimit)
            break;
        if (!Pause(now + std::chrono::milliseconds(1)))
            break;
    }
    FPty->Close();
}

bool TSimLine::Send(std::string_view bytes)
{
    if (!IsUp())
        return false;
    if (!FSplit || bytes.size() < 2)
        return SendPiece(bytes);

    // One to three cuts at distinct places, each piece with a pause of its own before it, as a
    // device that fills its UART from a busy main loop would send.
    std::uniform_int_distribution<size_t> cutCount(1, std::min<size_t>(3, bytes.size() - 1));
    std::uniform_int_distribution<size_t> cutAt(1, bytes.size() - 1);
    std::set<size_t> cuts;
    for (size_t wanted = cutCount(FRandom); cuts.size() < wanted;)
        cuts.insert(cutAt(FRandom));
    cuts.insert(bytes.size());

    std::uniform_int_distribution<int> pauseMs(0, static_cast<int>(MaxSplitPause.count()));
    size_t from = 0;
    for (const size_t to : cuts) {
        if (from > 0 && !Pause(TClock::now() + std::chrono::milliseconds(pauseMs(FRandom))))
            return false;
        if (!SendPiece(bytes.substr(from, to - from)))
            return false;
        from = to;
    }
    return true;
}

bool TSimLine::SendPiece(std::string_view piece)
{
    if (!FPace)
        return WriteAll(piece);
    // Byte k of the piece is due k byte times after its start; whatever is due is written at
    // once, so a late wake-up catches up instead of stretching the whole piece.
    const auto start = TClock::now();
    size_t sent = 0;
    while (sent < piece.size()) {
        const auto elapsed = TClock::now() - start;
        const size_t due = std::min<size_t>(piece.size(), elapsed / ByteTime + 1);
        if (due > sent) {
            if (!WriteAll(piece.substr(sent, due - sent)))
                return false;
            sent = due;
        } else if (!Pause(start + sent * ByteTime)) {
            return false;
        }
    }
    return true;
}

bool TSimLine::WriteAll(std::string_view bytes)
{
    size_t done = 0;
    auto lastProgress = TClock::now();
    while (done < bytes.size()) {
        if (StopRequested() || !IsUp())
            return false;
        if (FWire) {
            std::lock_guard lock(FWire->Mutex);
            FWire->ToTool.append(bytes.substr(done));
            FWire->ToToolChanged.notify_all();
            FSentCount += bytes.size() - done;
            return true;
        }
        const ssize_t n = ::write(FPty->Master(), bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            FSentCount += static_cast<uint64_t>(n);
            lastProgress = TClock::now();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            const auto giveUp = lastProgress + StallLimit;
            if (TClock::now() >= giveUp) {
                Log("nobody reads the line: " + std::to_string(bytes.size() - done) +
                    " bytes dropped");
                return true;
            }
            Poll(giveUp, true);
            continue;
        }
        Log("write failed: " + SysErrorMessage(n < 0 ? errno : EIO) + ", " +
            std::to_string(bytes.size() - done) + " bytes dropped");
        return true;
    }
    return true;
}

bool TSimLine::Pause(TClock::time_point until)
{
    while (!StopRequested() && TClock::now() < until)
        Poll(until, false);
    return !StopRequested();
}

bool TSimLine::Poll(TClock::time_point until, bool wantWrite)
{
    if (StopRequested())
        return false;
    pollfd fds[2] = {{FWakeRead, POLLIN, 0}, {-1, 0, 0}};
    const auto now = TClock::now();
    const bool readMaster = FPty && IsUp() && now >= FReadQuietUntil;
    if (FPty && IsUp()) {
        fds[1].fd = FPty->Master();
        fds[1].events = static_cast<short>((readMaster ? POLLIN : 0) | (wantWrite ? POLLOUT : 0));
        if (!readMaster)
            until = std::min(until, FReadQuietUntil);
    }
    // A descriptor with no events still reports POLLHUP; leave it out instead.
    const nfds_t count = fds[1].events ? 2 : 1;
    const int ready = ::poll(fds, count, PollTimeout(until));
    if (ready > 0 && (fds[0].revents & POLLIN)) {
        char drain[64];
        while (::read(FWakeRead, drain, sizeof drain) > 0) {
        }
    }
    // Only after the drain: input whose wake-up was drained must not be left on the wire.
    if (FWire)
        TakeWireInput();
    if (ready <= 0 || count < 2)
        return false;
    if (fds[1].revents & POLLIN)
        ReadInput();
    else if (readMaster && (fds[1].revents & (POLLHUP | POLLERR)))
        FReadQuietUntil = TClock::now() + ReadQuietTime;
    return wantWrite && (fds[1].revents & POLLOUT);
}

void TSimLine::ReadInput()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(FPty->Master(), buffer, sizeof buffer);
        if (n > 0) {
            Received(std::string_view(buffer, static_cast<size_t>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // EIO: no slave end is open. The same answer would come back at once, so the master
        // rests for a moment.
        FReadQuietUntil = TClock::now() + ReadQuietTime;
        return;
    }
}

void TSimLine::TakeWireInput()
{
    std::string input;
    {
        std::lock_guard lock(FWire->Mutex);
        input.swap(FWire->FromTool);
    }
    FTakenCount += input.size();
    // Outside the wire's lock: the receive event takes the device's own.
    if (!input.empty())
        Received(input);
}

void TSimLine::Received(std::string_view chunk)
{
    FInput.append(chunk);
    if (OnReceived)
        OnReceived(chunk);
}
