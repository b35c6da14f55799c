#include "logger/logger_dump_file.h"

int LoggerDumpFile::Create() {
    Close();
    return file_.Open(path_, files::OpenMode::Truncate);
}

int LoggerDumpFile::WriteLine(const QByteArray& line) {
    return file_.WriteAll(line.constData(), static_cast<std::size_t>(line.size()));
}

int LoggerDumpFile::Close() {
    return file_.Close();
}
