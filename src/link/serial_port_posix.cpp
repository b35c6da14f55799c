#include "link/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "link/net_port.h"
#include "link/net_port_name.h"

namespace {

using Clock = std::chrono::steady_clock;

void ConfigureLine(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return;
    }
    cfmakeraw(&tio);
    // The C library takes the rate in bits per second here, as well as its B constants.
    cfsetspeed(&tio, kLineBaud);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    // Reads never block: the exchange reads only what is already queued.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &tio);

    // DTR and RTS off; these fail on a pseudo-terminal, which has neither line.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &lines);
}

bool IsGoneErrno(int err) {
    return err == EIO || err == ENXIO || err == ENODEV || err == EBADF;
}

int Fd(std::intptr_t handle) {
    return static_cast<int>(handle);
}

}  // namespace

SerialPort::SerialPort() : wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

SerialPort::~SerialPort() {
    Close();
    net_.reset();
    if (wake_ != kNoHandle) {
        ::close(Fd(wake_));
    }
}

void SerialPort::SetNoticeHandler(PortNoticeHandler handler) {
    notices_ = std::move(handler);
    if (net_) {
        net_->SetNoticeHandler(notices_);
    }
}

void SerialPort::Interrupt() {
    if (wake_ != kNoHandle) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(Fd(wake_), &one, sizeof one);
    }
}

bool SerialPort::IsOpen() const {
    return handle_ != kNoHandle || (net_ && net_->IsOpen());
}

bool SerialPort::Open(const std::string& path, std::string* why, PortOpenFailure* failure) {
    Close();
    if (IsNetPortName(path)) {
        if (!net_) {
            net_ = {new NetPort(Fd(wake_)), +[](NetPort* p) { delete p; }};
            net_->SetNoticeHandler(notices_);
        }
        return net_->Open(path, why, failure);
    }
    const auto fail = [&](PortOpenReason reason, int error, const char* text) {
        if (why) {
            *why = text;
        }
        if (failure) {
            *failure = {reason, error, {}};
        }
        return false;
    };
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return fail(PortOpenReason::System, err, std::strerror(err));
    }
    if (!isatty(fd)) {
        ::close(fd);
        return fail(PortOpenReason::NotSerialDevice, 0, "not a serial device");
    }
    // TIOCEXCL keeps other programs out, but not root; the advisory lock covers that case
    // between programs that honour it.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        return err == EWOULDBLOCK ? fail(PortOpenReason::InUse, 0, "in use by another program")
                                  : fail(PortOpenReason::System, err, std::strerror(err));
    }
    ioctl(fd, TIOCEXCL);
    ConfigureLine(fd);
    // Bytes left from before the port was opened belong to no request of ours.
    tcflush(fd, TCIOFLUSH);
    handle_ = fd;
    return true;
}

void SerialPort::Close() {
    if (net_) {
        net_->Close();
    }
    if (IsOpen()) {
        const int fd = Fd(handle_);
        handle_ = kNoHandle;
        ioctl(fd, TIOCNXCL);
        ::close(fd);
    }
}

PortIo SerialPort::WriteAndDrain(const std::uint8_t* data, std::size_t count, int deadlineMs) {
    if (net_ && net_->IsOpen()) {
        return net_->WriteAndDrain(data, count, deadlineMs);
    }
    if (!IsOpen()) {
        return PortIo::Gone;
    }
    const int fd = Fd(handle_);
    const auto deadline = Clock::now() + std::chrono::milliseconds(deadlineMs);
    auto msLeft = [&] {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return static_cast<int>(std::max<long long>(0, left.count()));
    };

    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, data + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            return IsGoneErrno(errno) ? PortIo::Gone : PortIo::TimedOut;
        }
        const int left = msLeft();
        if (left == 0) {
            return PortIo::TimedOut;
        }
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, left) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            return PortIo::Gone;
        }
    }

    // Transmit-empty: poll the output queue until the driver has sent everything.
    for (;;) {
        int queued = 0;
        if (ioctl(fd, TIOCOUTQ, &queued) != 0 || queued <= 0) {
            return PortIo::Ok;
        }
        if (msLeft() == 0) {
            return PortIo::TimedOut;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::size_t SerialPort::BytesWaiting() const {
    if (net_ && net_->IsOpen()) {
        return net_->BytesWaiting();
    }
    if (!IsOpen()) {
        return 0;
    }
    int queued = 0;
    if (ioctl(Fd(handle_), FIONREAD, &queued) != 0 || queued < 0) {
        return 0;
    }
    return static_cast<std::size_t>(queued);
}

std::size_t SerialPort::ReadAvailable(std::uint8_t* dest, std::size_t max) {
    if (net_ && net_->IsOpen()) {
        return net_->ReadAvailable(dest, max);
    }
    if (!IsOpen() || max == 0) {
        return 0;
    }
    for (;;) {
        const ssize_t n = ::read(Fd(handle_), dest, max);
        if (n >= 0) {
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            return 0;
        }
    }
}

bool SerialPort::HasHungUp() {
    if (net_ && net_->IsOpen()) {
        return net_->HasHungUp();
    }
    if (!IsOpen()) {
        return true;
    }
    pollfd p{Fd(handle_), POLLIN, 0};
    if (::poll(&p, 1, 0) < 0) {
        return false;
    }
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}
