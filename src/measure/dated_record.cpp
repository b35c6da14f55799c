#include "measure/dated_record.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "files/output_file.h"
#include "measure/old_log.h"
#include "measure/record_row.h"

namespace {

// The undated name the dated one is made from.
constexpr char kRecordName[] = "hygrometer.csv";

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

DatedRecord::AppendResult DatedRecord::Append(const QDateTime& time, std::int32_t sample,
                                              QByteArray row) {
    if (!nameTime_) {
        nameTime_ = time;
    }
    return Write(&sample, std::move(row));
}

DatedRecord::AppendResult DatedRecord::Retry() {
    if (held_.Held() == 0) {
        AppendResult result;
        bool none = false;
        static_cast<LogWriteResult&>(result) = LogWriteResultOf(held_, {}, none);
        return result;  // the file is not touched
    }
    return Write(nullptr, {});
}

int DatedRecord::Open(files::OutputFile& file, AppendResult& result, bool& fresh) {
    if (path_.empty()) {
        const std::string undated = (std::filesystem::path(directory_) / kRecordName).string();
        // Another writer may take the chosen name first; then the next suffix.
        int error = 0;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name =
                DatedLogName(undated, nameTime_.value_or(QDateTime::currentDateTime()), Exists);
            error = file.Open(name, files::OpenMode::CreateNew);
            if (error == 0) {
                path_ = name;
                result.created = true;
                fresh = true;
                return 0;
            }
            if (error != EEXIST) {
                break;
            }
        }
        return error;
    }
    int error = file.Open(path_, files::OpenMode::AppendExisting);
    if (error == ENOENT) {
        error = file.Open(path_, files::OpenMode::CreateNew);
        fresh = error == 0;
        restartPending_ = restartPending_ || fresh;
    }
    return error;
}

DatedRecord::AppendResult DatedRecord::Write(const std::int32_t* sample, QByteArray row) {
    AppendResult result;
    files::OutputFile file;
    bool fresh = false;
    int error = Open(file, result, fresh);
    if (error == 0) {
        int sizeError = 0;
        if (fresh || file.IsEmpty(&sizeError)) {
            headerWritten_ = 0;
        }
        error = sizeError;
    }
    const QByteArray header = RecordHeader();
    if (error == 0 && headerWritten_ < static_cast<std::size_t>(header.size())) {
        std::size_t accepted = 0;
        error = file.WriteAll(header.constData() + headerWritten_,
                              static_cast<std::size_t>(header.size()) - headerWritten_, &accepted);
        headerWritten_ += accepted;
    }
    // Rows go only behind a whole header; until then they are held.
    const HeldLines::Write write = WriteInto(file, error);
    const HeldLines::Result held = sample != nullptr
                                       ? held_.Add(*sample, std::move(row), write, fresh)
                                       : held_.Retry(write, fresh);
    static_cast<LogWriteResult&>(result) = LogWriteResultOf(held_, held, restartPending_);
    file.Close();  // written straight to the system: a close has nothing left to lose
    return result;
}

std::string DatedRecord::Where() const {
    if (!path_.empty()) {
        return path_;
    }
    return directory_.empty() ? std::string(".") : directory_;
}
