#include "measure/measurement_log.h"

#include <cerrno>

int MeasurementLog::Create() {
    Close();
    files::OutputFile file;
    if (const int err = file.Open(path_, files::OpenMode::Truncate)) {
        return err;
    }
    return file.Close();
}

MeasurementLog::AppendResult MeasurementLog::Append(const QByteArray& line) {
    Close();
    AppendResult result;
    int err = file_.Open(path_, files::OpenMode::AppendExisting);
    if (err == ENOENT) {
        result.recreated = true;
        err = file_.Open(path_, files::OpenMode::AppendOrCreate);
    }
    if (err != 0) {
        result.error = err;
        return result;
    }
    result.error = file_.WriteAll(line.constData(), static_cast<std::size_t>(line.size()));
    return result;
}

void MeasurementLog::Close() {
    file_.Close();
}
