#pragma once
// One serial port opened exclusively with 9600 8N1, no handshake, reached as COM1..COM4.
// Each COM name maps to a device path (/dev/ttyS0../dev/ttyS3 unless the owner gives an
// explicit path, which may also be a pseudo-terminal; on Windows \\.\COM1..\\.\COM4, and an
// explicit "COM7" means \\.\COM7).

#include "slutil/slcommtimeouts.h"
#include "slutil/slline.h"

#include <atomic>
#include <cstdint>
#include <string>

enum tCOMPorts : int { COM1 = 0, COM2 = 1, COM3 = 2, COM4 = 3 };

class TslCOMPort : public TslLine {
public:
    enum tCOMPortState : int { stWriting = 1, stReading = 2, stOpen = 3, stClosed = 4 };

    static constexpr uint32_t ReadChunk = 976;     // bytes asked for by one Read
    static constexpr size_t ReceiveAreaSize = 1024;

    TslCOMPort();
    ~TslCOMPort() override;
    TslCOMPort(const TslCOMPort&) = delete;
    TslCOMPort& operator=(const TslCOMPort&) = delete;

    tCOMPorts GetCOMPort() const { return FCOMPort; }
    void SetCOMPort(tCOMPorts port) { FCOMPort = port; }

    // Explicit device path; empty means the default path of COMPort.
    const std::string& GetDevicePath() const { return FDevicePath; }
    void SetDevicePath(const std::string& path) { FDevicePath = path; }

    // "COM1".."COM4" (any other COMPort value counts as COM1) and the path it reaches.
    std::string PortName() const;
    std::string DeviceName() const;

    TslCommTimeOuts& CommTimeOuts() { return FCommTimeOuts; }
    // The read time-out asked for, whether or not it has reached the port yet.
    int32_t ReadTimeOut() const override { return FCommTimeOuts.ReadTotalTimeoutConstant(); }
    // Hands the time-outs asked for to the port now; Open does so with its own values.
    void ApplyCommTimeOuts();

    // Opens exclusively; does nothing when already open. Raises EOSError with
    // PortOpenErrorMessage (the port, its device, why, and what to do) when the device is
    // missing, busy or denied.
    void Open() override;
    // Releases the port; nothing on a closed port. The result is whether the port was open.
    bool Close() override;

    // One bounded read of at most ReadChunk bytes under the applied time-outs. False when the
    // port is closed or the read failed (LastError tells why; a hang-up is a failure, EIO).
    // A zero byte ends the text of that read; what follows it is dropped.
    bool Read(std::string& text, uint32_t* count) override;
    // Writes every byte; true without writing on a closed port.
    bool Write(const std::string& text) override;
    void PurgeInput() override;

    bool GetActive() const override { return GetState() != stClosed; }
    void SetActive(bool active);
    tCOMPortState GetState() const { return FState.load(); }
    void SetState(tCOMPortState state) { FState.store(state); }

    // errno (on Windows GetLastError's code) of the last failed Open, Read or Write; 0 when none
    // failed.
    int LastError() const override { return FLastError; }

private:
    bool HasHandle() const;
    void ConfigureLine();
    // One read of at most ReadChunk bytes into the receive area, and the write of every byte of
    // text, under the applied time-outs. The result is 0 or the error code of the failure.
    int ReceiveChunk(size_t& received);
    int Send(const std::string& text);

    tCOMPorts FCOMPort = COM1;
    std::string FDevicePath;
    TslCommTimeOuts FCommTimeOuts;
    TslTimeOutRecord FAppliedTimeOuts;
#ifdef _WIN32
    void* FHandle = nullptr;  // the port's HANDLE; windows.h stays out of this header
#else
    int FHandle = -1;
#endif
    std::atomic<tCOMPortState> FState{stClosed};
    int FLastError = 0;
    char FReceiveArea[ReceiveAreaSize] = {};
};
