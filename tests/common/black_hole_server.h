#pragma once
// A port of 127.0.0.1 that takes no connection and refuses none: its listener's queue is
// full and never accepted from, so the kernel drops every further SYN and a connect to it
// waits (SYN_SENT) until the client gives up, as with a server whose packets are dropped.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

class BlackHoleServer {
  public:
    BlackHoleServer() {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listen_, 0);  // room for one connection, which fills it
        socklen_t len = sizeof addr;
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ::connect(filler_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    }
    ~BlackHoleServer() {
        ::close(filler_);
        ::close(listen_);
    }
    BlackHoleServer(const BlackHoleServer&) = delete;
    BlackHoleServer& operator=(const BlackHoleServer&) = delete;

    int Port() const { return port_; }
    std::string Url(const std::string& scheme) const {
        return scheme + "://127.0.0.1:" + std::to_string(port_);
    }
    // A client's connect to it is waiting for an answer (the filler's is long done).
    bool ConnectWaiting() const {
        std::ifstream table("/proc/net/tcp");
        std::string line;
        std::getline(table, line);  // the heading
        while (std::getline(table, line)) {
            std::istringstream fields(line);
            std::string slot, local, remote, state;
            fields >> slot >> local >> remote >> state;
            const auto colon = remote.find(':');
            if (colon != std::string::npos &&
                std::stoi(remote.substr(colon + 1), nullptr, 16) == port_ && state == "02") {
                return true;  // SYN_SENT
            }
        }
        return false;
    }

  private:
    int listen_ = -1;
    int filler_ = -1;
    int port_ = 0;
};
