#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/sim_control_client.h"

SimControlClient::~SimControlClient() {
    Close();
}

bool SimControlClient::Connect(std::uint16_t port, std::string* why) {
    Close();
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *why = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        *why = "connect to the simulator's control port " + std::to_string(port) + ": " +
               std::strerror(errno);
        close(fd);
        return false;
    }
    socket_ = fd;
    return true;
}

bool SimControlClient::SendAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            send(static_cast<int>(socket_), bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
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

bool SimControlClient::ReceiveSome(std::string* into) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = recv(static_cast<int>(socket_), buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        into->append(buffer, static_cast<std::size_t>(n));
        return true;
    }
}

void SimControlClient::Close() {
    if (socket_ != kNoSocket) {
        close(static_cast<int>(socket_));
        socket_ = kNoSocket;
    }
    received_.clear();
}
