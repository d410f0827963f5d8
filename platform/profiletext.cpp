#include "platform/profiletext.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "platform/textencoding.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// ASCII only: bytes of multi-byte UTF-8 characters are all above 0x7F and stay as they are, so
// an umlaut in a name never turns into something else.
std::string Fold(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

std::string FoldedArgument(std::string_view name)
{
    return Fold(Trim(Utf8OrWindows1252(name)));
}

// The name of a section header line (blanks around it removed), or nothing for other lines.
std::optional<std::string_view> HeaderName(std::string_view line)
{
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] != '[')
        return std::nullopt;
    const size_t close = line.find(']', first);
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(first + 1, close - first - 1));
}

bool IsQuoted(std::string_view value)
{
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// The value of a key line as read: everything after the first "=", trimmed, one pair of
// enclosing quotes removed.
std::string ValueOfLine(std::string_view line)
{
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    if (IsQuoted(value))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// The text after "=" that reads back as value. Quotes keep blanks at either end and a value
// that is itself enclosed in quotes.
std::string StoredValue(const std::string& value)
{
    const bool needsQuotes = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || IsQuoted(value));
    return needsQuotes ? '"' + value + '"' : value;
}

[[noreturn]] void RaiseUnstorable(const std::string& text)
{
    throw ERangeError(FmtLoadStr(246, {text}));
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

TProfileText::TProfileText(std::string_view fileBytes)
{
    const std::string text = DecodeProfileBytes(fileBytes);
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        FLines.push_back(ParseLine(text.substr(start, end - start)));
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
}

TProfileText::TLine TProfileText::ParseLine(std::string text)
{
    // Blank lines, comments and lines starting with "[" but lacking "]" stay lkOther.
    TLine line;
    const size_t first = text.find_first_not_of(" \t");
    const size_t equals = text.find('=');
    if (const auto name = HeaderName(text)) {
        line.Kind = lkSection;
        line.FoldedName = Fold(*name);
    } else if (first != std::string::npos && text[first] != ';' && text[first] != '[' && equals != std::string::npos) {
        line.Kind = lkKey;
        line.FoldedName = Fold(Trim(std::string_view(text).substr(0, equals)));
    }
    line.Text = std::move(text);
    return line;
}

size_t TProfileText::FindSection(std::string_view foldedSection) const
{
    for (size_t i = 0; i < FLines.size(); ++i)
        if (FLines[i].Kind == lkSection && FLines[i].FoldedName == foldedSection)
            return i;
    return FLines.size();
}

size_t TProfileText::SectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < FLines.size() && FLines[i].Kind != lkSection)
        ++i;
    return i;
}

size_t TProfileText::FindKey(size_t header, std::string_view foldedKey) const
{
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i)
        if (FLines[i].Kind == lkKey && FLines[i].FoldedName == foldedKey)
            return i;
    return end;
}

std::vector<std::string> TProfileText::Sections() const
{
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const TLine& line : FLines) {
        if (line.Kind != lkSection || !seen.insert(line.FoldedName).second)
            continue;
        names.emplace_back(*HeaderName(line.Text));
    }
    return names;
}

std::vector<std::string> TProfileText::Keys(std::string_view section) const
{
    std::vector<std::string> names;
    const size_t header = FindSection(FoldedArgument(section));
    if (header == FLines.size())
        return names;
    std::unordered_set<std::string> seen;
    for (size_t i = header + 1; i < SectionEnd(header); ++i) {
        const TLine& line = FLines[i];
        if (line.Kind == lkKey && seen.insert(line.FoldedName).second)
            names.emplace_back(Trim(std::string_view(line.Text).substr(0, line.Text.find('='))));
    }
    return names;
}

bool TProfileText::SectionExists(std::string_view section) const
{
    return FindSection(FoldedArgument(section)) < FLines.size();
}

std::optional<std::string> TProfileText::Value(std::string_view section, std::string_view key) const
{
    const size_t header = FindSection(FoldedArgument(section));
    if (header == FLines.size())
        return std::nullopt;
    const size_t line = FindKey(header, FoldedArgument(key));
    if (line == SectionEnd(header))
        return std::nullopt;
    return ValueOfLine(FLines[line].Text);
}

void TProfileText::SetValue(std::string_view sectionArgument, std::string_view keyArgument, std::string_view valueArgument)
{
    const std::string section(Trim(Utf8OrWindows1252(sectionArgument)));
    const std::string key(Trim(Utf8OrWindows1252(keyArgument)));
    const std::string value = Utf8OrWindows1252(valueArgument);
    if (HasLineBreak(section) || section.find(']') != std::string::npos)
        RaiseUnstorable(section);
    if (HasLineBreak(key) || key.find('=') != std::string::npos || key.starts_with(';') || key.starts_with('['))
        RaiseUnstorable(key);
    if (HasLineBreak(value))
        RaiseUnstorable(value);

    const std::string keyLine = key + '=' + StoredValue(value);
    const size_t header = FindSection(Fold(section));
    if (header == FLines.size()) {
        if (!FLines.empty() && !Trim(FLines.back().Text).empty())
            FLines.push_back(ParseLine(""));
        FLines.push_back(ParseLine('[' + section + ']'));
        FLines.push_back(ParseLine(keyLine));
        return;
    }

    const size_t end = SectionEnd(header);
    const size_t existing = FindKey(header, Fold(key));
    if (existing < end) {
        if (ValueOfLine(FLines[existing].Text) == value)
            return;
        // The key keeps the spelling the file gave it.
        const std::string& text = FLines[existing].Text;
        const std::string_view spelling = Trim(std::string_view(text).substr(0, text.find('=')));
        FLines[existing] = ParseLine(std::string(spelling) + '=' + StoredValue(value));
        return;
    }
    // After the section's last key, so that blank lines and comments closing the section stay
    // at its end.
    size_t insertAt = header + 1;
    for (size_t i = header + 1; i < end; ++i)
        if (FLines[i].Kind == lkKey)
            insertAt = i + 1;
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(insertAt), ParseLine(keyLine));
}

void TProfileText::EraseSection(std::string_view section)
{
    const std::string folded = FoldedArgument(section);
    std::vector<TLine> kept;
    kept.reserve(FLines.size());
    bool inErased = false;
    for (TLine& line : FLines) {
        if (line.Kind == lkSection)
            inErased = line.FoldedName == folded;
        if (!inErased)
            kept.push_back(std::move(line));
    }
    FLines = std::move(kept);
}

std::string TProfileText::Encoded() const
{
    std::string text;
    for (const TLine& line : FLines) {
        text += line.Text;
        text += "\r\n";
    }
    return EncodeProfileText(text);
}
