// hygrometer-sim: the simulated instrument, standalone. Prints the pseudo-terminal's path on
// its first line, then answers on it until SIGTERM, SIGINT or SIGHUP, or until its standard
// input reaches end of file.

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "sim/control_server.h"
#include "sim/instrument_simulator.h"
#include "sim/sim_commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: hygrometer-sim [--id TEXT] [--link PATH] [--replug-delay MS] [--control PORT]\n"
    "                      [--dew-point C] [--dew-drift C_PER_H] [--sent-log PATH]\n"
    "                      [--no-stdin]\n"
    "\n"
    "Simulates the chilled-mirror dew-point hygrometer on a pseudo-terminal and prints\n"
    "the terminal's path (e.g. /dev/pts/3) on the first line of standard output. Open\n"
    "that path as the instrument's serial port.\n"
    "\n"
    "  --id TEXT    the identification reply (default KRT-10)\n"
    "  --link PATH  also make PATH a symbolic link to the terminal (an existing symbolic\n"
    "               link is replaced; it follows the instrument when it is plugged in\n"
    "               again; removed at exit)\n"
    "  --replug-delay MS\n"
    "               how long SIGUSR1 keeps the instrument unplugged (default 2000)\n"
    "  --control PORT\n"
    "               take line commands on TCP port PORT of 127.0.0.1 (0: any free port,\n"
    "               printed on the second line of standard output); see sim_commands.h\n"
    "  --dew-point C\n"
    "               hold the dew point at C degrees C (-100 to 100): every reading is C\n"
    "               (by default it wanders around 9.5)\n"
    "  --dew-drift C_PER_H\n"
    "               move the dew point C_PER_H degrees C an hour (-3600 to 3600) from\n"
    "               --dew-point (default 9.5) at the start\n"
    "  --sent-log PATH\n"
    "               write every byte sent to the port into PATH as it goes, one write a\n"
    "               line: \"A HEX\" where an answer or bytes sent unasked begin, \"+ HEX\"\n"
    "               for the rest of one\n"
    "  --no-stdin   do not end at end of standard input (for running in the background)\n"
    "  --help       this text\n"
    "\n"
    "SIGUSR1 unplugs the instrument (the client sees a hang-up) and plugs it in again on a\n"
    "new terminal after the replug delay; SIGUSR2 plugs it in at once.\n"
    "Ends on SIGTERM, SIGINT or SIGHUP, or when standard input reaches end of file.\n";

struct Options {
    std::optional<std::string> id;
    std::optional<std::string> link;
    std::optional<std::string> sentLog;
    std::chrono::milliseconds replugDelay{2000};
    std::optional<std::uint16_t> controlPort;
    std::optional<double> dewPoint;
    std::optional<double> dewDrift;
    bool watchStdin = true;
    bool help = false;
};

// Parses the command line; false with a message on an error.
bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::optional<std::string>* into) {
            if (i + 1 >= argc) {
                *error = arg + " needs a value";
                return false;
            }
            *into = argv[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            options->help = true;
        } else if (arg == "--id") {
            if (!value(&options->id)) {
                return false;
            }
        } else if (arg == "--link") {
            if (!value(&options->link)) {
                return false;
            }
            if (options->link->empty()) {
                *error = "--link needs a non-empty path";
                return false;
            }
        } else if (arg == "--sent-log") {
            if (!value(&options->sentLog)) {
                return false;
            }
            if (options->sentLog->empty()) {
                *error = "--sent-log needs a non-empty path";
                return false;
            }
        } else if (arg == "--replug-delay") {
            std::optional<std::string> text;
            if (!value(&text)) {
                return false;
            }
            char* end = nullptr;
            const long ms = std::strtol(text->c_str(), &end, 10);
            if (text->empty() || *end != '\0' || ms < 0 || ms > 3600000) {
                *error = "--replug-delay needs a number of milliseconds (0 to 3600000)";
                return false;
            }
            options->replugDelay = std::chrono::milliseconds(ms);
        } else if (arg == "--control") {
            std::optional<std::string> text;
            if (!value(&text)) {
                return false;
            }
            char* end = nullptr;
            const long port = std::strtol(text->c_str(), &end, 10);
            if (text->empty() || *end != '\0' || port < 0 || port > 65535) {
                *error = "--control needs a TCP port number (0 to 65535)";
                return false;
            }
            options->controlPort = static_cast<std::uint16_t>(port);
        } else if (arg == "--dew-point" || arg == "--dew-drift") {
            std::optional<std::string> text;
            if (!value(&text)) {
                return false;
            }
            const bool point = arg == "--dew-point";
            const double limit = point ? sim::kHighestDewPoint : 3600.0;
            const std::optional<double> number = sim::ParseDecimal(*text, -limit, limit);
            if (!number) {
                *error = point ? "--dew-point needs degrees C from -100 to 100"
                               : "--dew-drift needs degrees C an hour from -3600 to 3600";
                return false;
            }
            (point ? options->dewPoint : options->dewDrift) = number;
        } else if (arg == "--no-stdin") {
            options->watchStdin = false;
        } else {
            *error = "unknown option " + arg;
            return false;
        }
    }
    return true;
}

