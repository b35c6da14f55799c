#pragma once
// The points file on disk, beside the dated record: "points-YYYYMMDD-HHMMSS.csv". Every
// point is appended as it is recorded, and every edit (a reading typed, a device added, a
// point excluded) rewrites the whole file in one step, so neither closing the window nor a
// crash loses anything, and a reader never sees half a change. A run that restarts reads the
// file (LoadPointsFile) and goes on appending to it.

#include <QDateTime>
#include <cstddef>
#include <functional>
#include <string>

#include "calibration/points_file.h"

namespace calibration {

// "dir/points-20261210-131500.csv" for a run that started at that local time, with "-2",
// "-3", ... when `taken` says the name is in use; `directory` empty: the working directory.
std::string PointsFileName(const std::string& directory, const QDateTime& time,
                           const std::function<bool(const std::string&)>& taken);
// The same, taken names being those that exist.
std::string PointsFileName(const std::string& directory, const QDateTime& time);

// Writes point `index` of `file` to `path`: appended as one row, on disk before this
// returns; a file that does not exist yet or is empty gets the whole of `file` instead. The
// file must be the one `file` was read from or written to. 0 or the errno.
int AppendPointToFile(const std::string& path, const PointsFile& file, std::size_t index);

// Replaces the file at `path` with the whole of `file` in one step (`path`.tmp, then a
// rename). 0 or the errno; on failure the file is as it was.
int RewritePointsFile(const std::string& path, const PointsFile& file);

}  // namespace calibration
