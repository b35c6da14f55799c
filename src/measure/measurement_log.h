#pragma once
// The measurement log "jrt1.txt": emptied at connect, then one line appended per sample.

#include <QByteArray>
#include <cstdint>
#include <string>

#include "files/output_file.h"
#include "measure/held_lines.h"

// The log's name in the working directory; every text that names the file takes it from here.
inline constexpr char kMeasurementLogName[] = "jrt1.txt";

class MeasurementLog {
  public:
    explicit MeasurementLog(std::string path = kMeasurementLogName,
                            std::size_t holdBound = kHeldLinesBound)
        : path_(std::move(path)), held_(holdBound) {}
    ~MeasurementLog() { Close(); }
    MeasurementLog(const MeasurementLog&) = delete;
    MeasurementLog& operator=(const MeasurementLog&) = delete;

    // Creates the file empty (truncating an existing one) and closes it; 0 or the errno.
    int Create();

    // Closes the file left open by the previous line, opens it again by name and writes the
    // lines held so far, then `line` of sample `sample`, straight to the system, so what was
    // written is on disk once this returns. Opening by name at every line means a file
    // deleted or renamed away is noticed here: it is started again under the log's name
    // (and said so), and nothing goes into a file nobody can see. Lines that cannot be
    // written are held for the next call.
    LogWriteResult Append(std::int32_t sample, QByteArray line);
    // The last try to write the lines still held.
    LogWriteResult Retry();

    void Close();
    const std::string& path() const { return path_; }

  private:
    LogWriteResult Write(const std::int32_t* sample, QByteArray line);

    std::string path_;
    files::OutputFile file_;
    HeldLines held_;
    bool restartPending_ = false;
};
