#include "sim/control_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sim {

namespace {

// A line longer than this is no command of ours ("send" of 1 MiB is 2 MiB of digits).
constexpr std::size_t kMaxLine = 4 << 20;

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
    }
    fd = -1;
}

bool SendAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Waits until `fd` is readable; false when the wake pipe fired first.
bool WaitReadable(int fd, int wakeFd) {
    for (;;) {
        pollfd fds[2] = {{wakeFd, POLLIN, 0}, {fd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (fds[0].revents != 0) {
            return false;
        }
        if (fds[1].revents != 0) {
            return true;
        }
    }
}

}  // namespace

ControlServer::ControlServer(SimCommands& commands) : commands_(commands) {}

ControlServer::~ControlServer() {
    Stop();
}

bool ControlServer::Start(std::uint16_t port, std::string* why) {
    auto fail = [&](const char* step) {
        if (why) {
            *why = std::string(step) + ": " + std::strerror(errno);
        }
        CloseFd(listenFd_);
        CloseFd(wakeRead_);
        CloseFd(wakeWrite_);
        return false;
    };
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        return fail("socket");
    }
    const int reuse = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never reachable from elsewhere
    address.sin_port = htons(port);
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        return fail("bind");
    }
    if (listen(listenFd_, 4) != 0) {
        return fail("listen");
    }
    socklen_t length = sizeof address;
    if (getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return fail("getsockname");
    }
    port_ = ntohs(address.sin_port);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return fail("pipe");
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    thread_ = std::thread(&ControlServer::Run, this);
    return true;
}

void ControlServer::Stop() {
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = write(wakeWrite_, &byte, 1);
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    CloseFd(listenFd_);
    CloseFd(wakeRead_);
    CloseFd(wakeWrite_);
}

void ControlServer::Run() {
    while (WaitReadable(listenFd_, wakeRead_)) {
        int connection = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            continue;  // the client gave up before we took it
        }
        const bool goOn = Serve(connection);
        CloseFd(connection);
        if (!goOn) {
            return;
        }
    }
}

bool ControlServer::Serve(int connection) {
    std::string pending;
    char buffer[65536];
    for (;;) {
        if (!WaitReadable(connection, wakeRead_)) {
            return false;
        }
        const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return true;  // the client is done
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            const std::string reply = commands_.Run(std::string_view(pending).substr(0, end));
            pending.erase(0, end + 1);
            if (!SendAll(connection, reply + "\n")) {
                return true;
            }
        }
        if (pending.size() > kMaxLine) {
            return true;  // not our protocol: drop the connection
        }
    }
}

}  // namespace sim
