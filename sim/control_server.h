#pragma once
// Serves SimCommands on a TCP port of the loopback address, so a program that cannot reach
// this process any other way (a test under Wine) can drive the simulator. One connection
// at a time, one reply line per command line, on a thread of its own. POSIX.

#include <cstdint>
#include <string>
#include <thread>

#include "sim/sim_commands.h"

namespace sim {

class ControlServer {
  public:
    explicit ControlServer(SimCommands& commands);
    ~ControlServer();
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    // Listens on 127.0.0.1:`port` (0: any free port) and starts serving; on failure puts
    // the reason into `why`.
    bool Start(std::uint16_t port, std::string* why);
    // The port listened on (0 before Start).
    std::uint16_t Port() const { return port_; }
    // Closes the connection being served and stops listening.
    void Stop();

  private:
    void Run();
    // Serves one connection until it ends or Stop; false when stopped.
    bool Serve(int connection);

    SimCommands& commands_;
    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::uint16_t port_ = 0;
    std::thread thread_;
};

}  // namespace sim
