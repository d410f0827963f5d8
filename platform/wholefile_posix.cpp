#include "platform/wholefile.h"

#include "platform/permissionbits.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    ~TFileDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;

    int Get() const { return FFd; }
    // close() reports delayed write errors (NFS, quotas), so a file that is kept must be closed
    // here and the answer looked at.
    bool Close()
    {
        const int fd = FFd;
        FFd = -1;
        return ::close(fd) == 0;
    }

private:
    int FFd;
};

// The temporary file disappears again unless it was renamed to the target.
class TTemporaryName {
public:
    explicit TTemporaryName(std::string path) : FPath(std::move(path)) {}
    ~TTemporaryName()
    {
        if (!FRenamed)
            ::unlink(FPath.c_str());
    }
    TTemporaryName(const TTemporaryName&) = delete;
    TTemporaryName& operator=(const TTemporaryName&) = delete;

    const std::string& Path() const { return FPath; }
    void Renamed() { FRenamed = true; }

private:
    std::string FPath;
    bool FRenamed = false;
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// umask() can only be read by setting it, which would race with other threads creating files;
// the kernel shows it in /proc/self/status instead.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("Umask:"))
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 022;
}

// Writing through a symbolic link keeps the link; renaming over the link would replace it.
std::string ResolvedTarget(const std::string& fileName)
{
    struct stat linkStatus {};
    if (::lstat(fileName.c_str(), &linkStatus) != 0 || !S_ISLNK(linkStatus.st_mode))
        return fileName;
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(fileName.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : fileName;
}

void SyncFolder(const std::string& folder)
{
    const TFileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // The new file is in place already. A file system that cannot sync folders (EINVAL) loses
    // nothing but durability, so its answer does not turn a written file into a failure.
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& fileName)
{
    const TFileDescriptor fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

bool MayReplaceWholeFile(const std::string& fileName)
{
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode) && WriteBitsAllow(fileName);
}

bool ReplaceWholeFile(const std::string& fileName, std::string_view bytes)
{
    if (!MayReplaceWholeFile(fileName))
        return false;
    const std::string target = ResolvedTarget(fileName);
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string name = target.substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.empty())
        return false;

    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());

    const std::string pattern = folder + "/." + name + ".XXXXXX";
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    TFileDescriptor fd(::mkostemp(path.data(), O_CLOEXEC));
    if (fd.Get() < 0)
        return false;
    TTemporaryName temporary(path.data());

    if (!WriteAll(fd.Get(), bytes) || ::fchmod(fd.Get(), mode) != 0 || ::fsync(fd.Get()) != 0 || !fd.Close())
        return false;
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0)
        return false;
    temporary.Renamed();
    SyncFolder(folder);
    return true;
}
