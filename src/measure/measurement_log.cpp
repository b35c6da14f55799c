#include "measure/measurement_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "measure/write_all.h"

int MeasurementLog::Create() {
    Close();
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno;
    }
    return ::close(fd) == 0 ? 0 : errno;
}

MeasurementLog::AppendResult MeasurementLog::Append(const QByteArray& line) {
    Close();
    AppendResult result;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd_ < 0 && errno == ENOENT) {
        result.recreated = true;
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    }
    if (fd_ < 0) {
        result.error = errno;
        return result;
    }
    result.error = WriteAll(fd_, line);
    return result;
}

void MeasurementLog::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}
