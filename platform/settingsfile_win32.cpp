#include "platform/settingsfile.h"

#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "platform/win32text.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string Variable(const wchar_t* name)
{
    const wchar_t* value = ::_wgetenv(name);
    return value ? Utf8FromWide(value) : std::string();
}

// Each level from the top down: one that exists must be a folder, one that is missing is made.
// The drive ("C:\") is no folder CreateDirectoryW makes, but it answers as one.
void MakeFolders(const std::filesystem::path& folder)
{
    std::filesystem::path level;
    for (const std::filesystem::path& part : folder) {
        level /= part;
        if (!level.has_relative_path())
            continue;
        const DWORD attributes = ::GetFileAttributesW(level.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
                RaiseLastOSError(ERROR_DIRECTORY);
            continue;
        }
        // Another program may make the same folder at the same moment.
        if (!::CreateDirectoryW(level.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            RaiseLastOSError(static_cast<int>(::GetLastError()));
    }
}

}  // namespace

// The roaming application data, as Windows programs keep their settings; a profile without it
// (a service account) falls back to the user's folder.
std::string ConfigFolder()
{
    for (const wchar_t* variable : {L"APPDATA", L"USERPROFILE"})
        if (std::string base = Variable(variable); !base.empty())
            return base + "\\TALV-Configurator";
    return ".\\TALV-Configurator";
}

std::string SettingsFileName()
{
    return ConfigFolder() + "\\TALVConfig.INI";
}

void UpdateSettingsFile(TIniFile& file)
{
    MakeFolders(std::filesystem::absolute(std::filesystem::path(WideFromUtf8(file.FileName()))).parent_path());
    file.UpdateFile();
}
