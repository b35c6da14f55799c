#include "calibration/points_file_store.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "calibration/points_file_text.h"
#include "files/durable_file.h"
#include "measure/old_log.h"

namespace calibration {

namespace {

// The undated name the dated one is made from.
constexpr char kPointsName[] = "points.csv";

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// Whether the file's last byte is a line end; a file someone saved without one would
// otherwise get the new row glued to its last.
bool EndsWithLineEnd(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0 || !file.seek(file.size() - 1)) {
        return true;  // nothing to mend: the append itself reports what is wrong
    }
    char last = 0;
    return !file.getChar(&last) || last == '\n';
}

}  // namespace

std::string PointsFileName(const std::string& directory, const QDateTime& time,
                           const std::function<bool(const std::string&)>& taken) {
    return DatedLogName((std::filesystem::path(directory) / kPointsName).string(), time, taken);
}

std::string PointsFileName(const std::string& directory, const QDateTime& time) {
    return PointsFileName(directory, time, Exists);
}

int AppendPointToFile(const std::string& path, const PointsFile& file, std::size_t index) {
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists() || info.size() == 0) {
        return RewritePointsFile(path, file);
    }
    QByteArray row = PointsFileRow(file, index);
    if (!EndsWithLineEnd(path)) {
        row.prepend('\n');
    }
    return files::AppendDurably(path, row.constData(), static_cast<std::size_t>(row.size()));
}

int RewritePointsFile(const std::string& path, const PointsFile& file) {
    const QByteArray text = PointsFileText(file);
    return files::ReplaceAtomically(path, text.constData(), static_cast<std::size_t>(text.size()));
}

}  // namespace calibration
