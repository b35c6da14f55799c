#include "sim/terminal_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace sim {

bool MakeTerminalLink(const std::string& link, const std::string& target, std::string* error) {
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        *error = link + " exists and is not a symbolic link";
        return false;
    }
    // Made beside the link and renamed over it, so a client never finds the name missing.
    const std::string fresh = link + ".new";
    unlink(fresh.c_str());
    if (symlink(target.c_str(), fresh.c_str()) != 0) {
        *error = "cannot create " + fresh + ": " + std::strerror(errno);
        return false;
    }
    if (std::rename(fresh.c_str(), link.c_str()) != 0) {
        *error = "cannot replace " + link + ": " + std::strerror(errno);
        unlink(fresh.c_str());
        return false;
    }
    return true;
}

void RemoveTerminalLink(const std::string& link, const std::string& target) {
    std::vector<char> buffer(4096);
    const ssize_t n = readlink(link.c_str(), buffer.data(), buffer.size());
    if (n >= 0 && std::string(buffer.data(), static_cast<std::size_t>(n)) == target) {
        unlink(link.c_str());
    }
}

}  // namespace sim
