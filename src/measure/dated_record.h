#pragma once
// The dated record of a session: "hygrometer-YYYYMMDD-HHMMSS.csv", named after the first
// sample written into it, a header row, then one row per sample. Each row is written straight
// to the system and the file closed again, so every row is on disk once Append returns and a
// file moved away or deleted is noticed at the next row. The same file goes on for as long as
// the session lives, across reconnects.

#include <QByteArray>
#include <QDateTime>
#include <string>

class DatedRecord {
  public:
    // `directory`: where the file goes; empty for the working directory.
    explicit DatedRecord(std::string directory) : directory_(std::move(directory)) {}

    struct AppendResult {
        int error = 0;           // errno of the failing call, 0 when the row was written
        bool created = false;    // this row started the file
        bool recreated = false;  // the file had gone and was started anew for this row
    };

    // Writes `row` (a RecordRow). Until a file exists, each call tries to create one named
    // after `time`, with "-2", "-3", ... when the name is taken. A file that is empty gets the
    // header first. A failed row is not kept for a retry, so no row is ever written twice.
    AppendResult Append(const QDateTime& time, const QByteArray& row);

    // The file once created; until then, the directory it will go into.
    std::string Where() const;

  private:
    std::string directory_;
    std::string path_;
};
