// Protects the code-page rules of profile files: the full Windows-1252 table, strict UTF-8, and
// the choice of encoding on writing that never loses text.
#include "platform/textencoding.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(TextEncoding, Windows1252TableIsCompleteAndLossless)
{
    const std::pair<unsigned char, const char*> known[] = {
        {0x80, "€"}, {0x82, "‚"}, {0x83, "ƒ"}, {0x84, "„"}, {0x85, "…"}, {0x8A, "Š"}, {0x8C, "Œ"},
        {0x8E, "Ž"}, {0x91, "‘"}, {0x93, "“"}, {0x96, "–"}, {0x97, "—"}, {0x99, "™"}, {0x9C, "œ"},
        {0x9F, "Ÿ"}, {0x81, "\xC2\x81"}, {0x8D, "\xC2\x8D"}, {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"},
        {0x9D, "\xC2\x9D"}, {0xA0, "\xC2\xA0"}, {0xE4, "ä"}, {0xDF, "ß"}, {0xFF, "ÿ"}, {0x41, "A"},
    };
    for (const auto& [byte, text] : known)
        EXPECT_EQ(Windows1252ToUtf8(std::string(1, static_cast<char>(byte))), text) << int(byte);

    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(every)), every);
}

TEST(TextEncoding, Utf8IsReadStrictly)
{
    const std::pair<const char*, bool> cases[] = {
        {"plain", true}, {"ä€→Ж", true}, {"\xF0\x9F\x98\x80", true}, {"\xF4\x8F\xBF\xBF", true},
        {"\xC3", false},             // cut short
        {"\x80", false},             // continuation byte alone
        {"\xC0\x80", false},         // overlong NUL
        {"\xE0\x80\xAF", false},     // overlong "/"
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", false},
        {"Gr\xFC\xDF", false},
    };
    for (const auto& [bytes, valid] : cases)
        EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
}

TEST(TextEncoding, FileBytesAreDecodedByByteOrderMarkThenUtf8ThenWindows1252)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\xEF\xBB\xBFk=\xE2\x86\x92", "k=→"},
        {"k=\xC3\xA4", "k=ä"},
        {"k=\xE4\x80", "k=ä€"},
        // A byte-order mark before text that is not UTF-8 is taken as Windows-1252 as well.
        {"\xEF\xBB\xBFk=\xE4", "ï»¿k=ä"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(DecodeProfileBytes(bytes), text) << bytes;
}

TEST(TextEncoding, WritingChoosesWindows1252OnlyWhenItReadsBackTheSame)
{
    const std::pair<const char*, const char*> cases[] = {
        {"k=ä€ß\r\n", "k=\xE4\x80\xDF\r\n"},
        {"k=→\r\n", "\xEF\xBB\xBFk=\xE2\x86\x92\r\n"},
        {"k=Ж ä\r\n", "\xEF\xBB\xBFk=\xD0\x96 \xC3\xA4\r\n"},
        {"k=\xC2\x80", "\xEF\xBB\xBFk=\xC2\x80"}, // U+0080 has no byte: 0x80 is the euro sign
        // Windows-1252 bytes of these would be valid UTF-8 (or a byte-order mark) of other text.
        {"Ã¤", "\xEF\xBB\xBF\xC3\x83\xC2\xA4"},
        {"ï»¿x", "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBFx"},
        {"", ""},
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(EncodeProfileText(text), bytes) << text;
        EXPECT_EQ(DecodeProfileBytes(EncodeProfileText(text)), text) << text;
    }
}
