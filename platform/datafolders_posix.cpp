#include "platform/datafolders.h"

#include <filesystem>
#include <system_error>

std::string ProgramFileName()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}
