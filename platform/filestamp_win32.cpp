#include "platform/filestamp.h"

#include "platform/win32text.h"

#include <windows.h>

TFileStamp FileStampOf(const std::string& fileName)
{
    // Opened for no access at all, which a file another program holds open still allows.
    const HANDLE file = ::CreateFileW(WideFromUtf8(fileName).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info) != 0;
    ::CloseHandle(file);
    if (!known)
        return {};
    const auto wide = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return {true, info.dwVolumeSerialNumber, wide(info.nFileIndexHigh, info.nFileIndexLow),
            static_cast<std::int64_t>(wide(info.nFileSizeHigh, info.nFileSizeLow)),
            static_cast<std::int64_t>(wide(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
}
