#pragma once
// The dump file "logged.txt": created empty, each line written straight to the system, so
// the lines before a failure are on disk whatever happens next.

#include <QByteArray>
#include <string>

#include "files/output_file.h"

// The dump's name in the working directory; every text that names the file takes it from here.
inline constexpr char kLoggerDumpName[] = "logged.txt";

class LoggerDumpFile {
  public:
    explicit LoggerDumpFile(std::string path = kLoggerDumpName) : path_(std::move(path)) {}
    ~LoggerDumpFile() { Close(); }
    LoggerDumpFile(const LoggerDumpFile&) = delete;
    LoggerDumpFile& operator=(const LoggerDumpFile&) = delete;

    // Creates the file, or empties an existing one, and keeps it open; 0 or the errno.
    int Create();
    // Writes the whole line; 0 or the errno of the failing write (EBADF when not open).
    int WriteLine(const QByteArray& line);
    // Closes the file if open; 0 or the errno of close.
    int Close();

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    files::OutputFile file_;
};
