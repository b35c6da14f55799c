#pragma once
// The test's end of the simulator's control channel (hygrometer-sim --control PORT): one
// command line out, one reply line back, over TCP on 127.0.0.1. One socket backend per
// system: sim_control_client_posix.cpp, sim_control_client_win32.cpp.

#include <cstddef>
#include <cstdint>
#include <string>

class SimControlClient {
  public:
    SimControlClient() = default;
    ~SimControlClient();
    SimControlClient(const SimControlClient&) = delete;
    SimControlClient& operator=(const SimControlClient&) = delete;

    bool Connect(std::uint16_t port, std::string* why);
    // Sends `line` and returns the reply line without its line end; "" once the connection
    // has broken.
    std::string Command(const std::string& line);

  private:
    bool SendAll(const std::string& bytes);
    // Some received bytes appended to `into`; false at the end of the connection.
    bool ReceiveSome(std::string* into);
    void Close();

    // A socket descriptor on POSIX, a SOCKET on Windows; -1 is "none" on both.
    static constexpr std::intptr_t kNoSocket = -1;
    std::intptr_t socket_ = kNoSocket;
    bool networkStarted_ = false;  // Windows: WSAStartup has been called
    std::string received_;
};
