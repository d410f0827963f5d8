// Why not SimpleIni (libsimpleini-dev 4.19), which was tried first: it keeps the file as a map
// of sections and keys and writes it anew from that map. A duplicate key keeps the last value,
// not the first, and is dropped on saving (with multi-keys allowed it keeps both, but a write
// adds a further line instead of changing the first); lines without "=", lines above the first
// section and the layout of "key = value" lines are lost; blank lines are rewritten; a second
// section of the same name is merged into the first; it writes LF only and knows no
// Windows-1252. Files of the older Windows tool would not survive a save unchanged, so the text
// is kept line by line here (TProfileText).
#include "platform/inifile.h"

#include "platform/exceptions.h"
#include "platform/profiletext.h"
#include "platform/resstrings.h"
#include "platform/wholefile.h"

#include <charconv>

struct TIniFile::TData {
    std::string FileName;
    TProfileText Text;
    bool Unreadable = false;
};

TIniFile::TIniFile(const std::string& fileName)
    : FData(std::make_unique<TData>())
{
    FData->FileName = fileName;
    if (const auto bytes = ReadWholeFile(fileName))
        FData->Text = TProfileText(*bytes);
    else
        FData->Unreadable = true;
}

TIniFile::~TIniFile() = default;

const std::string& TIniFile::FileName() const
{
    return FData->FileName;
}

std::vector<std::string> TIniFile::ReadSections() const
{
    return FData->Text.Sections();
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    return FData->Text.Keys(section);
}

bool TIniFile::SectionExists(const std::string& section) const
{
    return FData->Text.SectionExists(section);
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    return FData->Text.Value(section, key).has_value();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const
{
    return FData->Text.Value(section, key).value_or(defaultValue);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    const auto value = FData->Text.Value(section, key);
    if (!value)
        return defaultValue;
    // Quotes may have kept blanks around the number. from_chars takes "-" but not "+", and stops
    // at the first character that is not a digit, so "12abc" is caught by where it stopped.
    std::string_view digits = *value;
    while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t'))
        digits.remove_prefix(1);
    while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t'))
        digits.remove_suffix(1);
    if (digits.starts_with('+') && digits.size() > 1 && digits[1] != '-')
        digits.remove_prefix(1);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return defaultValue;
    return number;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    FData->Text.SetValue(section, key, value);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::EraseSection(const std::string& section)
{
    FData->Text.EraseSection(section);
}

void TIniFile::CheckWritable() const
{
    if (FData->Unreadable || !MayReplaceWholeFile(FData->FileName))
        throw Exception(FmtLoadStr(245, {FData->FileName}));
}

void TIniFile::UpdateFile()
{
    CheckWritable();
    if (!ReplaceWholeFile(FData->FileName, Encoded()))
        throw Exception(FmtLoadStr(245, {FData->FileName}));
}

std::string TIniFile::Encoded() const
{
    return FData->Text.Encoded();
}
