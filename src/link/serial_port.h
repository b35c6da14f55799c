#pragma once
// A serial device opened exclusively and set raw to 4800 baud 8N1 without flow control.
// Thin over termios: nothing here blocks past a deadline.

#include <cstddef>
#include <cstdint>
#include <string>

enum class PortIo {
    Ok,        // done
    TimedOut,  // the deadline passed before the bytes went out
    Gone,      // the device has gone away (hang-up, EIO): do not retry
};

class SerialPort {
  public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens `path` for reading and writing, exclusively, configured as above; on failure
    // returns false and puts the reason (strerror or a short text) into `why`.
    bool Open(const std::string& path, std::string* why);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Writes all `count` bytes and waits until the driver's output queue is empty,
    // giving up at `deadlineMs` from the call.
    PortIo WriteAndDrain(const std::uint8_t* data, std::size_t count, int deadlineMs);

    // Bytes waiting in the driver's input queue (0 when none or on error).
    std::size_t BytesWaiting() const;

    // Reads at most `max` bytes without waiting; returns how many were read.
    std::size_t ReadAvailable(std::uint8_t* dest, std::size_t max);

    // True once the other end has hung up (POLLHUP/POLLERR or EIO seen).
    bool HasHungUp();

  private:
    int fd_ = -1;
};
