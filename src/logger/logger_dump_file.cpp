#include "logger/logger_dump_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "measure/write_all.h"

int LoggerDumpFile::Create() {
    Close();
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd_ < 0 ? errno : 0;
}

int LoggerDumpFile::WriteLine(const QByteArray& line) {
    if (fd_ < 0) {
        return EBADF;
    }
    return WriteAll(fd_, line);
}

int LoggerDumpFile::Close() {
    if (fd_ < 0) {
        return 0;
    }
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
}
