#include "platform/filestamp.h"

#include <sys/stat.h>

TFileStamp FileStampOf(const std::string& fileName)
{
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0)
        return {};
    return {true, static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}
