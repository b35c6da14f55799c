#pragma once
// A serial device opened exclusively and set raw to 4800 baud 8N1 without flow control.
// Thin over the system's serial interface (termios on POSIX, the communications functions
// on Windows, one backend file each): nothing here blocks past a deadline. On POSIX a name
// "rfc2217://HOST:PORT" or "tcp://HOST:PORT" opens a serial device server instead (net_port.h).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum class PortIo {
    Ok,        // done
    TimedOut,  // the deadline passed before the bytes went out
    Gone,      // the device has gone away (hang-up, EIO, a failing port): do not retry
};

// Why a port could not be opened, for a caller that says it in the program's language;
// Open's `why` says the same in English for any other.
enum class PortOpenReason {
    Other,            // said only by `why`
    System,           // the system's error code `error` (errno)
    NotSerialDevice,  // the name opens something that is not a serial line
    InUse,            // another program holds the port
    NotNetworkName,   // a network name that does not parse
    HostNotFound,     // the resolver does not know `host`; `error` is its EAI_ code
    ServerSilent,     // the server did not answer the connect in time
    ServerClosed,     // the server closed the connection while it was being set up
};

struct PortOpenFailure {
    PortOpenReason reason = PortOpenReason::Other;
    int error = 0;
    std::string host;
};

class NetPort;

class SerialPort {
  public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens `path` (a device path; on Windows "COMn" or "\\.\COMn") for reading and
    // writing, exclusively, configured as above; on failure returns false and puts the
    // reason (the system's or a short text) into `why`, and what it was into `failure`.
    bool Open(const std::string& path, std::string* why, PortOpenFailure* failure = nullptr);
    void Close();
    bool IsOpen() const;

    // Writes all `count` bytes and waits until the driver's output queue is empty,
    // giving up at `deadlineMs` from the call.
    PortIo WriteAndDrain(const std::uint8_t* data, std::size_t count, int deadlineMs);

    // Bytes waiting in the driver's input queue (0 when none or on error).
    std::size_t BytesWaiting() const;

    // Reads at most `max` bytes without waiting; returns how many were read.
    std::size_t ReadAvailable(std::uint8_t* dest, std::size_t max);

    // True once the other end has hung up or the device has gone (POLLHUP/POLLERR on
    // POSIX, a failing status query on Windows).
    bool HasHungUp();

    // Called on the thread that opens, with the port's name, when a serial device server
    // refuses line settings (RFC 2217) and is used as it is set; once for this port object.
    // Without it the port says so on standard error, in English.
    using LineSettingsRefusedNotice = std::function<void(const std::string& port)>;
    void SetLineSettingsRefusedNotice(LineSettingsRefusedNotice notice) {
        lineSettingsRefused_ = std::move(notice);
    }

  private:
    // A file descriptor on POSIX, a HANDLE on Windows; -1 is "none" on both.
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
    // The network connection while a network name is open (never on Windows).
    std::unique_ptr<NetPort, void (*)(NetPort*)> net_{nullptr, nullptr};
    LineSettingsRefusedNotice lineSettingsRefused_;
};
