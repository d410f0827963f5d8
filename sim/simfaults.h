#pragma once
// The misbehaviour a test can order from the simulated device for its next reply: garbage
// instead of the reply, a NUL byte inside it, a flood of text after it, or the reply cut in
// half followed by a reset or a hang-up. Each order is armed once and used up by the next reply;
// several orders armed together all apply to that reply.
//
// Pure: the random bytes come from a generator seeded by the owner, so a seed repeats a run.

#include "sim/simprotocol.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

enum tSimAfterReply : int {
    ESimAfterNothing = 0,
    ESimAfterReset = 1,    // send the reset banner, leave configuration mode
    ESimAfterHangUp = 2,   // close the line
};

struct TSimTransmission {
    std::string Bytes;                       // what goes on the line
    tSimAfterReply After = ESimAfterNothing;
    std::string Note;                        // the faults applied, for the log; empty when none
};

class TSimFaults {
public:
    explicit TSimFaults(uint32_t seed) : FRandom(seed) {}

    void ArmGarbage(size_t count) { FGarbage = count; }
    void ArmNul() { FNul = true; }
    // keepReply: the flood follows the reply; otherwise it takes the reply's place.
    void ArmFlood(size_t count, bool keepReply) { FFlood = count; FFloodKeepsReply = keepReply; }
    void ArmResetMid() { FResetMid = true; }
    void ArmHangUpMid() { FHangUpMid = true; }
    bool Armed() const { return FGarbage || FNul || FFlood || FResetMid || FHangUpMid; }

    // What the device sends for reply; disarms every order it used.
    TSimTransmission Apply(const TSimReply& reply);

    // count bytes of any value but the prompt, control bytes included.
    std::string Garbage(size_t count);
    // count printable characters, no prompt among them.
    std::string Text(size_t count);

private:
    std::mt19937 FRandom;
    size_t FGarbage = 0;
    bool FNul = false;
    size_t FFlood = 0;
    bool FFloodKeepsReply = true;
    bool FResetMid = false;
    bool FHangUpMid = false;
};
