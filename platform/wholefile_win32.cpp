#include "platform/wholefile.h"

#include "platform/permissionbits.h"
#include "platform/win32text.h"

#include <windows.h>

namespace {

class THandle {
public:
    explicit THandle(HANDLE handle) : FHandle(handle) {}
    ~THandle()
    {
        if (Valid())
            ::CloseHandle(FHandle);
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;

    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return FHandle; }
    // A file that is kept must be closed here and the answer looked at.
    bool Close()
    {
        const HANDLE handle = FHandle;
        FHandle = INVALID_HANDLE_VALUE;
        return ::CloseHandle(handle) != 0;
    }

private:
    HANDLE FHandle;
};

// The temporary file disappears again unless it replaced the target or must stay.
class TTemporaryName {
public:
    explicit TTemporaryName(std::wstring path) : FPath(std::move(path)) {}
    ~TTemporaryName()
    {
        if (!FKept)
            ::DeleteFileW(FPath.c_str());
    }
    TTemporaryName(const TTemporaryName&) = delete;
    TTemporaryName& operator=(const TTemporaryName&) = delete;

    void Keep() { FKept = true; }

private:
    std::wstring FPath;
    bool FKept = false;
};

bool WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool Missing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& fileName)
{
    const THandle file(::CreateFileW(WideFromUtf8(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Missing(::GetLastError()) ? std::optional<std::string>(std::string()) : std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(buffer, got);
    }
}

bool MayReplaceWholeFile(const std::string& fileName)
{
    const DWORD attributes = ::GetFileAttributesW(WideFromUtf8(fileName).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Missing(::GetLastError());
    return !(attributes & FILE_ATTRIBUTE_DIRECTORY) && WriteBitsAllow(fileName);
}

// The bytes go to a temporary file in the target's folder, which is flushed and then takes the
// target's place: ReplaceFileW keeps the old file when it fails, and MoveFileExW with
// write-through places a file that did not exist before.
bool ReplaceWholeFile(const std::string& fileName, std::string_view bytes)
{
    if (!MayReplaceWholeFile(fileName))
        return false;
    const std::wstring target = WideFromUtf8(fileName);
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
    if (slash + 1 == target.size())
        return false;

    wchar_t path[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(folder.c_str(), L"tlv", 0, path) == 0)
        return false;
    TTemporaryName temporary(path);
    THandle file(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid() || !WriteAll(file.Get(), bytes) || !::FlushFileBuffers(file.Get()) || !file.Close())
        return false;

    const auto move = [&] {
        return ::MoveFileExW(path, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    };
    const bool exists = ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    bool placed = exists ? ::ReplaceFileW(target.c_str(), path, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                          nullptr) != 0
                         : move();
    // ReplaceFileW without a backup name may fail after the old file is gone, the new one still
    // under its temporary name: it takes the target's place now, or at least stays.
    if (!placed && exists && ::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
        placed = move();
    if (placed || (exists && ::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES))
        temporary.Keep();
    return placed;
}
