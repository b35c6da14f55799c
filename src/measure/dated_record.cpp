#include "measure/dated_record.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "measure/old_log.h"
#include "measure/record_row.h"
#include "measure/write_all.h"

namespace {

// The undated name the dated one is made from.
constexpr char kRecordName[] = "hygrometer.csv";

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

int CreateNew(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
}

// Writes `row` behind what the file holds, the header first into an empty file, and closes
// the file; 0 or the first errno.
int WriteRowAndClose(int fd, const QByteArray& row) {
    struct stat st {};
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (error == 0) {
        error = WriteAll(fd, st.st_size == 0 ? RecordHeader() + row : row);
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

}  // namespace

DatedRecord::AppendResult DatedRecord::Append(const QDateTime& time, const QByteArray& row) {
    AppendResult result;
    int fd = -1;
    if (path_.empty()) {
        const std::string undated = (std::filesystem::path(directory_) / kRecordName).string();
        // Another writer may take the chosen name first; then the next suffix.
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            const std::string name = DatedLogName(undated, time, Exists);
            fd = CreateNew(name);
            if (fd >= 0) {
                path_ = name;
                result.created = true;
            } else if (errno != EEXIST) {
                break;
            }
        }
    } else {
        fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = CreateNew(path_);
            result.recreated = fd >= 0;
        }
    }
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    result.error = WriteRowAndClose(fd, row);
    return result;
}

std::string DatedRecord::Where() const {
    if (!path_.empty()) {
        return path_;
    }
    return directory_.empty() ? std::string(".") : directory_;
}
