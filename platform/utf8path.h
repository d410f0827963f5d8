#pragma once
// The program keeps file names as UTF-8 text. std::filesystem takes a narrow string in the
// system's code page on Windows, where a name with umlauts would change on the way; these convert
// through char8_t, which the library reads as UTF-8 on every system.

#include <filesystem>
#include <string>

inline std::filesystem::path PathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
