#include "platform/settingsfile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
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
