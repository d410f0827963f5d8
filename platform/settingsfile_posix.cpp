#include "platform/settingsfile.h"

#include "platform/exceptions.h"
#include "platform/inifile.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace {

std::string HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

// Each level from the top down: one that exists must be a folder, one that is missing is made.
void MakeFolders(const std::filesystem::path& folder)
{
    std::filesystem::path level;
    for (const std::filesystem::path& part : folder) {
        level /= part;
        struct stat info {};
        if (::stat(level.c_str(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                RaiseLastOSError(ENOTDIR);
            continue;
        }
        // Another program may make the same folder at the same moment.
        if (errno != ENOENT || (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST))
            RaiseLastOSError(errno);
    }
}

}  // namespace

std::string ConfigFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config && config[0] == '/' ? std::string(config) : HomeDirectory() + "/.config";
}

std::string SettingsFileName()
{
    return ConfigFolder() + "/TALVConfig.INI";
}

void UpdateSettingsFile(TIniFile& file)
{
    MakeFolders(std::filesystem::absolute(file.FileName()).parent_path());
    file.UpdateFile();
}
