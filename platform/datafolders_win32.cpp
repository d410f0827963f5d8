#include "platform/datafolders.h"
#include "platform/win32text.h"

#include <windows.h>

#include <vector>

std::string ProgramFileName()
{
    // The path may be longer than MAX_PATH: the buffer grows until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return Utf8FromWide(std::wstring(buffer.data(), length));
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}
