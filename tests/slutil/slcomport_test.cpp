// Protects the serial port: exclusive open with 9600 8N1 raw, the bounded read, whole writes, hang-ups. Needs a pseudo-terminal.
#include "slutil/slcomport.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <functional>
#include <future>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
}

// The far end of the line: the test holds the master of a pseudo-terminal, the port opens the slave.
class TPseudoTerminal {
public:
    TPseudoTerminal()
    {
        FMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (FMaster < 0)
            return;
        const char* slave = nullptr;
        if (::grantpt(FMaster) != 0 || ::unlockpt(FMaster) != 0 || !(slave = ::ptsname(FMaster))) {
            CloseMaster();
            return;
        }
        FSlavePath = slave;
        ::fcntl(FMaster, F_SETFL, ::fcntl(FMaster, F_GETFL) | O_NONBLOCK);
    }
    ~TPseudoTerminal() { CloseMaster(); }

    bool Ok() const { return FMaster >= 0; }
    const std::string& SlavePath() const { return FSlavePath; }

    void CloseMaster()
    {
        if (FMaster >= 0)
            ::close(FMaster);
        FMaster = -1;
    }

    void Send(const std::string& bytes)
    {
        for (size_t sent = 0; sent < bytes.size();) {
            const ssize_t done = ::write(FMaster, bytes.data() + sent, bytes.size() - sent);
            if (done > 0)
                sent += static_cast<size_t>(done);
            else
                ASSERT_TRUE(errno == EAGAIN || errno == EINTR) << std::strerror(errno);
        }
    }

    // What arrives within `within`, stopping early at `count` bytes.
    std::string Receive(size_t count, milliseconds within)
    {
        std::string bytes;
        const auto deadline = Clock::now() + within;
        while (bytes.size() < count && Clock::now() < deadline) {
            pollfd wanted{FMaster, POLLIN, 0};
            if (::poll(&wanted, 1, 10) <= 0)
                continue;
            char buffer[4096];
            const ssize_t got = ::read(FMaster, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (got > 0)
                bytes.append(buffer, static_cast<size_t>(got));
        }
        return bytes;
    }

private:
    int FMaster = -1;
    std::string FSlavePath;
};

int LowestFreeDescriptor()
{
    const int fd = ::dup(STDERR_FILENO);
    ::close(fd);
    return fd;
}

struct TDescriptor {
    int Fd;
    ~TDescriptor()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
};

// `size` bytes cycling through every value from `first` to 255; a raw line must pass them all.
std::string CyclingBytes(size_t size, unsigned first)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(first + i % (256 - first));
    return bytes;
}

class TslCOMPortOnPty : public testing::Test {
protected:
    void SetUp() override
    {
        if (!Pty.Ok())
            GTEST_SKIP() << "needs a pseudo-terminal";
        Port.SetDevicePath(Pty.SlavePath());
    }

    TPseudoTerminal Pty;
    TslCOMPort Port;
};

} // namespace

TEST(TslCOMPort, ConstructedClosedAndNamesEachPortWithItsDevice)
{
    const TslCOMPort fresh;
    EXPECT_EQ(fresh.GetState(), TslCOMPort::stClosed);
    EXPECT_FALSE(fresh.GetActive());
    EXPECT_EQ(fresh.GetCOMPort(), COM1);

    const struct {
        int com;
        const char* path;
        const char* name;
        const char* device;
    } cases[] = {
        {0, "", "COM1", "/dev/ttyS0"},
        {1, "", "COM2", "/dev/ttyS1"},
        {2, "", "COM3", "/dev/ttyS2"},
        {3, "", "COM4", "/dev/ttyS3"},
        // Out of range (a configuration file may hold anything): COM1 and its device.
        {4, "", "COM1", "/dev/ttyS0"},
        {-1, "", "COM1", "/dev/ttyS0"},
        {1, "/dev/pts/7", "COM2", "/dev/pts/7"},
        {9, "/dev/ttyUSB0", "COM1", "/dev/ttyUSB0"},
    };
    for (const auto& c : cases) {
        TslCOMPort port;
        port.SetCOMPort(static_cast<tCOMPorts>(c.com));
        port.SetDevicePath(c.path);
        EXPECT_EQ(port.PortName(), c.name) << c.com << " " << c.path;
        EXPECT_EQ(port.DeviceName(), c.device) << c.com << " " << c.path;
    }
}

