// Reads arbitrary bytes as a profile file, writes one key and erases one section, and checks
// that the bytes it would write read back exactly as the text in memory reads: every section,
// every probed key, the written value. A difference aborts; nothing may crash, hang or leak.
//
// Input: the file's bytes, optionally followed by "\0\0" and "section\0key\0value" for the
// write (otherwise names taken from the file are written to).
#include "platform/exceptions.h"
#include "platform/profiletext.h"
#include "platform/textencoding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct TProbe {
    std::string Section;
    std::string Key;
};

// Keys to look up: the text before "=" of the file's lines (any line, so that keys above the
// first section and in comments are probed too), and one that surely is not there.
std::vector<std::string> ProbeKeys(std::string_view file)
{
    std::vector<std::string> keys{"no such key"};
    size_t start = 0;
    while (start < file.size() && keys.size() < 16) {
        const size_t end = std::min(file.find_first_of("\r\n", start), file.size());
        const std::string_view line = file.substr(start, end - start);
        if (const size_t equals = line.find('='); equals != std::string_view::npos)
            keys.emplace_back(line.substr(0, equals));
        start = end + 1;
    }
    return keys;
}

std::vector<TProbe> Probes(const TProfileText& text, const std::vector<std::string>& keys)
{
    std::vector<TProbe> probes;
    std::vector<std::string> sections = text.Sections();
    sections.push_back("no such section");
    for (size_t s = 0; s < sections.size() && s < 8; ++s)
        for (const std::string& key : keys)
            probes.push_back({sections[s], key});
    return probes;
}

std::vector<std::optional<std::string>> Reads(const TProfileText& text, const std::vector<TProbe>& probes)
{
    std::vector<std::optional<std::string>> values;
    for (const TProbe& probe : probes)
        values.push_back(text.Value(probe.Section, probe.Key));
    return values;
}

// The matching rule, spelled out independently: blanks around names and ASCII case do not count.
bool SameName(std::string_view a, std::string_view b)
{
    const auto folded = [](std::string_view name) {
        std::string text = Utf8OrWindows1252(name);
        const size_t first = text.find_first_not_of(" \t");
        text = first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
        for (char& c : text)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + ('a' - 'A'));
        return text;
    };
    return folded(a) == folded(b);
}

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// The bytes of text, read again, must read as text does; and writing them again changes nothing.
void CheckRoundTrip(const TProfileText& text, const std::vector<TProbe>& probes)
{
    const std::string bytes = text.Encoded();
    const TProfileText reread(bytes);
    Check(reread.Sections() == text.Sections());
    for (const TProbe& probe : probes) {
        Check(reread.SectionExists(probe.Section) == text.SectionExists(probe.Section));
        Check(reread.Value(probe.Section, probe.Key) == text.Value(probe.Section, probe.Key));
    }
    Check(reread.Encoded() == bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find(std::string_view("\0\0", 2));
    const std::string_view file = input.substr(0, split);

    TProfileText text(file);
    const std::vector<std::string> keys = ProbeKeys(DecodeProfileBytes(file));
    std::vector<TProbe> probes = Probes(text, keys);
    CheckRoundTrip(text, probes);

    const std::vector<std::string> sections = text.Sections();
    std::string section = sections.empty() ? "Neu" : sections[size % sections.size()];
    std::string key = keys[size % keys.size()];
    std::string value = "wert";
    if (split != std::string_view::npos) {
        const std::string_view request = input.substr(split + 2);
        const size_t first = request.find('\0');
        const size_t second = first == std::string_view::npos ? first : request.find('\0', first + 1);
        section = request.substr(0, first);
        key = first == std::string_view::npos ? "" : request.substr(first + 1, second - first - 1);
        value = second == std::string_view::npos ? "" : request.substr(second + 1);
    }

    // Writing one key changes no other read; a refused write changes nothing at all.
    const auto readsBefore = Reads(text, probes);
    const std::string bytesBefore = text.Encoded();
    try {
        text.SetValue(section, key, value);
        Check(text.Value(section, key) == Utf8OrWindows1252(value));
        const auto readsAfter = Reads(text, probes);
        for (size_t i = 0; i < probes.size(); ++i)
            if (!SameName(probes[i].Section, section) || !SameName(probes[i].Key, key))
                Check(readsAfter[i] == readsBefore[i]);
        probes.push_back({section, key});
    } catch (const ERangeError&) {
        Check(text.Encoded() == bytesBefore);
    }
    CheckRoundTrip(text, probes);

    if (!sections.empty()) {
        const std::string erased = sections[(size / 7) % sections.size()];
        const auto readsKept = Reads(text, probes);
        text.EraseSection(erased);
        Check(!text.SectionExists(erased));
        const auto readsAfter = Reads(text, probes);
        for (size_t i = 0; i < probes.size(); ++i)
            Check(SameName(probes[i].Section, erased) ? !readsAfter[i] : readsAfter[i] == readsKept[i]);
        CheckRoundTrip(text, probes);
    }
    return 0;
}
