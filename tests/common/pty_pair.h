#pragma once
// A bare pseudo-terminal for tests of the serial code: the test plays the instrument on the
// master side; the code under test opens the slave path like any serial port.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class PtyPair {
  public:
    PtyPair() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            slavePath_ = ptsname(master_);
            // Hold the slave open ourselves so the master never reads a hang-up while the
            // code under test has the port closed.
            holder_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        }
    }
    ~PtyPair() {
        CloseMaster();
        if (holder_ >= 0)
            ::close(holder_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0 && holder_ >= 0; }
    const std::string& slavePath() const { return slavePath_; }

    void Write(const std::vector<std::uint8_t>& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                return;
            done += static_cast<std::size_t>(n);
        }
    }

    // Everything that arrives within `quietMs` of the previous byte.
    std::vector<std::uint8_t> ReadAll(int quietMs = 100) const {
        std::vector<std::uint8_t> out;
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, quietMs) <= 0 || !(p.revents & POLLIN))
                return out;
            std::uint8_t buf[1024];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0)
                return out;
            out.insert(out.end(), buf, buf + n);
        }
    }

    // Waits until at least `count` bytes written on the master wait unread on the slave side
    // (they cross the pseudo-terminal after the write returns); false after ten seconds.
    bool WaitUnread(std::size_t count) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            int queued = 0;
            if (::ioctl(holder_, FIONREAD, &queued) == 0 && queued >= 0 &&
                static_cast<std::size_t>(queued) >= count) {
                return true;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    // What the slave side sent, once at least `count` bytes have come (or after ten
    // seconds), with whatever else has come by then, so a byte too many shows.
    std::vector<std::uint8_t> ReadAtLeast(std::size_t count) const {
        std::vector<std::uint8_t> out;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (out.size() < count && std::chrono::steady_clock::now() < deadline) {
            const auto more = ReadAll(10);
            out.insert(out.end(), more.begin(), more.end());
        }
        const auto rest = ReadAll(0);
        out.insert(out.end(), rest.begin(), rest.end());
        return out;
    }

    // The instrument goes away: the slave side sees a hang-up.
    void CloseMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

  private:
    int master_ = -1;
    int holder_ = -1;
    std::string slavePath_;
};
