#include "platform/textencoding.h"

#include <array>
#include <cstdint>
#include <utility>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Code points of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves undefined keep their
// own number, so reading and writing them back is lossless.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The code point starting at text[position], advancing position past it; nothing (position
// unchanged) for a malformed sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, size_t& position)
{
    const auto lead = static_cast<uint8_t>(text[position]);
    if (lead < 0x80) {
        ++position;
        return lead;
    }
    // Lengths 2, 3 and 4 with the smallest code point each may carry (anything below is an
    // overlong form).
    const size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0)
        return std::nullopt;
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t codePoint = lead & (0x7F >> length);
    if (text.size() - position < length)
        return std::nullopt;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(text[position + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < smallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return std::nullopt;
    position += length;
    return codePoint;
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        // Windows-1252 never needs more than three bytes.
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::optional<char> Windows1252Byte(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (size_t i = 0; i < HighControlRange.size(); ++i)
        if (HighControlRange[i] == codePoint)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

bool IsAscii(std::string_view bytes)
{
    for (const char c : bytes)
        if (static_cast<uint8_t>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    size_t position = 0;
    while (position < bytes.size())
        if (!NextCodePoint(bytes, position))
            return false;
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        AppendUtf8(text, byte >= 0x80 && byte < 0xA0 ? HighControlRange[byte - 0x80] : byte);
    }
    return text;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    size_t position = 0;
    while (position < text.size()) {
        const auto codePoint = NextCodePoint(text, position);
        if (!codePoint)
            return std::nullopt;
        const auto byte = Windows1252Byte(*codePoint);
        if (!byte)
            return std::nullopt;
        bytes += *byte;
    }
    return bytes;
}

std::string Utf8OrWindows1252(std::string_view bytes)
{
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string DecodeProfileBytes(std::string_view bytes)
{
    if (!IsValidUtf8(bytes))
        return Windows1252ToUtf8(bytes);
    if (bytes.starts_with(ByteOrderMark))
        bytes.remove_prefix(ByteOrderMark.size());
    return std::string(bytes);
}

std::string EncodeProfileText(std::string_view text)
{
    // Windows-1252 bytes that happen to form valid UTF-8 (say "Ã¤", or "ï»¿" at the start, which
    // looks like a byte-order mark) would be read back as other text; such a file goes out as
    // UTF-8 too.
    if (auto bytes = Utf8ToWindows1252(text); bytes && (IsAscii(*bytes) || !IsValidUtf8(*bytes)))
        return std::move(*bytes);
    std::string bytes(ByteOrderMark);
    bytes += text;
    return bytes;
}
