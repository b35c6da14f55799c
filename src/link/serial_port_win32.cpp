#include "link/serial_port.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "link/net_port_name.h"
#include "link/port_names.h"

namespace {

using Clock = std::chrono::steady_clock;

// Requested driver queues: a whole reply buffer in, more than any request out.
constexpr DWORD kInputQueueBytes = 512;
constexpr DWORD kOutputQueueBytes = 64;

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::wstring Wide(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), size);
    }
    return out;
}

std::string OpenFailureText(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "no such port";
        case ERROR_ACCESS_DENIED:
            return "in use by another program";  // Windows never shares a COM port
        default:
            return "system error " + std::to_string(error);
    }
}

// Reads return at once with what is queued: the exchange reads only after its fixed sleep.
// Writes give up after `writeMs`.
void SetTimeouts(HANDLE port, DWORD writeMs) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = std::max<DWORD>(writeMs, 1);
    SetCommTimeouts(port, &timeouts);
}

void ConfigureLine(HANDLE port, DCB dcb) {
    dcb.BaudRate = kLineBaud;  // the CBR_ constants are the rates themselves
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;  // the only mode Windows has
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;  // DTR and RTS held off
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;  // zero bytes are data
    // Otherwise a line error would stop every read and write until ClearCommError.
    dcb.fAbortOnError = FALSE;
    SetCommState(port, &dcb);  // a driver that refuses a setting keeps its own, as termios does
}

// The status query fails once the device has gone (an adapter pulled, a hung-up line).
bool PortFails(HANDLE port) {
    DWORD errors = 0;
    COMSTAT status{};
    return !ClearCommError(port, &errors, &status);
}

DWORD MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<DWORD>(std::max<long long>(0, left));
}

}  // namespace

bool SerialPort::IsOpen() const {
    return handle_ != kNoHandle;
}

SerialPort::SerialPort() = default;

SerialPort::~SerialPort() {
    Close();
}

// A COM port says nothing of its own, and its waits are short deadlines: nothing to wake.
void SerialPort::SetNoticeHandler(PortNoticeHandler handler) {
    notices_ = std::move(handler);
}

void SerialPort::Interrupt() {}

bool SerialPort::Open(const std::string& path, std::string* why, PortOpenFailure* failure) {
    Close();
    if (failure) {
        *failure = {};  // the Windows build says its reasons in `why` alone
    }
    if (IsNetPortName(path)) {
        if (why) {
            *why = "serial device servers are reached from the Linux build only";
        }
        return false;
    }
    // Share mode 0: nobody else can open the port while we have it.
    const HANDLE port =
        CreateFileW(Wide(ComPortDevicePath(path)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        if (why) {
            *why = OpenFailureText(GetLastError());
        }
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        CloseHandle(port);
        if (why) {
            *why = "not a serial device";
        }
        if (failure) {
            failure->reason = PortOpenReason::NotSerialDevice;
        }
        return false;
    }
    SetupComm(port, kInputQueueBytes, kOutputQueueBytes);
    ConfigureLine(port, dcb);
    SetTimeouts(port, 1000);
    // Bytes left from before the port was opened belong to no request of ours.
    PurgeComm(port, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    handle_ = reinterpret_cast<std::intptr_t>(port);
    return true;
}

void SerialPort::Close() {
    if (IsOpen()) {
        const HANDLE port = AsHandle(handle_);
        handle_ = kNoHandle;
        CloseHandle(port);
    }
}

PortIo SerialPort::WriteAndDrain(const std::uint8_t* data, std::size_t count, int deadlineMs) {
    if (!IsOpen()) {
        return PortIo::Gone;
    }
    const HANDLE port = AsHandle(handle_);
    const auto deadline = Clock::now() + std::chrono::milliseconds(deadlineMs);

    std::size_t done = 0;
    while (done < count) {
        const DWORD left = MsLeft(deadline);
        if (left == 0) {
            return PortIo::TimedOut;
        }
        SetTimeouts(port, left);  // the write itself may not outlast the deadline
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, MAXDWORD));
        DWORD written = 0;
        if (!WriteFile(port, data + done, chunk, &written, nullptr)) {
            return PortFails(port) ? PortIo::Gone : PortIo::TimedOut;
        }
        done += written;
    }

    // Transmit-empty: wait for the driver's output queue to run empty, polling rather than
    // blocking so the deadline holds.
    for (;;) {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(port, &errors, &status)) {
            return PortIo::Gone;
        }
        if (status.cbOutQue == 0) {
            break;
        }
        if (MsLeft(deadline) == 0) {
            return PortIo::TimedOut;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // With the queue empty this waits only for the bytes the hardware still holds.
    if (!FlushFileBuffers(port)) {
        return PortFails(port) ? PortIo::Gone : PortIo::TimedOut;
    }
    return PortIo::Ok;
}

std::size_t SerialPort::BytesWaiting() const {
    if (!IsOpen()) {
        return 0;
    }
    DWORD errors = 0;
    COMSTAT status{};
    // Also clears a line error (framing, parity, overrun): the queued bytes are used as they are.
    if (!ClearCommError(AsHandle(handle_), &errors, &status)) {
        return 0;
    }
    return status.cbInQue;
}

std::size_t SerialPort::ReadAvailable(std::uint8_t* dest, std::size_t max) {
    if (!IsOpen() || max == 0) {
        return 0;
    }
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(max, MAXDWORD));
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), dest, want, &got, nullptr)) {
        return 0;
    }
    return got;
}

bool SerialPort::HasHungUp() {
    // A read of a hung-up port still succeeds with nothing; only the status query tells.
    return !IsOpen() || PortFails(AsHandle(handle_));
}
