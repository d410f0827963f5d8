#include "cli/talvctlalldevices.h"

#include "cli/talvctlinputerror.h"
#include "cli/talvctltext.h"
#include "documents/kovdocument.h"
#include "platform/utf8path.h"
#include "slutil/slportmap.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <thread>

namespace {

// One spelling for every name of a port, so that a link (/dev/serial/by-id/...) and the tty it
// leads to count as the same port.
std::string SamePort(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(PathFromUtf8(path), error);
    return error ? path : Utf8FromPath(canonical);
}

// The summary stays one line: a port's error goes on with the ports found, which the device's
// own report shows in full.
std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

}  // namespace

TTalvctlAllDevices::TTalvctlAllDevices(const TKovDocument& document, const TslPortMap& ports,
                                       const std::string& context)
{
    RequireOwnPorts(document, ports, context);
    for (int i = 0; i < document.DeviceCount(); ++i) {
        const TKovParameters& device = document.Parameters(i);
        auto engine = std::make_unique<TKovTerminal>();
        // Named in the port's errors; the engine opens DevicePath.
        engine->Parameters().SetCOMPort(device.GetCOMPort());
        FDevices.push_back({device.GetKovName(), ports.Path(device.GetCOMPort()), std::move(engine), std::nullopt});
    }
}

void TTalvctlAllDevices::RequireOwnPorts(const TKovDocument& document, const TslPortMap& ports,
                                         const std::string& context)
{
    std::map<std::string, int> owners;  // each port and the first device on it
    for (int i = 0; i < document.DeviceCount(); ++i) {
        const TKovParameters& device = document.Parameters(i);
        const std::string& path = ports.Path(device.GetCOMPort());
        const auto [owner, first] = owners.emplace(SamePort(path), i);
        if (first)
            continue;
        const TKovParameters& other = document.Parameters(owner->second);
        throw ETalvctlInputError(
            context + TalvctlMessage(QT_TRANSLATE_NOOP("talvctl",
                                                       "Geräte \"%s\" (COM%d) und \"%s\" (COM%d) führen beide zu %s"),
                                     {other.GetKovName(), other.GetCOMPort() + 1, device.GetKovName(),
                                      device.GetCOMPort() + 1, path}));
    }
}

void TTalvctlAllDevices::Run(int timeOutMs, bool fast, const TLogLine& log, const TExchange& exchange)
{
    for (TDevice& device : FDevices) {
        TKovTerminal& engine = *device.Engine;
        engine.SetDevicePath(device.DevicePath);
        engine.SetComTimeOut(timeOutMs);
        engine.SetFastTransfer(fast);
        if (log) {
            // The events fire on the thread that runs the device's exchange.
            engine.OnLogSend = [log, name = device.Name](TKovTerminal& terminal) {
                log(name + ": TALV <= " + terminal.SentString());
            };
            engine.OnLogReceived = [log, name = device.Name](TKovTerminal& terminal) {
                log(name + ": TALV => " + terminal.ReceivedString());
            };
        }
        device.Error.reset();
    }

    // Each thread works on its own device alone. The threads are joined at the end of this block,
    // also when one of them cannot be started: that hands the engines and the errors back to the
    // calling thread.
    std::vector<std::jthread> threads;
    threads.reserve(FDevices.size());
    for (TDevice& device : FDevices)
        threads.emplace_back([&device, &exchange] {
            try {
                device.Engine->Open();
                exchange(*device.Engine);
                device.Engine->Close();
            } catch (const std::exception& e) {
                device.Error = e.what();
            }
        });
    threads.clear();
}

bool TTalvctlAllDevices::AllSucceeded() const
{
    return std::all_of(FDevices.begin(), FDevices.end(), [](const TDevice& device) { return !device.Error; });
}

std::vector<std::string> TTalvctlAllDevices::Reports(const std::string& done) const
{
    std::vector<std::string> reports;
    for (const TDevice& device : FDevices)
        reports.push_back(device.Name + ": " + device.Error.value_or(done));
    return reports;
}

std::string TTalvctlAllDevices::Summary(const std::string& done) const
{
    const int count = Count();
    const int succeeded =
        static_cast<int>(std::count_if(FDevices.begin(), FDevices.end(), [](const TDevice& d) { return !d.Error; }));
    std::string summary =
        count == 1 ? TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "%d von %d Gerät: %s"), {succeeded, count, done})
                   : TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "%d von %d Geräten: %s"), {succeeded, count, done});
    for (const TDevice& device : FDevices)
        if (device.Error)
            summary += "; " + device.Name + ": " + FirstLine(*device.Error);
    return summary;
}
