#include "main/recentfiles.h"

#include "platform/inifile.h"

#include <algorithm>
#include <filesystem>

namespace {

std::string Key(int number)
{
    return "File" + std::to_string(number);
}

}  // namespace

std::string TRecentFiles::Normalized(const std::string& fileName)
{
    return std::filesystem::absolute(fileName).lexically_normal().string();
}

void TRecentFiles::Add(const std::string& fileName)
{
    const std::string path = Normalized(fileName);
    std::erase(FEntries, path);
    FEntries.insert(FEntries.begin(), path);
    if (FEntries.size() > MaxEntries)
        FEntries.resize(MaxEntries);
}

void TRecentFiles::Remove(const std::string& fileName)
{
    std::erase(FEntries, Normalized(fileName));
}

void TRecentFiles::Load(const TIniFile& ini)
{
    FEntries.clear();
    for (int number = 1; number <= MaxEntries; ++number) {
        const std::string value = ini.ReadString(Section, Key(number), "");
        // A relative path would name another file in every folder the program starts in.
        if (value.empty() || !std::filesystem::path(value).is_absolute())
            continue;
        const std::string path = Normalized(value);
        if (std::find(FEntries.begin(), FEntries.end(), path) == FEntries.end())
            FEntries.push_back(path);
    }
}

void TRecentFiles::Save(TIniFile& ini) const
{
    // Erased first, so that no key of a longer list stays behind.
    ini.EraseSection(Section);
    for (std::size_t i = 0; i < FEntries.size(); ++i)
        ini.WriteString(Section, Key(static_cast<int>(i) + 1), FEntries[i]);
}
