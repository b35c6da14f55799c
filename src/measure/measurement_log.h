#pragma once
// The measurement log "jrt1.txt": emptied at connect, then one line appended per sample.

#include <QByteArray>
#include <string>

class MeasurementLog {
  public:
    explicit MeasurementLog(std::string path = "jrt1.txt") : path_(std::move(path)) {}
    ~MeasurementLog() { Close(); }
    MeasurementLog(const MeasurementLog&) = delete;
    MeasurementLog& operator=(const MeasurementLog&) = delete;

    // Creates the file empty (truncating an existing one) and closes it; 0 or the errno.
    int Create();

    // Closes the file left open by the previous line, opens it again by name (creating it
    // anew if it was deleted) and writes the whole line straight to the system, so a line
    // is on disk once this returns. 0 or the errno of the failing call; a failed line is
    // not kept for a retry, so no line is ever written twice.
    int Append(const QByteArray& line);

    void Close();
    const std::string& path() const { return path_; }

  private:
    std::string path_;
    int fd_ = -1;
};
