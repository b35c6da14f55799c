#pragma once
// The dated record of a session: "hygrometer-YYYYMMDD-HHMMSS.csv", named after the first
// sample meant for it, a header row, then one row per sample. Each row is written straight
// to the system and the file closed again, so every row is on disk once Append returns and a
// file moved away or deleted is noticed at the next row and started again under its name,
// with its header. Rows that cannot be written are held and written, in order, ahead of the
// next. The same file goes on for as long as the session lives, across reconnects.

#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <optional>
#include <string>

#include "measure/held_lines.h"

namespace files {
class OutputFile;
}

class DatedRecord {
  public:
    // `directory`: where the file goes; empty for the working directory.
    explicit DatedRecord(std::string directory, std::size_t holdBound = kHeldLinesBound)
        : directory_(std::move(directory)), held_(holdBound) {}

    struct AppendResult : LogWriteResult {
        bool created = false;  // the file was created by this call
    };

    // Writes the rows held so far, then `row` (a RecordRow) of sample `sample`. Until a file
    // exists, each call tries to create one named after the time of the first row meant for
    // it, with "-2", "-3", ... when the name is taken. A file that is empty gets the header
    // first.
    AppendResult Append(const QDateTime& time, std::int32_t sample, QByteArray row);
    // The last try to write the rows still held.
    AppendResult Retry();

    // The file once created; until then, the directory it will go into.
    std::string Where() const;

  private:
    AppendResult Write(const std::int32_t* sample, QByteArray row);
    // Opens the file, creating it when there is none yet or when it has gone; 0 or the error.
    int Open(files::OutputFile& file, AppendResult& result, bool& fresh);

    std::string directory_;
    std::string path_;
    std::optional<QDateTime> nameTime_;
    HeldLines held_;
    // Bytes of the header already in the file.
    std::size_t headerWritten_ = 0;
    bool restartPending_ = false;
};
