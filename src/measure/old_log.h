#pragma once
// Keeping the previous run's measurement log: before a new run empties "jrt1.txt", a file
// with lines in it is renamed to "jrt1-YYYYMMDD-HHMMSS.txt" after its last change (local
// time), with "-2", "-3", ... when that name is taken.

#include <QDateTime>
#include <functional>
#include <string>

// The dated name for `logPath` last changed at `modified`; `taken` says whether a name is in
// use. "dir/jrt1.txt" gives "dir/jrt1-20261210-131500.txt".
std::string DatedLogName(const std::string& logPath, const QDateTime& modified,
                         const std::function<bool(const std::string&)>& taken);

struct KeptLog {
    int error = 0;       // errno of the failed rename; the log is then untouched
    std::string keptAs;  // the dated name, when a log was kept
};

// Renames `from` to `to`; 0 or the errno.
using RenameFile = std::function<int(const std::string& from, const std::string& to)>;
int RenameWithoutReplacing(const std::string& from, const std::string& to);

// Keeps a non-empty regular file at `logPath` under its dated name. Nothing to keep (no
// file, an empty one, something that is not a file) is no error.
KeptLog KeepOldLog(const std::string& logPath, const RenameFile& rename = RenameWithoutReplacing);
