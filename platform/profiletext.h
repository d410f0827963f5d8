#pragma once
// The text of a profile (INI) file in memory, line by line, for TIniFile. It is its own class so
// that the reading and writing rules can be driven without a file (the fuzz target does).
//
// The lines:
//   "[name]"     opens a section; blanks around the name and anything after "]" are ignored.
//   ";..."       (after blanks) a comment.
//   "key=value"  a key of the section above it: the key is the text before the first "=", the
//                value everything after it, both without surrounding blanks. A value enclosed in
//                one pair of double quotes reads without them, as in the older Windows tool.
//   anything else (blank lines, lines without "=", keys above the first section, "[" without
//   "]") is kept as it is and means nothing.
// Names match without regard to ASCII case; blanks around the names a caller gives are ignored
// as well, and names or values that are not valid UTF-8 are taken as Windows-1252, as a file
// would be. When a section name occurs more than once, the first occurrence is the section:
// reads and writes go to it, and the lines of later ones are kept but never read. Within a
// section the first occurrence of a key wins.
//
// Every line that is not written to stays byte for byte as it was. Line ends are CR LF, LF or a
// lone CR on reading and CR LF on writing; the last line always gets one.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TProfileText {
public:
    TProfileText() = default;
    // The bytes of a file, decoded as DecodeProfileBytes does.
    explicit TProfileText(std::string_view fileBytes);

    std::vector<std::string> Sections() const;
    // Key names of the section in file order, each once (the first spelling).
    std::vector<std::string> Keys(std::string_view section) const;
    bool SectionExists(std::string_view section) const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // A new key goes after the section's last key (right after its header when it has none); a
    // new section goes to the end of the file, after a blank line unless the file is empty or
    // ends in one. A name or value that a line cannot hold (a line break, "]" in a section name, "=" in a key,
    // a key starting like a comment or a section) raises ERangeError
    // "'<text>' kann nicht in einer Profildatei stehen". Values with blanks at either end or
    // enclosed in quotes are written in quotes so that they read back unchanged. Writing the
    // value a key already reads as leaves its line untouched.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    void EraseSection(std::string_view section);

    // The file's bytes, as EncodeProfileText makes them.
    std::string Encoded() const;

private:
    enum tLineKind { lkOther, lkSection, lkKey };
    struct TLine {
        std::string Text;
        tLineKind Kind = lkOther;
        // Section or key name as compared (blanks removed, ASCII lower case).
        std::string FoldedName;
    };

    static TLine ParseLine(std::string text);
    // Index of the first header of the section, or FLines.size().
    size_t FindSection(std::string_view foldedSection) const;
    // Index of the first line after the section that starts at header.
    size_t SectionEnd(size_t header) const;
    // Index of the key's first line in the section starting at header, or SectionEnd(header).
    size_t FindKey(size_t header, std::string_view foldedKey) const;

    std::vector<TLine> FLines;
};
