#include "platform/datafolders.h"

#include "platform/utf8path.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> DataFolderCandidates(const std::string& name)
{
    std::vector<std::string> folders;
    const std::string program = ProgramFileName();
    if (!program.empty())
        folders.push_back(
            Utf8FromPath((PathFromUtf8(program).parent_path().parent_path() / "share" / "talv-configurator" / name)
                             .lexically_normal()));
    folders.push_back(Utf8FromPath(PathFromUtf8(TALV_BUILD_DIR) / name));
    folders.push_back(Utf8FromPath(PathFromUtf8(TALV_SOURCE_DIR) / name));
    return folders;
}

std::string FindDataFolder(const std::string& name)
{
    for (const std::string& folder : DataFolderCandidates(name)) {
        std::error_code error;
        if (fs::is_directory(PathFromUtf8(folder), error))
            return folder;
    }
    return {};
}