// Serves the plug signals until a stop signal arrives or standard input ends: SIGUSR1
// unplugs the instrument and plugs it in again after `replugDelay`, SIGUSR2 plugs it in now.
void RunUntilEnd(sim::InstrumentSimulator& simulator, int signalFd, bool watchStdin,
                 std::chrono::milliseconds replugDelay) {
    for (;;) {
        pollfd fds[2] = {{signalFd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const nfds_t count = watchStdin ? 2 : 1;
        if (poll(fds, count, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info{};
            if (read(signalFd, &info, sizeof info) != static_cast<ssize_t>(sizeof info)) {
                continue;
            }
            if (info.ssi_signo == SIGUSR1) {
                if (simulator.Unplug()) {
                    std::cerr << "hygrometer-sim: unplugged\n";
                    simulator.Replug(replugDelay);
                }
                continue;
            }
            if (info.ssi_signo == SIGUSR2) {
                simulator.Replug();
                continue;
            }
            return;  // SIGTERM, SIGINT or SIGHUP
        }
        if (count == 2 && fds[1].revents != 0) {
            if (fds[1].revents & POLLNVAL) {  // no standard input at all: signals only
                watchStdin = false;
                continue;
            }
            char buffer[256];
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            if (n == 0) {
                return;  // end of file
            }
            if (n < 0 && errno != EINTR && errno != EAGAIN) {
                return;  // input gone
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, &options, &error)) {
        std::cerr << "hygrometer-sim: " << error << "\n\n" << kUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }

    // Block the stop signals before any thread starts (threads inherit the mask) and take
    // them from a signalfd: no handler, no global flag.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    sigaddset(&stopSignals, SIGUSR1);
    sigaddset(&stopSignals, SIGUSR2);
    if (pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr) != 0) {
        std::cerr << "hygrometer-sim: cannot block signals\n";
        return 1;
    }
    signal(SIGPIPE, SIG_IGN);
    const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (signalFd < 0) {
        std::cerr << "hygrometer-sim: signalfd: " << std::strerror(errno) << "\n";
        return 1;
    }

    sim::InstrumentSimulator simulator;
    if (options.id) {
        simulator.SetIdentification(*options.id);
    }
    if (options.link) {
        simulator.SetLinkPath(*options.link);
    }
    if (options.sentLog) {
        simulator.SetSentLog(*options.sentLog);
    }
    if (options.dewPoint || options.dewDrift) {
        // Before the start, so the course begins at time 0 and "reset" keeps it.
        simulator.HoldDewPoint(options.dewPoint.value_or(sim::DewPointCourse{}.celsius),
                               options.dewDrift.value_or(0.0));
    }
    if (!simulator.Start(&error)) {
        std::cerr << "hygrometer-sim: " << error << "\n";
        close(signalFd);
        return 1;
    }
    sim::SimCommands commands(simulator);
    sim::ControlServer control(commands);
    if (options.controlPort && !control.Start(*options.controlPort, &error)) {
        std::cerr << "hygrometer-sim: control port: " << error << "\n";
        close(signalFd);
        return 1;
    }

    const std::string slave = simulator.SlavePath();

    std::cout << slave << std::endl;  // first line, flushed
    if (options.controlPort) {
        std::cout << control.Port() << std::endl;
    }
    std::cerr << "hygrometer-sim: instrument \"" << simulator.Identification() << "\" on " << slave;
    if (options.link) {
        std::cerr << " (link " << *options.link << ")";
    }
    std::cerr << "\n";

    RunUntilEnd(simulator, signalFd, options.watchStdin, options.replugDelay);

    control.Stop();
    simulator.Stop();
    close(signalFd);
    return 0;
}