TEST_F(TslCOMPortOnPty, OpenSetsRaw9600_8N1AndKeepsTheDriversOtherFlags)
{
    const struct {
        const char* what;
        tcflag_t termios::*word;
        tcflag_t bits;
        tcflag_t before;
        tcflag_t after;
    } flags[] = {
        // A pseudo-terminal keeps CS8, CREAD and no parity whatever it is asked, so those three
        // cannot be seen to change here.
        {"CSTOPB, CRTSCTS", &termios::c_cflag, CSTOPB | CRTSCTS, CSTOPB | CRTSCTS, 0},
        {"CLOCAL", &termios::c_cflag, CLOCAL, 0, CLOCAL},
        {"XON/XOFF", &termios::c_iflag, IXON | IXOFF | IXANY, IXON | IXOFF | IXANY, 0},
        {"input translation", &termios::c_iflag, ICRNL | INLCR | IGNCR | ISTRIP | INPCK | PARMRK | BRKINT | IGNBRK,
         ICRNL | INLCR | IGNCR | ISTRIP | INPCK | PARMRK | BRKINT | IGNBRK, 0},
        {"OPOST", &termios::c_oflag, OPOST, OPOST, 0},
        {"line editing", &termios::c_lflag, ICANON | ECHO | ECHONL | ISIG | IEXTEN, ICANON | ECHO | ECHONL | ISIG | IEXTEN, 0},
        // Not the port's business: must come through as they were (set, so that a port clearing
        // a whole word is caught).
        {"HUPCL", &termios::c_cflag, HUPCL, HUPCL, HUPCL},
        {"IMAXBEL", &termios::c_iflag, IMAXBEL, IMAXBEL, IMAXBEL},
        {"OCRNL", &termios::c_oflag, OCRNL, OCRNL, OCRNL},
        {"ECHOKE", &termios::c_lflag, ECHOKE, ECHOKE, ECHOKE},
    };

    // Our own descriptor, opened before the port makes the line exclusive.
    const TDescriptor slaveFd{::open(Pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)};
    const int slave = slaveFd.Fd;
    ASSERT_GE(slave, 0) << std::strerror(errno);
    termios line{};
    ASSERT_EQ(::tcgetattr(slave, &line), 0);
    for (const auto& f : flags)
        line.*f.word = (line.*f.word & ~f.bits) | f.before;
    ::cfsetspeed(&line, B38400);
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 5;
    ASSERT_EQ(::tcsetattr(slave, TCSANOW, &line), 0);
    ASSERT_EQ(::tcgetattr(slave, &line), 0);
    for (const auto& f : flags)
        ASSERT_EQ(line.*f.word & f.bits, f.before) << "the driver did not take " << f.what;

    Port.Open();
    EXPECT_EQ(Port.GetState(), TslCOMPort::stOpen);
    EXPECT_TRUE(Port.GetActive());
    ASSERT_EQ(::tcgetattr(slave, &line), 0);
    for (const auto& f : flags)
        EXPECT_EQ(line.*f.word & f.bits, f.after) << f.what;
    EXPECT_EQ(::cfgetospeed(&line), speed_t{B9600});
    EXPECT_EQ(::cfgetispeed(&line), speed_t{B9600});
    EXPECT_EQ(line.c_cc[VMIN], 0);
    EXPECT_EQ(line.c_cc[VTIME], 0);

    const TslCommTimeOuts& t = Port.CommTimeOuts();
    EXPECT_EQ(t.ReadIntervalTimeout(), 0);
    EXPECT_EQ(t.ReadTotalTimeoutMultiplier(), 0);
    EXPECT_EQ(t.ReadTotalTimeoutConstant(), 500);
    EXPECT_EQ(t.WriteTotalTimeoutMultiplier(), 0);
    EXPECT_EQ(t.WriteTotalTimeoutConstant(), 0);

    // A second descriptor would be refused by our own lock, so this shows Open did nothing.
    EXPECT_NO_THROW(Port.Open());
    EXPECT_EQ(Port.GetState(), TslCOMPort::stOpen);
}

