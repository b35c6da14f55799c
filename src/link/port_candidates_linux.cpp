#include "link/port_candidates.h"

#include "link/net_port_name.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::set<std::string> ConsolePorts(const fs::path& ttyClass) {
    std::ifstream in(ttyClass / "console" / "active");
    std::set<std::string> names{std::istream_iterator<std::string>(in),
                                std::istream_iterator<std::string>()};
    return names;
}

// Platform UARTs that the 8250 driver registers whether or not a chip is fitted report the
// type PORT_UNKNOWN.
bool IsPlaceholderUart(const std::string& devicePath) {
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;  // keep it: the scan will report why it cannot be opened
    }
    serial_struct info{};
    const bool placeholder = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type == PORT_UNKNOWN;
    ::close(fd);
    return placeholder;
}

}  // namespace

std::vector<std::string> SystemPortCandidates() {
    const fs::path ttyClass = "/sys/class/tty";
    std::vector<std::string> names;
    std::error_code ec;
    const std::set<std::string> console = ConsolePorts(ttyClass);
    for (const auto& entry : fs::directory_iterator(ttyClass, ec)) {
        const std::string name = entry.path().filename().string();
        if (console.count(name) || !fs::exists(entry.path() / "device" / "driver", ec)) {
            continue;
        }
        const std::string devicePath = "/dev/" + name;
        if (!fs::exists(devicePath, ec) || IsPlaceholderUart(devicePath)) {
            continue;
        }
        names.push_back(devicePath);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    return names;
}

bool PortDevicePresent(const std::string& path) {
    // A serial device server's line has no device node: its connection tells when it goes.
    if (path.empty() || IsNetPortName(path)) {
        return true;
    }
    std::error_code error;
    const bool exists = fs::exists(path, error);
    return exists || static_cast<bool>(error);  // a check that failed proves nothing
}

std::vector<std::string> StablePortAliases(const std::string& path) {
    std::vector<std::string> aliases;
    if (IsNetPortName(path)) {
        return aliases;  // a server's address is no file name, whatever the directory holds
    }
    std::error_code error;
    const fs::path device = fs::canonical(path, error);
    if (error) {
        return aliases;
    }
    for (const char* folder : {"/dev/serial/by-id", "/dev/serial/by-path"}) {
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code ignored;
            if (it->is_symlink(ignored) && fs::canonical(it->path(), ignored) == device &&
                it->path() != fs::path(path)) {
                aliases.push_back(it->path().string());
            }
        }
    }
    std::sort(aliases.begin(), aliases.end());
    return aliases;
}
