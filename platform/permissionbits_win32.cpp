#include "platform/permissionbits.h"

#include "platform/win32text.h"

#include <windows.h>

// Windows keeps no permission bits. The read-only attribute is what a user sets to protect a
// file; on a folder Explorer uses it for its own purposes and it protects nothing, so a folder
// counts as writable and the write itself finds out about the access lists.
bool WriteBitsAllow(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(WideFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) || !(attributes & FILE_ATTRIBUTE_READONLY);
}