TEST_F(TslCOMPortOnPty, OpenIsExclusiveUntilTheHolderLetsGo)
{
    Port.SetActive(true);
    auto second = std::make_unique<TslCOMPort>();
    second->SetCOMPort(COM2);
    second->SetDevicePath(Pty.SlavePath());
    const int freeFd = LowestFreeDescriptor();
    try {
        second->Open();
        ADD_FAILURE() << "a second open succeeded";
    } catch (const EOSError& e) {
        EXPECT_EQ(FirstLine(e.what()), "COM2 (" + Pty.SlavePath() + ") kann nicht geöffnet werden: Gerät belegt: ein anderes "
                                        "Programm oder ein anderes Gerätefeld hat die Schnittstelle schon geöffnet.");
        EXPECT_EQ(e.ErrorCode(), EBUSY);
    }
    EXPECT_EQ(LowestFreeDescriptor(), freeFd) << "the refused open left its descriptor behind";
    EXPECT_EQ(second->LastError(), EBUSY);
    EXPECT_EQ(second->GetState(), TslCOMPort::stClosed);

    EXPECT_TRUE(Port.Close());
    EXPECT_FALSE(Port.Close());
    EXPECT_EQ(Port.GetState(), TslCOMPort::stClosed);
    EXPECT_NO_THROW(second->SetActive(true));
    EXPECT_TRUE(second->GetActive());
    EXPECT_THROW(Port.Open(), EOSError);
    // The destructor lets go as well.
    second.reset();
    EXPECT_NO_THROW(Port.Open());
}

TEST(TslCOMPort, OpenFailureNamesThePortAndGivesTheSystemText)
{
    TslCOMPort port;
    port.SetCOMPort(COM3);
    port.SetDevicePath("/nonexistent/ttyS9");
    try {
        port.Open();
        ADD_FAILURE() << "opened a missing device";
    } catch (const EOSError& e) {
        const std::string message = e.what();
        EXPECT_EQ(FirstLine(message), "COM3 (/nonexistent/ttyS9) kann nicht geöffnet werden: Datei oder Gerät nicht vorhanden.");
        EXPECT_NE(message.find("\nWelches Gerät COM3 erreicht, wird unter \"Extras > Optionen > Kommunikation\" eingestellt.\n"),
                  std::string::npos) << message;
        EXPECT_EQ(e.ErrorCode(), ENOENT);
    }
    EXPECT_EQ(port.LastError(), ENOENT);
    EXPECT_EQ(port.GetState(), TslCOMPort::stClosed);
}

