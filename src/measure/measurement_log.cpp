#include "measure/measurement_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

int MeasurementLog::Create() {
    Close();
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno;
    }
    return ::close(fd) == 0 ? 0 : errno;
}

int MeasurementLog::Append(const QByteArray& line) {
    Close();
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        return errno;
    }
    const char* data = line.constData();
    qsizetype left = line.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        data += n;
        left -= n;
    }
    return 0;
}

void MeasurementLog::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}
