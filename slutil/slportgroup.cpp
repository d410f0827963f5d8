#include "slutil/slportgroup.h"

#include "platform/resstrings.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {

// The name of group id, or empty when the system knows none.
std::string GroupName(gid_t id)
{
    long size = sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 1024);
    group entry{};
    group* found = nullptr;
    int error = 0;
    // ERANGE: a group with many members needs a larger buffer.
    while ((error = getgrgid_r(id, &entry, buffer.data(), buffer.size(), &found)) == ERANGE && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return error == 0 && found && found->gr_name ? std::string(found->gr_name) : std::string();
}

}  // namespace

std::string PortAccessHint(const std::string& devicePath)
{
    std::string group;
    struct stat status{};
    if (stat(devicePath.c_str(), &status) == 0)
        group = GroupName(status.st_gid);
    if (group.empty())
        return LoadStr(247);
    return FmtLoadStr(248, {group});
}