#ifdef __linux__
namespace {
// Drops the file-permission overrides from this thread's effective capabilities while it lives,
// so that root (as the tests usually run) meets the permission bits like any user.
class TWithoutPermissionOverride {
public:
    TWithoutPermissionOverride()
    {
        if (::syscall(SYS_capget, &FHeader, FSaved) != 0)
            return;
        __user_cap_data_struct lowered[2];
        std::memcpy(lowered, FSaved, sizeof lowered);
        for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            lowered[cap / 32].effective &= ~(1u << (cap % 32));
        FActive = ::syscall(SYS_capset, &FHeader, lowered) == 0;
    }
    ~TWithoutPermissionOverride()
    {
        if (FActive)
            ::syscall(SYS_capset, &FHeader, FSaved);
    }
    bool Active() const { return FActive; }

private:
    __user_cap_header_struct FHeader{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct FSaved[2] = {};
    bool FActive = false;
};
} // namespace

std::string OwningGroup(const std::string& path)
{
    struct stat status{};
    if (::stat(path.c_str(), &status) != 0)
        return {};
    const group* entry = ::getgrgid(status.st_gid);
    return entry ? entry->gr_name : std::string();
}

TEST(TslCOMPort, DeniedOpenTellsWhichGroupTheUserNeeds)
{
    std::string path = testing::TempDir() + "slcomport_denied_XXXXXX";
    const int fd = ::mkstemp(path.data());
    ASSERT_GE(fd, 0) << std::strerror(errno);
    ::fchmod(fd, 0);
    ::close(fd);
    const struct TRemove {
        const std::string& Path;
        ~TRemove() { ::unlink(Path.c_str()); }
    } remove{path};

    std::string message;
    {
        const TWithoutPermissionOverride lowered;
        if (!lowered.Active() && ::geteuid() == 0)
            GTEST_SKIP() << "cannot lower the permission override of root here";
        TslCOMPort port;
        port.SetCOMPort(COM4);
        port.SetDevicePath(path);
        try {
            port.Open();
            ADD_FAILURE() << "opened a file without permissions";
        } catch (const EOSError& e) {
            message = e.what();
        }
    }
    // The file belongs to the group of the user who made it, and that is the group named.
    EXPECT_EQ(message.substr(0, message.find("\nWelches Gerät")),
              "COM4 (" + path + ") kann nicht geöffnet werden: Zugriff verweigert (keine Berechtigung)."
              "\nDer Benutzer muss serielle Schnittstellen benutzen dürfen (Mitglied der Gruppe " + OwningGroup(path) + ").");
}
#endif

TEST_F(TslCOMPortOnPty, ClosedPortReadsNothingAndWritesNothing)
{
    std::string text = "kept";
    uint32_t count = 7;
    EXPECT_FALSE(Port.Read(text, &count));
    EXPECT_TRUE(Port.Write("never"));
    Port.Open();
    Port.Close();
    EXPECT_FALSE(Port.Read(text, &count));
    EXPECT_TRUE(Port.Write("never"));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(Port.LastError(), 0);
    EXPECT_EQ(Port.GetState(), TslCOMPort::stClosed);
    EXPECT_EQ(Pty.Receive(1, milliseconds(50)), "");
}

TEST_F(TslCOMPortOnPty, ReadWithNothingArrivingWaits500MsWithoutSpinning)
{
    Port.Open();
    std::string text = "stale";
    uint32_t count = 99;
    timespec cpuBefore{}, cpuAfter{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuBefore);
    const auto start = Clock::now();
    EXPECT_TRUE(Port.Read(text, &count));
    const auto took = MsSince(start);
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuAfter);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(text, "");
    EXPECT_GE(took, 450);
    EXPECT_LT(took, 900);
    const double cpuMs = (cpuAfter.tv_sec - cpuBefore.tv_sec) * 1e3 + (cpuAfter.tv_nsec - cpuBefore.tv_nsec) / 1e6;
    EXPECT_LT(cpuMs, 100.0);
    EXPECT_EQ(Port.GetState(), TslCOMPort::stOpen);
}

// A reply that has arrived does not end a default read early: older devices need the full
// wait. An interval time-out ends it once the line has been quiet that long after a byte.
TEST_F(TslCOMPortOnPty, AReadEndsEarlyOnlyAfterAQuietGapWhenAskedTo)
{
    struct TCase {
        const char* Name;
        int32_t IntervalMs;
        std::string Sent;
        long long MinMs, MaxMs;
    };
    const TCase cases[] = {
        {"default", 0, "isdn 0\r\n#", 450, 900},
        {"quiet gap", 21, "isdn 0\r\n#", 15, 200},
        {"quiet gap, nothing arrives", 21, "", 450, 900},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Port.Open();
        Port.CommTimeOuts().SetTimeOut(TslCommTimeOuts::ReadIntervalTimeoutIndex, c.IntervalMs);
        Port.ApplyCommTimeOuts();
        Pty.Send(c.Sent);
        std::string text;
        const auto start = Clock::now();
        ASSERT_TRUE(Port.Read(text, nullptr));
        const auto took = MsSince(start);
        EXPECT_EQ(text, c.Sent);
        EXPECT_GE(took, c.MinMs);
        EXPECT_LT(took, c.MaxMs);
        Port.Close();
    }
}

