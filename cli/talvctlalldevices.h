#pragma once
// One exchange on every shown device of a plan at once, as "receive --into FILE --all" and
// "send FILE --all" run it: each device gets a protocol engine and a thread of its own, and its
// engine opens the port that the device's COM port leads to. A device that fails keeps none of
// the others from finishing; each one's outcome is reported under its name.

#include "terminal/kovterminal.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TKovDocument;
class TslPortMap;

class TTalvctlAllDevices {
public:
    using TExchange = std::function<void(TKovTerminal& engine)>;
    // Takes one whole line at a time, from the thread of the device it belongs to.
    using TLogLine = std::function<void(const std::string& line)>;

    // The shown devices of document, each on the device path ports gives its COM port; raises
    // RequireOwnPorts' error.
    TTalvctlAllDevices(const TKovDocument& document, const TslPortMap& ports, const std::string& context);
    TTalvctlAllDevices(const TTalvctlAllDevices&) = delete;
    TTalvctlAllDevices& operator=(const TTalvctlAllDevices&) = delete;

    // Raises ETalvctlInputError "<context>..." naming both devices when two shown devices of
    // document would share a port: the second could not open it, and the call makes sense only
    // once the plan says which device is where.
    static void RequireOwnPorts(const TKovDocument& document, const TslPortMap& ports, const std::string& context);

    // The devices in the document's order: index i is device i + 1.
    int Count() const { return static_cast<int>(FDevices.size()); }
    // The engine of device index: the caller copies parameters into it before Run and out of
    // it after Run, never while Run is under way.
    TKovTerminal& Engine(int index) { return *FDevices[index].Engine; }
    const TKovTerminal& Engine(int index) const { return *FDevices[index].Engine; }

    // Runs exchange on every engine at once, each on a thread of its own between the opening of
    // its port and its close, and returns when all have ended. With a log, every line an engine
    // sends or receives goes there as "<name>: TALV <= <line>" or "<name>: TALV => <line>".
    void Run(int timeOutMs, bool fast, const TLogLine& log, const TExchange& exchange);

    bool Succeeded(int index) const { return !FDevices[index].Error; }
    // After Run: device index failed after all, with error (its values could not be taken over).
    void Fail(int index, const std::string& error) { FDevices[index].Error = error; }
    bool AllSucceeded() const;
    // Per device, in the document's order: "<name>: <done>" or "<name>: <its error>".
    std::vector<std::string> Reports(const std::string& done) const;
    // "4 von 5 Geräten: <done>", followed by "; <name>: <error>" for each device that failed,
    // with the first line of its error.
    std::string Summary(const std::string& done) const;

private:
    struct TDevice {
        std::string Name;
        std::string DevicePath;
        std::unique_ptr<TKovTerminal> Engine;
        // Written by the device's thread only, read after it has been joined.
        std::optional<std::string> Error;
    };

    std::vector<TDevice> FDevices;
};
