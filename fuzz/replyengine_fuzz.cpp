// Feeds arbitrary device output to the reply engine, cut into reads at arbitrary points, while
// the terminal waits for an arbitrary reply. Any failure must be one of the program's own
// errors; nothing may crash, hang or leak.
#include "platform/exceptions.h"
#include "terminal/kovterminal.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The port stays closed: commands write nothing, and the nested read of a start-string
    // answer fails with a system error instead of blocking.
    const auto terminal = std::make_unique<TKovTerminal>();
    terminal->SetComTimeOut(60000);

    const auto wait = static_cast<tKovWaitForCmd>(data[0] % 15);
    uint32_t cut = data[1];
    const std::string output(reinterpret_cast<const char*>(data + 2), size - 2);

    terminal->Send("", wait);
    size_t position = 0;
    while (position < output.size()) {
        cut = cut * 1103515245u + 12345u;
        const size_t length = 1 + (cut >> 16) % 64;
        try {
            terminal->ProcessReceivedText(output.substr(position, length));
        } catch (const Exception&) {
            // Wrong answers, bad values and failed nested reads are the engine's to report.
        }
        position += length;
    }
    return 0;
}
