#include "slutil/slportopenerror.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "platform/win32text.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// The COM names Windows knows, from its list of device names (COM1, COM12, ...), in number order.
std::string FoundPorts()
{
    std::vector<wchar_t> names(65536);
    if (::QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size())) == 0)
        return {};
    std::vector<std::pair<int, std::string>> ports;
    for (const wchar_t* name = names.data(); *name; name += wcslen(name) + 1) {
        const std::wstring entry(name);
        if (entry.size() > 3 && entry.size() <= 6 && _wcsnicmp(name, L"COM", 3) == 0 &&
            std::all_of(entry.begin() + 3, entry.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
            ports.emplace_back(std::stoi(entry.substr(3)), Utf8FromWide(entry));
    }
    std::sort(ports.begin(), ports.end());
    std::string list;
    for (const auto& port : ports) {
        if (!list.empty())
            list += ", ";
        list += port.second;
    }
    return list;
}

}  // namespace

// Windows has no devRoot and no group that opens serial ports: the message names the port, its
// device, the system's text and the COM ports found.
std::string PortOpenErrorMessage(const std::string& portName, const std::string& device, int error,
                                 const std::string& /*devRoot*/)
{
    std::string message = FmtLoadStr(255, {portName, device, SysErrorMessage(error)});
    message += "\n" + FmtLoadStr(256, {portName});
    const std::string found = FoundPorts();
    message += "\n" + (found.empty() ? LoadStr(258) : FmtLoadStr(257, {found}));
    return message;
}
