#pragma once
// A fresh directory for file tests, removed with everything in it.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <cstdlib>

class TTempDir {
public:
    TTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "talvtest.XXXXXX").string();
        if (mkdtemp(pattern.data()))
            FPath = pattern;
    }
    ~TTempDir()
    {
        std::error_code ignored;
        if (!FPath.empty())
            std::filesystem::remove_all(FPath, ignored);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    std::string Path() const { return FPath.string(); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(FPath / name); }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    std::filesystem::path FPath;
};
