#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "files/disk_sync.h"

namespace files {

namespace {

// fsync through a descriptor of our own: it syncs the file whatever opened it for writing.
int SyncOpened(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    return error != 0 ? error : closeError;
}

}  // namespace

int SyncFileToDisk(const std::string& path) {
    return SyncOpened(path, O_RDONLY);
}

int SyncDirectoryOfToDisk(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const std::string directory = parent.empty() ? std::string(".") : parent.string();
    const int error = SyncOpened(directory, O_RDONLY | O_DIRECTORY);
    // Some file systems cannot sync a directory; the rename is then as safe as they make it.
    return error == EINVAL ? 0 : error;
}

int RenameReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace files
