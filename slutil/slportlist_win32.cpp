#include "slutil/slportlist.h"

#include "platform/win32text.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// "COM10" sorts after "COM2"; a name that is not COMn (a driver may choose another) after all.
unsigned long NumberOf(const std::string& name)
{
    if (name.size() < 4 || name.compare(0, 3, "COM") != 0 ||
        !std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return ~0UL;
    return std::stoul(name.substr(3));
}

}  // namespace

// The serial drivers enter every port they offer under SERIALCOMM: the driver's device name as
// value name, the port name as value. The device name shows which driver (a USB adapter's, say)
// a port belongs to.
std::vector<TslSerialPort> ListSerialPorts(const std::string&)
{
    std::vector<TslSerialPort> ports;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        wchar_t value[256];
        DWORD nameLength = 256;
        DWORD valueSize = sizeof value;
        DWORD type = 0;
        const LSTATUS status = ::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                               reinterpret_cast<BYTE*>(value), &valueSize);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            continue;
        // The stored text need not end in a null character.
        const std::wstring port(value, wcsnlen(value, valueSize / sizeof(wchar_t)));
        ports.push_back({Utf8FromWide(port), Utf8FromWide(std::wstring(name, nameLength))});
    }
    ::RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), [](const TslSerialPort& a, const TslSerialPort& b) {
        return std::pair(NumberOf(a.Path), a.Path) < std::pair(NumberOf(b.Path), b.Path);
    });
    return ports;
}
