#include "slutil/slcomport.h"

#include "platform/exceptions.h"
#include "platform/win32text.h"
#include "slutil/slportmap.h"
#include "slutil/slportopenerror.h"

#include <windows.h>

namespace {

constexpr const char* DeviceNamespace = "\\\\.\\";

HANDLE Handle(void* handle)
{
    return static_cast<HANDLE>(handle);
}

TslTimeOutRecord RecordOf(const COMMTIMEOUTS& timeOuts)
{
    TslTimeOutRecord record;
    record.ReadIntervalTimeout = static_cast<int32_t>(timeOuts.ReadIntervalTimeout);
    record.ReadTotalTimeoutMultiplier = static_cast<int32_t>(timeOuts.ReadTotalTimeoutMultiplier);
    record.ReadTotalTimeoutConstant = static_cast<int32_t>(timeOuts.ReadTotalTimeoutConstant);
    record.WriteTotalTimeoutMultiplier = static_cast<int32_t>(timeOuts.WriteTotalTimeoutMultiplier);
    record.WriteTotalTimeoutConstant = static_cast<int32_t>(timeOuts.WriteTotalTimeoutConstant);
    return record;
}

COMMTIMEOUTS TimeOutsOf(const TslTimeOutRecord& record)
{
    COMMTIMEOUTS timeOuts{};
    timeOuts.ReadIntervalTimeout = static_cast<DWORD>(record.ReadIntervalTimeout);
    timeOuts.ReadTotalTimeoutMultiplier = static_cast<DWORD>(record.ReadTotalTimeoutMultiplier);
    timeOuts.ReadTotalTimeoutConstant = static_cast<DWORD>(record.ReadTotalTimeoutConstant);
    timeOuts.WriteTotalTimeoutMultiplier = static_cast<DWORD>(record.WriteTotalTimeoutMultiplier);
    timeOuts.WriteTotalTimeoutConstant = static_cast<DWORD>(record.WriteTotalTimeoutConstant);
    return timeOuts;
}

} // namespace

// A chosen "COM7" is the port of that name; the device namespace prefix lets names above COM9
// open as well.
std::string TslCOMPort::DeviceName() const
{
    if (FDevicePath.empty())
        return TslPortMap::DefaultPath(FCOMPort);
    return FDevicePath.starts_with(DeviceNamespace) ? FDevicePath : DeviceNamespace + FDevicePath;
}

bool TslCOMPort::HasHandle() const
{
    return FHandle != nullptr;
}

// The driver applies the time-outs itself, so they reach it here; before Open they wait in the
// record and Open hands on its own.
void TslCOMPort::ApplyCommTimeOuts()
{
    FCommTimeOuts.ApplyToPort(FAppliedTimeOuts);
    if (HasHandle()) {
        COMMTIMEOUTS timeOuts = TimeOutsOf(FAppliedTimeOuts);
        ::SetCommTimeouts(Handle(FHandle), &timeOuts);
    }
}

void TslCOMPort::Open()
{
    if (GetState() == stOpen)
        return;

    const std::string device = DeviceName();
    // No sharing: a port that another program (or another port object of ours) holds fails with
    // the system's access-denied error. No overlapped I/O: Read and Write wait for the driver.
    const HANDLE handle = ::CreateFileW(WideFromUtf8(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = static_cast<int>(::GetLastError());
        FLastError = error;
        throw EOSError(error, PortOpenErrorMessage(PortName(), device, error));
    }

    FHandle = handle;
    COMMTIMEOUTS current{};
    ::GetCommTimeouts(handle, &current);
    FCommTimeOuts.LoadFromPort(RecordOf(current));
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::ReadIntervalTimeoutIndex, 0);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::ReadTotalTimeoutConstantIndex, 500);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::ReadTotalTimeoutMultiplierIndex, 0);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::WriteTotalTimeoutConstantIndex, 0);
    FCommTimeOuts.SetTimeOut(TslCommTimeOuts::WriteTotalTimeoutMultiplierIndex, 0);
    ApplyCommTimeOuts();
    ConfigureLine();
    SetState(stOpen);
}

void TslCOMPort::ConfigureLine()
{
    // 9600 8N1 without handshake; the driver's other settings stay. Failures are not examined,
    // as on the other systems: the device answers or not either way.
    DCB line{};
    line.DCBlength = sizeof line;
    if (::GetCommState(Handle(FHandle), &line)) {
        line.DCBlength = sizeof line;
        ::BuildCommDCBW(L"9600,N,8,1", &line);
        line.fOutxCtsFlow = FALSE;
        line.fOutxDsrFlow = FALSE;
        line.fDtrControl = DTR_CONTROL_ENABLE;
        line.fRtsControl = RTS_CONTROL_ENABLE;
        line.fOutX = FALSE;
        line.fInX = FALSE;
        ::SetCommState(Handle(FHandle), &line);
    }
    // Start clean, so an old start banner is never taken for a new one.
    PurgeInput();
}

void TslCOMPort::PurgeInput()
{
    if (HasHandle())
        ::PurgeComm(Handle(FHandle), PURGE_RXCLEAR);
}

bool TslCOMPort::Close()
{
    if (!HasHandle())
        return false;
    ::CloseHandle(Handle(FHandle));
    FHandle = nullptr;
    SetState(stClosed);
    return true;
}

// The driver bounds the read with the applied time-outs: it returns what has arrived when they
// run out, nothing at all after the total time-out of a silent line.
int TslCOMPort::ReceiveChunk(size_t& received)
{
    DWORD got = 0;
    received = 0;
    if (!::ReadFile(Handle(FHandle), FReceiveArea, ReadChunk, &got, nullptr))
        return static_cast<int>(::GetLastError());
    received = got;
    return 0;
}

int TslCOMPort::Send(const std::string& text)
{
    size_t sent = 0;
    while (sent < text.size()) {
        DWORD done = 0;
        if (!::WriteFile(Handle(FHandle), text.data() + sent, static_cast<DWORD>(text.size() - sent), &done, nullptr))
            return static_cast<int>(::GetLastError());
        // Nothing written and no error: the write time-out ran out.
        if (done == 0)
            return ERROR_TIMEOUT;
        sent += done;
    }
    return 0;
}
