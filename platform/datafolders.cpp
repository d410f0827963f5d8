#include "platform/datafolders.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string ProgramFileName()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

std::vector<std::string> DataFolderCandidates(const std::string& name)
{
    std::vector<std::string> folders;
    const std::string program = ProgramFileName();
    if (!program.empty())
        folders.push_back((fs::path(program).parent_path().parent_path() / "share" / "talv-configurator" / name)
                              .lexically_normal()
                              .string());
    folders.push_back((fs::path(TALV_BUILD_DIR) / name).string());
    folders.push_back((fs::path(TALV_SOURCE_DIR) / name).string());
    return folders;
}

std::string FindDataFolder(const std::string& name)
{
    for (const std::string& folder : DataFolderCandidates(name)) {
        std::error_code error;
        if (fs::is_directory(folder, error))
            return folder;
    }
    return {};
}
