#include "files/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace files {

int OutputFile::Open(const std::string& path, OpenMode mode) {
    Close();
    int flags = O_WRONLY | O_CLOEXEC;
    switch (mode) {
        case OpenMode::Truncate:
            flags |= O_CREAT | O_TRUNC;
            break;
        case OpenMode::AppendExisting:
            flags |= O_APPEND;
            break;
        case OpenMode::AppendOrCreate:
            flags |= O_CREAT | O_APPEND;
            break;
        case OpenMode::CreateNew:
            flags |= O_CREAT | O_EXCL | O_APPEND;
            break;
    }
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        return errno;
    }
    handle_ = fd;
    return 0;
}

int OutputFile::WriteAll(const void* data, std::size_t size, std::size_t* accepted) {
    if (accepted != nullptr) {
        *accepted = 0;
    }
    if (!IsOpen()) {
        return EBADF;
    }
    const int fd = static_cast<int>(handle_);
    const char* next = static_cast<const char*>(data);
    std::size_t left = size;
    while (left > 0) {
        const ssize_t n = ::write(fd, next, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;  // nothing accepted without a reason: call it EIO
        }
        next += n;
        left -= static_cast<std::size_t>(n);
        if (accepted != nullptr) {
            *accepted += static_cast<std::size_t>(n);
        }
    }
    return 0;
}

bool OutputFile::IsEmpty(int* error) const {
    struct stat st {};
    if (!IsOpen() || ::fstat(static_cast<int>(handle_), &st) != 0) {
        *error = IsOpen() ? errno : EBADF;
        return false;
    }
    *error = 0;
    // A device under the file's name (a link to /dev/full, say) has no size to tell by: it
    // is not taken for an empty file, so a header is not begun again in it.
    return S_ISREG(st.st_mode) && st.st_size == 0;
}

int OutputFile::Close() {
    if (!IsOpen()) {
        return 0;
    }
    const int fd = static_cast<int>(handle_);
    handle_ = kNoHandle;
    return ::close(fd) == 0 ? 0 : errno;
}

}  // namespace files
