#include "measure/old_log.h"

#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string DatedLogName(const std::string& logPath, const QDateTime& modified,
                         const std::function<bool(const std::string&)>& taken) {
    const fs::path path(logPath);
    const std::string stem = path.stem().string() + "-" +
                             modified.toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
    const std::string extension = path.extension().string();
    std::string name = (path.parent_path() / (stem + extension)).string();
    for (int suffix = 2; taken(name); ++suffix) {
        name = (path.parent_path() / (stem + "-" + std::to_string(suffix) + extension)).string();
    }
    return name;
}

int RenameWithoutReplacing(const std::string& from, const std::string& to) {
    std::error_code error;
    if (fs::exists(to, error)) {
        return EEXIST;
    }
    fs::rename(from, to, error);
    return error.value();
}

KeptLog KeepOldLog(const std::string& logPath, const RenameFile& rename) {
    KeptLog kept;
    const QFileInfo info(QString::fromStdString(logPath));
    if (!info.isFile() || info.size() == 0) {
        return kept;
    }
    const std::string name = DatedLogName(logPath, info.lastModified(), [](const std::string& n) {
        std::error_code error;
        return fs::exists(fs::symlink_status(n, error));
    });
    kept.error = rename(logPath, name);
    if (kept.error == 0) {
        kept.keptAs = name;
    }
    return kept;
}
