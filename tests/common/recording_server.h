#pragma once
// A one-connection TCP server on 127.0.0.1 (the kernel picks the port) that records every
// byte it receives and sends what a test gives it: a serial device server's stand-in. It can
// also flood its client with zeros, as a wrong or hostile peer does.

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class RecordingServer {
  public:
    using Bytes = std::vector<std::uint8_t>;

    // `greeting` goes out as soon as the client is accepted.
    explicit RecordingServer(Bytes greeting = {}) : greeting_(std::move(greeting)) {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listen_, 1);
        socklen_t len = sizeof addr;
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Run(); });
    }
    ~RecordingServer() {
        stop_ = true;
        thread_.join();
        if (flood_.joinable()) {
            flood_.join();
        }
        Drop();
        ::close(listen_);
    }

    int Port() const { return port_; }
    std::string Url(const std::string& scheme) const {
        return scheme + "://127.0.0.1:" + std::to_string(port_);
    }

    void Send(const Bytes& bytes) {
        std::lock_guard<std::mutex> lock(mutex_);
        ::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }
    // From now on sends zeros as fast as the client takes them, in addition to the
    // greeting and whatever else is sent, until the connection ends or the server goes.
    void StartFlood() {
        flood_ = std::thread([this] {
            const std::vector<std::uint8_t> zeros(65536, 0);
            while (!stop_) {
                int fd = -1;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    fd = client_;
                }
                if (fd < 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                    continue;
                }
                pollfd p{fd, POLLOUT, 0};
                if (::poll(&p, 1, 20) <= 0) {
                    continue;
                }
                std::lock_guard<std::mutex> lock(mutex_);
                if (client_ < 0) {
                    return;
                }
                const ssize_t n =
                    ::send(client_, zeros.data(), zeros.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
                if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                    return;
                }
            }
        });
    }
    // Closes the connection as a server that goes away does.
    void Drop() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (client_ >= 0) {
            ::close(client_);
            client_ = -1;
        }
    }
    Bytes Received() {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }
    // Waits (long deadline) until at least `count` bytes have arrived.
    Bytes WaitForBytes(std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (received_.size() >= count) {
                    return received_;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return Received();
    }

  private:
    void Run() {
        pollfd p{listen_, POLLIN, 0};
        while (!stop_ && ::poll(&p, 1, 20) <= 0) {
        }
        if (stop_) {
            return;
        }
        const int fd = ::accept(listen_, nullptr, nullptr);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            client_ = fd;
            if (!greeting_.empty()) {
                ::send(fd, greeting_.data(), greeting_.size(), MSG_NOSIGNAL);
            }
        }
        while (!stop_) {
            pollfd c{fd, POLLIN, 0};
            if (::poll(&c, 1, 20) <= 0) {
                continue;
            }
            std::uint8_t buffer[256];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n <= 0) {
                return;
            }
            std::lock_guard<std::mutex> lock(mutex_);
            received_.insert(received_.end(), buffer, buffer + n);
        }
    }

    Bytes greeting_;
    int listen_ = -1;
    int port_ = 0;
    int client_ = -1;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    Bytes received_;
    std::thread thread_;
    std::thread flood_;
};
