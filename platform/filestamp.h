#pragma once
// What tells that a file was replaced or changed without reading it: its identity on the file
// system (device and inode on POSIX, volume and file index on Windows), its size and its
// modification time.

#include <cstdint>
#include <string>

struct TFileStamp {
    bool Exists = false;
    std::uint64_t Volume = 0;
    std::uint64_t Identity = 0;
    std::int64_t Size = 0;
    // In the system's own units (nanoseconds, 100-ns ticks); only compared.
    std::int64_t Modified = 0;

    bool operator==(const TFileStamp&) const = default;
};

// The stamp of fileName (behind a symbolic link, its target); Exists false when the system cannot
// tell, and then the other fields are zero.
TFileStamp FileStampOf(const std::string& fileName);
