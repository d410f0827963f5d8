#pragma once
// The plans opened or saved last, newest first, as the "Datei" menu lists them: at most
// MaxEntries, each file once, known by its absolute, cleaned path. The settings file holds them
// in section "RecentFiles" as File1 (the newest) to File8.
//
// Loading takes what is sound and leaves out the rest: keys File1 to File8 in number order,
// empty or relative values skipped, a path met before dropped, nothing beyond MaxEntries.

#include <string>
#include <vector>

class TIniFile;

class TRecentFiles {
public:
    static constexpr int MaxEntries = 8;
    static constexpr const char* Section = "RecentFiles";

    const std::vector<std::string>& Entries() const { return FEntries; }
    bool Empty() const { return FEntries.empty(); }

    // Puts the file at the top, taking it from where it was; the oldest entry beyond
    // MaxEntries drops off.
    void Add(const std::string& fileName);
    void Remove(const std::string& fileName);
    void Clear() { FEntries.clear(); }

    // Replaces the entries by those of the settings file.
    void Load(const TIniFile& ini);
    // Writes the section anew; an empty list leaves no section. Other sections stay as they are.
    void Save(TIniFile& ini) const;

    // The absolute path with "." and ".." resolved and doubled separators joined, as the list
    // compares and stores it; links are not followed (a plan reached two ways is listed as
    // the user named it).
    static std::string Normalized(const std::string& fileName);

private:
    std::vector<std::string> FEntries;
};
