#pragma once
// Debian's ser2net in the foreground in front of a local serial device (the simulator's
// pseudo-terminal), on a free port of 127.0.0.1, as an RFC 2217 or a raw TCP accepter, with
// its own configuration in a temporary directory. It can be stopped and started again on
// the same port, as a serial device server that goes away and comes back.

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

class Ser2net {
  public:
    static constexpr const char* kProgram = "/usr/sbin/ser2net";
    static bool Installed() { return ::access(kProgram, X_OK) == 0; }

    Ser2net(const std::string& device, bool rfc2217) : rfc2217_(rfc2217), port_(FreePort()) {
        namespace fs = std::filesystem;
        dir_ = fs::temp_directory_path() /
               ("hygro-ser2net-" + std::to_string(::getpid()) + "-" + std::to_string(port_));
        fs::create_directories(dir_);
        // kickolduser: a client whose old connection the server still holds gets in at once.
        std::ofstream(dir_ / "ser2net.yaml")
            << "connection: &hygrometer\n"
            << "  accepter: " << (rfc2217 ? "telnet(rfc2217),tcp," : "tcp,") << "127.0.0.1,"
            << port_ << "\n"
            << "  connector: serialdev," << device << ",4800n81,local\n"
            << "  options:\n"
            << "    kickolduser: true\n";
        Start();
    }
    ~Ser2net() {
        Stop();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    Ser2net(const Ser2net&) = delete;
    Ser2net& operator=(const Ser2net&) = delete;

    void Start() {
        const std::string config = (dir_ / "ser2net.yaml").string();
        const std::string pidFile = (dir_ / "ser2net.pid").string();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execl(kProgram, kProgram, "-n", "-d", "-c", config.c_str(), "-P", pidFile.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    void Stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    // Waits (long deadline) until it takes connections: it starts in the background.
    bool WaitUntilListening() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in addr{};
            addr.sin_family = AF_INET;
            addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            addr.sin_port = htons(static_cast<std::uint16_t>(port_));
            const bool taken = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
            ::close(fd);
            if (taken) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    int Port() const { return port_; }
    // The port name the client is given: "rfc2217://127.0.0.1:N" or "tcp://127.0.0.1:N".
    std::string Name() const {
        return std::string(rfc2217_ ? "rfc2217" : "tcp") + "://127.0.0.1:" + std::to_string(port_);
    }

    // A port of 127.0.0.1 nothing listens on (free a moment ago).
    static int FreePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        ::close(fd);
        return ntohs(addr.sin_port);
    }

  private:
    bool rfc2217_;
    int port_;
    std::filesystem::path dir_;
    pid_t pid_ = -1;
};
