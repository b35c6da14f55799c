#pragma once
// A serial device opened exclusively and set raw to kLineBaud 8N1 without flow control.
// Thin over the system's serial interface (termios on POSIX, the communications functions
// on Windows, one backend file each): nothing here blocks past a deadline. On POSIX a name
// "rfc2217://HOST:PORT" or "tcp://HOST:PORT" opens a serial device server instead (net_port.h).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The instrument's line: 4800 baud, each byte with a start and a stop bit. Everything that
// sets the line or reckons its time takes the rate from here.
inline constexpr int kLineBaud = 4800;
inline constexpr int kLineBitsPerByte = 10;
inline constexpr int kLineBytesPerSecond = kLineBaud / kLineBitsPerByte;

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
    NotRfc2217,       // an rfc2217:// server never answered the telnet offer: not telnet
    Interrupted,      // Interrupt() came first
};

struct PortOpenFailure {
    PortOpenReason reason = PortOpenReason::Other;
    int error = 0;
    std::string host;
};

// What a port noticed on its way that the operator should hear, though the port works on.
// The link prints nothing: the layer above says it in the program's language.
enum class PortNoticeKind {
    LineSettingsRefused,  // an RFC 2217 server refused line settings: its line is used as set
    Flooded,  // the peer sent far more than the line can carry: dropped, as no instrument
};

struct PortNotice {
    PortNoticeKind kind = PortNoticeKind::LineSettingsRefused;
    std::string port;  // the name it was opened by
};

// Called on the thread of the exchange, with the link's lock held: it hands the notice on
// and returns. Each kind is said once for the port object, not at every reconnect.
using PortNoticeHandler = std::function<void(const PortNotice&)>;

class NetPort;

class SerialPort {
  public:
    SerialPort();
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

    // Where the port's notices go (see PortNotice); without one they are dropped.
    void SetNoticeHandler(PortNoticeHandler handler);

    // Wakes every wait of a network port at once (name resolution, connecting, negotiation,
    // sends) and makes every later one return at once: a stop never waits on the network.
    // Final. Any thread, without the link's lock. (A local port's waits are short deadlines.)
    void Interrupt();

  private:
    // A file descriptor on POSIX, a HANDLE on Windows; -1 is "none" on both.
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
    // The network connection while a network name is open (never on Windows).
    std::unique_ptr<NetPort, void (*)(NetPort*)> net_{nullptr, nullptr};
    PortNoticeHandler notices_;
    // Readable for good once interrupted (an eventfd on POSIX; none on Windows).
    std::intptr_t wake_ = kNoHandle;
};
