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

LogWriteResult MeasurementLog::Append(std::int32_t sample, QByteArray line) {
    return Write(&sample, std::move(line));
}

LogWriteResult MeasurementLog::Retry() {
    if (held_.Held() == 0) {
        bool none = false;
        return LogWriteResultOf(held_, {}, none);  // the file is not touched
    }
    return Write(nullptr, {});
}

LogWriteResult MeasurementLog::Write(const std::int32_t* sample, QByteArray line) {
    Close();
    bool fresh = false;
    int err = file_.Open(path_, files::OpenMode::AppendExisting);
    if (err == ENOENT) {
        err = file_.Open(path_, files::OpenMode::AppendOrCreate);
        fresh = err == 0;
    }
    restartPending_ = restartPending_ || fresh;
    const HeldLines::Write write = WriteInto(file_, err);
    const HeldLines::Result result = sample != nullptr
                                         ? held_.Add(*sample, std::move(line), write, fresh)
                                         : held_.Retry(write, fresh);
    return LogWriteResultOf(held_, result, restartPending_);
}

void MeasurementLog::Close() {
    file_.Close();
}
