#include "chart/chart_csv_file.h"

#include <cerrno>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "files/output_file.h"

namespace {

// Tries a few names beside the chosen one, in case an earlier export left one behind.
constexpr int kTemporaryNames = 100;

std::filesystem::path FileSystemPath(const std::string& utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

int OpenTemporary(files::OutputFile& file, const std::string& path, std::string& temporary) {
    int error = EEXIST;
    for (int n = 0; n < kTemporaryNames && error == EEXIST; ++n) {
        temporary = path + (n == 0 ? std::string() : "." + std::to_string(n)) + ".part";
        error = file.Open(temporary, files::OpenMode::CreateNew);
    }
    return error;
}

}  // namespace

ChartCsvFileResult WriteChartCsvFile(const ChartSnapshot& snapshot, const std::string& path,
                                     const std::atomic<bool>& cancel,
                                     const std::function<void(std::int64_t points)>& progress) {
    ChartCsvFileResult result;
    files::OutputFile file;
    std::string temporary;
    result.error = OpenTemporary(file, path, temporary);
    if (result.error != 0) {
        return result;
    }
    bool cancelled = false;
    result.rows = WriteChartDataCsv(snapshot.Columns(), snapshot.from, snapshot.to,
                                    [&](std::string_view piece, std::int64_t points) {
                                        if (cancel.load(std::memory_order_relaxed)) {
                                            cancelled = true;
                                            return false;
                                        }
                                        result.error = file.WriteAll(piece.data(), piece.size());
                                        if (result.error != 0) {
                                            return false;
                                        }
                                        progress(points);
                                        return true;
                                    });
    if (const int closed = file.Close(); result.error == 0) {
        result.error = closed;
    }
    std::error_code failure;
    if (!cancelled && result.error == 0) {
        std::filesystem::rename(FileSystemPath(temporary), FileSystemPath(path), failure);
        result.error = failure.default_error_condition().value();
    }
    if (cancelled || result.error != 0) {
        std::filesystem::remove(FileSystemPath(temporary), failure);
        result.rows = 0;
        result.outcome = cancelled ? ChartCsvFileResult::Outcome::Cancelled
                                   : ChartCsvFileResult::Outcome::Failed;
        return result;
    }
    result.outcome = ChartCsvFileResult::Outcome::Written;
    return result;
}
