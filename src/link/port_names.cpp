#include "link/port_names.h"

#include <algorithm>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::string_view kDevicePrefix = "\\\\.\\";

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

std::string ComPortDevicePath(std::string_view port) {
    if (port.starts_with(kDevicePrefix)) {
        return std::string(port);
    }
    return std::string(kDevicePrefix) + std::string(port);
}
