#pragma once
// The two code pages of profile files. Text inside the program is UTF-8; files of the older
// Windows tool are Windows-1252, and files whose text does not fit that code page are UTF-8 with
// a byte-order mark.
//
// Windows-1252 is taken in full: 0x80..0x9F are the typographic characters (€ ‚ ƒ „ … and so
// on), and the five bytes the code page leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) stand for
// the control characters of the same number, so that every byte sequence decodes and encodes
// back to itself.

#include <optional>
#include <string>
#include <string_view>

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

std::string Windows1252ToUtf8(std::string_view bytes);
// Nothing when a character has no Windows-1252 byte or the text is not valid UTF-8.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

// Text handed to the program from outside that is not valid UTF-8 is taken as Windows-1252,
// the same guess the file reader makes.
std::string Utf8OrWindows1252(std::string_view bytes);

// The text of a profile file: without a byte-order mark when the file is valid UTF-8, otherwise
// the whole file (a byte-order mark included) read as Windows-1252.
std::string DecodeProfileBytes(std::string_view bytes);

// The bytes of a profile file: Windows-1252 when the text fits it and those bytes would not read
// back as different UTF-8 text; otherwise a byte-order mark and UTF-8.
std::string EncodeProfileText(std::string_view text);
