#include "slutil/slportlist.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// "ttyS10" sorts after "ttyS2": the text before the trailing digits, then the digits' value.
bool NaturalLess(const std::string& a, const std::string& b)
{
    const auto split = [](const std::string& name) {
        std::size_t digits = name.size();
        while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9')
            --digits;
        const std::string number = name.substr(digits);
        // Leading zeros do not count; a longer number is the larger one.
        const std::size_t first = std::min(number.find_first_not_of('0'), number.size());
        return std::make_tuple(name.substr(0, digits), number.size() - first, number.substr(first));
    };
    return split(a) < split(b);
}

std::vector<fs::path> Sorted(std::vector<fs::path> paths)
{
    std::sort(paths.begin(), paths.end(),
              [](const fs::path& a, const fs::path& b) { return NaturalLess(a.filename().string(), b.filename().string()); });
    return paths;
}

// The entries of folder, links included whether or not their target exists.
std::vector<fs::path> Entries(const fs::path& folder)
{
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        found.push_back(it->path());
    return Sorted(std::move(found));
}

std::string LinkTarget(const fs::path& link)
{
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error)
        return {};
    // The links udev makes are relative ("../../ttyUSB0").
    return (target.is_absolute() ? target : (link.parent_path() / target)).lexically_normal().string();
}

}  // namespace

std::vector<TslSerialPort> ListSerialPorts(const std::string& devRoot)
{
    const fs::path root(devRoot);
    std::vector<TslSerialPort> ports;
    for (const char* links : {"serial/by-id", "serial/by-path"})
        for (const fs::path& link : Entries(root / links))
            ports.push_back({link.string(), LinkTarget(link)});

    const std::vector<fs::path> devices = Entries(root);
    for (const std::string prefix : {"ttyUSB", "ttyACM", "ttyS"})
        for (const fs::path& device : devices) {
            const std::string name = device.filename().string();
            if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
                std::all_of(name.begin() + prefix.size(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
                ports.push_back({device.string(), {}});
        }
    return ports;
}
