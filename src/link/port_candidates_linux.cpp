#include "link/port_candidates.h"

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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

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

bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::size_t si = i;
            const std::size_t sj = j;
            while (i < a.size() && IsDigit(a[i]))
                ++i;
            while (j < b.size() && IsDigit(b[j]))
                ++j;
            std::string_view da = a.substr(si, i - si);
            std::string_view db = b.substr(sj, j - sj);
            da.remove_prefix(std::min(da.find_first_not_of('0'), da.size()));
            db.remove_prefix(std::min(db.find_first_not_of('0'), db.size()));
            if (da.size() != db.size()) {
                return da.size() < db.size();
            }
            if (da != db) {
                return da < db;
            }
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

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
