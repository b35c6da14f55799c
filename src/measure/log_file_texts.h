#pragma once
// What the operator is told about the log and the dated record while measuring, in the
// interface's language; `file` is the file's name as the operator gave it or as it was made.

#include <QString>
#include <cstddef>
#include <cstdint>

namespace log_file_texts {

// The file could not take a line: why, and how many lines are held for it so far.
QString HoldingBegan(const QString& file, int error, std::size_t held);
// Every held line is in the file again.
QString HoldingEnded(const QString& file, std::size_t writtenLate, std::uint64_t dropped);
// The file had gone and was started again; `sample` is the first in the new file.
QString Restarted(const QString& file, std::int32_t sample);
// At the end: lines that never reached the file.
QString LinesLost(const QString& file, std::uint64_t lost);

}  // namespace log_file_texts