TEST_F(TslCOMPortOnPty, ReadHandsOnOneChunkAtATimeAsTextEndingAtAZeroByte)
{
    Port.Open();
    const std::string sent = CyclingBytes(1500, 1);
    Pty.Send(sent);
    std::string text;
    uint32_t count = 0;
    const auto start = Clock::now();
    ASSERT_TRUE(Port.Read(text, &count));
    EXPECT_LT(MsSince(start), 400) << "a full chunk must not wait for the time-out";
    EXPECT_EQ(count, TslCOMPort::ReadChunk);
    EXPECT_EQ(text, sent.substr(0, TslCOMPort::ReadChunk));
    ASSERT_TRUE(Port.Read(text, &count));
    EXPECT_EQ(count, 1500 - TslCOMPort::ReadChunk);
    EXPECT_EQ(text, sent.substr(TslCOMPort::ReadChunk));

    // The bytes after a zero byte are counted but lost with their read.
    Pty.Send(std::string("ab\0cd", 5));
    ASSERT_TRUE(Port.Read(text, &count));
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(count, 5u);
    Pty.Send("xy");
    ASSERT_TRUE(Port.Read(text, nullptr));
    EXPECT_EQ(text, "xy");
}

TEST_F(TslCOMPortOnPty, WriteSendsEveryByteUnchanged)
{
    Port.Open();
    // Far more than the line buffers hold, so that the write has to wait for room.
    const std::string sent = CyclingBytes(200000, 0);
    // Read concurrently, so that a full line buffer cannot stall the write.
    auto received = std::async(std::launch::async, [&] { return Pty.Receive(sent.size(), milliseconds(5000)); });
    EXPECT_TRUE(Port.Write(sent));
    EXPECT_TRUE(Port.Write(""));
    EXPECT_EQ(Port.GetState(), TslCOMPort::stOpen);
    EXPECT_TRUE(received.get() == sent) << "the bytes arrived changed or incomplete";
}

TEST(TslCOMPort, HangUpEndsAPendingReadOrWriteAndFailsLaterOnes)
{
    const struct {
        const char* what;
        TslCOMPort::tCOMPortState busy;
        std::function<bool(TslCOMPort&)> transfer;
    } pending[] = {
        {"read", TslCOMPort::stReading, [](TslCOMPort& port) {
             std::string text;
             uint32_t count = 0;
             return port.Read(text, &count);
         }},
        // Nobody reads the far end, so this write stalls once the line buffers are full.
        {"write", TslCOMPort::stWriting, [](TslCOMPort& port) { return port.Write(std::string(200000, 'x')); }},
    };
    for (const auto& p : pending) {
        TPseudoTerminal pty;
        if (!pty.Ok())
            GTEST_SKIP() << "needs a pseudo-terminal";
        TslCOMPort port;
        port.SetDevicePath(pty.SlavePath());
        port.Open();

        bool ok = true;
        long long took = 0;
        std::thread transfer([&] {
            const auto start = Clock::now();
            ok = p.transfer(port);
            took = MsSince(start);
        });
        const auto waitLimit = Clock::now() + std::chrono::seconds(2);
        while (port.GetState() != p.busy && Clock::now() < waitLimit)
            std::this_thread::yield();
        // Let the transfer get into its wait; nothing observable says when it is there.
        std::this_thread::sleep_for(milliseconds(100));
        pty.CloseMaster();
        transfer.join();
        EXPECT_FALSE(ok) << p.what;
        EXPECT_LT(took, 400) << p.what << ": the hang-up must end it, not a time-out";
        EXPECT_EQ(port.LastError(), EIO) << p.what;
        EXPECT_EQ(port.GetState(), TslCOMPort::stOpen) << p.what;

        std::string text;
        uint32_t count = 0;
        const auto start = Clock::now();
        EXPECT_FALSE(port.Read(text, &count)) << p.what;
        EXPECT_FALSE(port.Write("x")) << p.what;
        EXPECT_LT(MsSince(start), 300) << p.what;
        EXPECT_EQ(port.LastError(), EIO) << p.what;
        EXPECT_TRUE(port.Close()) << p.what;
    }
}

TEST_F(TslCOMPortOnPty, OpenDropsWhatArrivedWhileThePortWasClosed)
{
    Port.Open();
    Port.Close();
    Pty.Send("+++ stale banner +++");
    Port.Open();
    Pty.Send("fresh");
    std::string text;
    uint32_t count = 0;
    ASSERT_TRUE(Port.Read(text, &count));
    EXPECT_EQ(text, "fresh");
}
