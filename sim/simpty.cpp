#include "sim/simpty.h"

#include "platform/exceptions.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(int master, int slave)
{
    const int error = errno;
    if (slave >= 0)
        ::close(slave);
    if (master >= 0)
        ::close(master);
    RaiseLastOSError(error);
}

void SetFlags(int fd, int statusFlags)
{
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
    if (statusFlags)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | statusFlags);
}

}  // namespace

TSimPty::TSimPty()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        Fail(-1, -1);
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0)
        Fail(master, -1);
    char path[PATH_MAX];
    if (::ptsname_r(master, path, sizeof path) != 0)
        Fail(master, -1);

    const int slave = ::open(path, O_RDWR | O_NOCTTY);
    if (slave < 0)
        Fail(master, -1);
    termios raw{};
    if (::tcgetattr(slave, &raw) != 0)
        Fail(master, slave);
    ::cfmakeraw(&raw);
    if (::tcsetattr(slave, TCSANOW, &raw) != 0)
        Fail(master, slave);

    // The worker polls the master and must never block in read or write: a blocked write would
    // keep it from seeing the stop request.
    SetFlags(master, O_NONBLOCK);
    SetFlags(slave, 0);
    FMaster = master;
    FSlave = slave;
    FSlavePath = path;
}

TSimPty::~TSimPty()
{
    Close();
}

void TSimPty::Close()
{
    if (FMaster >= 0)
        ::close(FMaster);
    if (FSlave >= 0)
        ::close(FSlave);
    FMaster = -1;
    FSlave = -1;
}
