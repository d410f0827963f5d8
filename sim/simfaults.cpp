#include "sim/simfaults.h"

namespace {

void AddNote(std::string& note, const std::string& text)
{
    note += (note.empty() ? "" : ", ") + text;
}

}  // namespace

TSimTransmission TSimFaults::Apply(const TSimReply& reply)
{
    TSimTransmission out{reply.Bytes, ESimAfterNothing, {}};

    if (FGarbage) {
        out.Bytes = Garbage(FGarbage);
        AddNote(out.Note, "garbage " + std::to_string(FGarbage));
    } else if (FNul) {
        // Inside the echo, where a reader that stops at NUL loses the keyword it waits for; the
        // entry banner has no echo, so there it lands in the banner's text.
        const size_t at = reply.Kind == ESimReplyCommand ? reply.Line.size() / 2
                                                         : reply.Bytes.size() / 2;
        out.Bytes.insert(at, 1, '\0');
        AddNote(out.Note, "nul at " + std::to_string(at));
    }
    if (FFlood) {
        const std::string text = Text(FFlood);
        out.Bytes = FFloodKeepsReply ? out.Bytes + text : text;
        AddNote(out.Note, "flood " + std::to_string(FFlood));
    }
    // A hang-up ends everything, so it wins over a reset ordered for the same reply.
    if (FHangUpMid || FResetMid) {
        out.Bytes.resize(out.Bytes.size() / 2);
        out.After = FHangUpMid ? ESimAfterHangUp : ESimAfterReset;
        AddNote(out.Note, FHangUpMid ? "hang-up mid-reply" : "reset mid-reply");
    }

    FGarbage = 0;
    FNul = false;
    FFlood = 0;
    FResetMid = false;
    FHangUpMid = false;
    return out;
}

std::string TSimFaults::Garbage(size_t count)
{
    // 255 values: every byte but '#', which is mapped onto the one value above the range.
    std::uniform_int_distribution<int> byte(0, 254);
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        const int value = byte(FRandom);
        c = static_cast<char>(value == '#' ? 255 : value);
    }
    return bytes;
}

std::string TSimFaults::Text(size_t count)
{
    std::uniform_int_distribution<int> printable(0x20, 0x7e - 1);
    std::string text(count, ' ');
    for (char& c : text) {
        const int value = printable(FRandom);
        c = static_cast<char>(value == '#' ? 0x7e : value);
    }
    return text;
}
