// Protects UpdateFile: the file is replaced whole or not at all, keeps its permission bits, and
// no temporary file stays behind whatever fails.
#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "tests/platform/scratchfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

const std::string OldBytes = "[Alt]\r\nk=\xE4\r\n";

struct stat StatusOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

// True when UpdateFile raised the program's message for this file.
bool UpdateFails(TIniFile& ini)
{
    try {
        ini.UpdateFile();
    } catch (const Exception& e) {
        return std::string(e.what()) == "nach " + ini.FileName() + " kann nicht geschrieben werden";
    }
    return false;
}

// A folder nobody can create files in, root included: write permission taken away, and where
// that does not stop us (root), the immutable attribute of ext file systems on top.
class TLockedFolder {
public:
    explicit TLockedFolder(const std::string& path) : FPath(path)
    {
        chmod(path.c_str(), 0555);
        if (CanCreateFiles() && SetImmutable(true))
            FImmutable = true;
    }
    ~TLockedFolder()
    {
        if (FImmutable)
            SetImmutable(false);
        chmod(FPath.c_str(), 0755);
    }
    TLockedFolder(const TLockedFolder&) = delete;
    TLockedFolder& operator=(const TLockedFolder&) = delete;

    bool CanCreateFiles() const
    {
        const std::string probe = FPath + "/probe";
        const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0)
            return false;
        close(fd);
        unlink(probe.c_str());
        return true;
    }

private:
    bool SetImmutable(bool on) const
    {
        const int fd = open(FPath.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0)
            close(fd);
        return done;
    }

    std::string FPath;
    bool FImmutable = false;
};

} // namespace

TEST(IniFileUpdate, ReplacesTheFileAndKeepsItsPermissionBits)
{
    TScratchFolder folder;
    for (const mode_t mode : {0600, 0644, 0604, 0750}) {
        WriteBytes(folder / "test.kov", OldBytes);
        chmod((folder / "test.kov").c_str(), mode);
        TIniFile ini(folder / "test.kov");
        ini.WriteString("Neu", "k", "→");
        ini.UpdateFile();
        EXPECT_EQ(ReadBytes(folder / "test.kov"), ini.Encoded());
        EXPECT_EQ(StatusOf(folder / "test.kov").st_mode & 07777, mode);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"test.kov"});
    }

    // A new file gets what open() would give it; the old mask is restored before any check.
    const mode_t oldMask = umask(027);
    TIniFile fresh(folder / "fresh.kov");
    fresh.WriteInteger("S", "n", 1);
    fresh.UpdateFile();
    umask(oldMask);
    EXPECT_EQ(StatusOf(folder / "fresh.kov").st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(folder / "fresh.kov"), "[S]\r\nn=1\r\n");

    // Through a symbolic link the link stays and the file it points to changes.
    ASSERT_EQ(symlink("test.kov", (folder / "link.kov").c_str()), 0);
    TIniFile linked(folder / "link.kov");
    linked.WriteString("Neu", "k", "über");
    linked.UpdateFile();
    EXPECT_TRUE(S_ISLNK(StatusOf(folder / "link.kov").st_mode));
    EXPECT_EQ(TIniFile(folder / "test.kov").ReadString("Neu", "k", ""), "über");
}

TEST(IniFileUpdate, FailureLeavesTargetAndFolderAsTheyWere)
{
    TScratchFolder folder;
    WriteBytes(folder / "test.kov", OldBytes);
    mkdir((folder / "folder.kov").c_str(), 0755);
    WriteBytes(folder / "folder.kov/inside", "x");
    const auto names = folder.Names();

    // A folder that does not exist, one where no file can be made even by root, and a target
    // that cannot be renamed over (a folder that is not empty).
    for (const std::string& target : {folder / "missing/test.kov", std::string("/proc/self/test.kov"), folder / "folder.kov"}) {
        TIniFile ini(target);
        ini.WriteString("S", "k", "v");
        EXPECT_TRUE(UpdateFails(ini)) << target;
        EXPECT_EQ(folder.Names(), names) << target;
    }
    EXPECT_EQ(ReadBytes(folder / "folder.kov/inside"), "x");
}

TEST(IniFileUpdate, ReadOnlyFolderKeepsTheOldFile)
{
    TScratchFolder folder;
    WriteBytes(folder / "test.kov", OldBytes);
    const ino_t inode = StatusOf(folder / "test.kov").st_ino;
    TIniFile ini(folder / "test.kov");
    ini.WriteString("Alt", "k", "neu");

    const TLockedFolder locked(folder.Path());
    if (locked.CanCreateFiles())
        GTEST_SKIP() << "this file system lets root create files in any folder";
    EXPECT_TRUE(UpdateFails(ini));
    EXPECT_EQ(ReadBytes(folder / "test.kov"), OldBytes);
    EXPECT_EQ(StatusOf(folder / "test.kov").st_ino, inode);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"test.kov"});
}

// A full disk: a file size limit makes write() fail with EFBIG part-way through the temporary
// file. The limit applies to the whole process, so it is set in a child of its own.
TEST(IniFileUpdate, ShortWriteKeepsTheOldFile)
{
    TScratchFolder folder;
    WriteBytes(folder / "test.kov", OldBytes);
    TIniFile ini(folder / "test.kov");
    for (int i = 0; i < 2000; ++i)
        ini.WriteInteger("Alt", "key" + std::to_string(i), i);
    ASSERT_GT(ini.Encoded().size(), 16384u);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        signal(SIGXFSZ, SIG_IGN);
        _exit(setrlimit(RLIMIT_FSIZE, &limit) == 0 && UpdateFails(ini) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadBytes(folder / "test.kov"), OldBytes);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"test.kov"});
}
