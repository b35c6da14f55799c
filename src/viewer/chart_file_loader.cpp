#include "viewer/chart_file_loader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include <QFile>
#include <QLocale>
#include <QString>

namespace {

constexpr std::size_t kReadBytes = 1 << 20;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

ChartFileResult LoadChartFile(const QString& path, const QLocale& locale, std::size_t keepNewest) {
    ChartFileResult result;
    const FileDescriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        result.fileErrno = errno;
        return result;
    }
    // A directory opens but fails its first read (EISDIR).
    ChartFileParser parser(TimeTextRules::FromLocale(locale), keepNewest);
    const auto buffer = std::make_unique_for_overwrite<char[]>(kReadBytes);
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer.get(), kReadBytes);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.fileErrno = errno;
            result.points = parser.Abandon();
            return result;
        }
        if (got == 0 ||
            !parser.Feed(std::string_view(buffer.get(), static_cast<std::size_t>(got)))) {
            break;
        }
    }
    result.points = parser.Finish();
    return result;
}
