#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>

#include "common/sim_control_client.h"

namespace {

SOCKET AsSocket(std::intptr_t socket) {
    return static_cast<SOCKET>(socket);
}

}  // namespace

SimControlClient::~SimControlClient() {
    Close();
    if (networkStarted_) {
        WSACleanup();
    }
}

bool SimControlClient::Connect(std::uint16_t port, std::string* why) {
    Close();
    if (!networkStarted_) {
        WSADATA data;
        if (const int error = WSAStartup(MAKEWORD(2, 2), &data); error != 0) {
            *why = "WSAStartup: error " + std::to_string(error);
            return false;
        }
        networkStarted_ = true;
    }
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        *why = "socket: error " + std::to_string(WSAGetLastError());
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        *why = "connect to the simulator's control port " + std::to_string(port) + ": error " +
               std::to_string(WSAGetLastError());
        closesocket(s);
        return false;
    }
    socket_ = static_cast<std::intptr_t>(s);
    return true;
}

bool SimControlClient::SendAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        const int n = send(AsSocket(socket_), bytes.data() + done, chunk, 0);
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool SimControlClient::ReceiveSome(std::string* into) {
    char buffer[65536];
    const int n = recv(AsSocket(socket_), buffer, sizeof buffer, 0);
    if (n <= 0) {
        return false;
    }
    into->append(buffer, static_cast<std::size_t>(n));
    return true;
}

void SimControlClient::Close() {
    if (socket_ != kNoSocket) {
        closesocket(AsSocket(socket_));
        socket_ = kNoSocket;
    }
    received_.clear();
}
