#pragma once
// The measurement log "jrt1.txt": emptied at connect, then one line appended per sample.

#include <QByteArray>
#include <string>

#include "files/output_file.h"

// The log's name in the working directory; every text that names the file takes it from here.
inline constexpr char kMeasurementLogName[] = "jrt1.txt";

class MeasurementLog {
  public:
    explicit MeasurementLog(std::string path = kMeasurementLogName) : path_(std::move(path)) {}
    ~MeasurementLog() { Close(); }
    MeasurementLog(const MeasurementLog&) = delete;
    MeasurementLog& operator=(const MeasurementLog&) = delete;

    // Creates the file empty (truncating an existing one) and closes it; 0 or the errno.
    int Create();

    struct AppendResult {
        int error = 0;           // errno of the failing call, 0 when the line was written
        bool recreated = false;  // the file had gone and was created anew for this line
    };

    // Closes the file left open by the previous line, opens it again by name and writes the
    // whole line straight to the system, so a line is on disk once this returns. A file
    // that has been deleted is created anew (and said so). A failed line is not kept for a
    // retry, so no line is ever written twice.
    AppendResult Append(const QByteArray& line);

    void Close();
    const std::string& path() const { return path_; }

  private:
    std::string path_;
    files::OutputFile file_;
};
