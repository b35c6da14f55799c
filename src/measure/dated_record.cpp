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

// Writes `row` behind what the file holds, the header first into an empty file, and closes
// the file; 0 or the first error.
int WriteRowAndClose(files::OutputFile& file, const QByteArray& row) {
    int error = 0;
    const bool empty = file.IsEmpty(&error);
    if (error == 0) {
        const QByteArray bytes = empty ? RecordHeader() + row : row;
        error = file.WriteAll(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    const int closeError = file.Close();
    return error != 0 ? error : closeError;
}

}  // namespace

DatedRecord::AppendResult DatedRecord::Append(const QDateTime& time, const QByteArray& row) {
    AppendResult result;
    files::OutputFile file;
    int error = 0;
    if (path_.empty()) {
        const std::string undated = (std::filesystem::path(directory_) / kRecordName).string();
        // Another writer may take the chosen name first; then the next suffix.
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = DatedLogName(undated, time, Exists);
            error = file.Open(name, files::OpenMode::CreateNew);
            if (error == 0) {
                path_ = name;
                result.created = true;
                break;
            }
            if (error != EEXIST) {
                break;
            }
        }
    } else {
        error = file.Open(path_, files::OpenMode::AppendExisting);
        if (error == ENOENT) {
            error = file.Open(path_, files::OpenMode::CreateNew);
            result.recreated = error == 0;
        }
    }
    if (error != 0) {
        result.error = error;
        return result;
    }
    result.error = WriteRowAndClose(file, row);
    return result;
}
std::string DatedRecord::Where() const {
    if (!path_.empty()) {
        return path_;
    }
    return directory_.empty() ? std::string(".") : directory_;
}
