#pragma once
// The client's side of the simulator's pseudo-terminal for tests: plain POSIX, opened as
// the client opens a serial port (raw, exclusive), with short bounded reads.

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <limits>
#include <string>

#include "sim/protocol.h"

namespace sim::testing {

class TestPort {
  public:
    using Clock = std::chrono::steady_clock;

    explicit TestPort(const std::string& path) {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0)
            return;
        termios tio{};
        tcgetattr(fd_, &tio);
        cfmakeraw(&tio);
        cfsetispeed(&tio, B4800);
        cfsetospeed(&tio, B4800);
        tcsetattr(fd_, TCSANOW, &tio);
        ioctl(fd_, TIOCEXCL);
    }
    ~TestPort() { Close(); }
    TestPort(const TestPort&) = delete;
    TestPort& operator=(const TestPort&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Close() {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }

    bool Send(const Bytes& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Reads until `count` bytes came or `timeout` passed; once `count` came, goes on for
    // `settle` to catch any bytes beyond them.
    Bytes Read(std::size_t count, std::chrono::milliseconds timeout,
               std::chrono::milliseconds settle = std::chrono::milliseconds(20)) {
        Bytes got;
        auto deadline = Clock::now() + timeout;
        bool settling = false;
        for (;;) {
            if (!settling && got.size() >= count) {
                settling = true;
                deadline = Clock::now() + settle;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                break;
            pollfd pfd{fd_, POLLIN, 0};
            if (poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
                continue;
            if (!(pfd.revents & POLLIN))
                break;  // hang-up
            std::uint8_t buffer[1024];
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    // Everything that arrives within `window`.
    Bytes ReadFor(std::chrono::milliseconds window) {
        return Read(std::numeric_limits<std::size_t>::max(), window);
    }

    // Sends `request` and reads the reply of `expected` bytes (waiting at most a second).
    Bytes Exchange(const Bytes& request, std::size_t expected) {
        if (!Send(request))
            return {};
        return Read(expected, std::chrono::milliseconds(1000));
    }

  private:
    int fd_ = -1;
};

}  // namespace sim::testing
