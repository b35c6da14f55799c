#include "measure/measurement_worker.h"

#include <cerrno>

#include "measure/file_error_text.h"
#include "measure/log_line.h"

using namespace std::chrono_literals;

MeasurementWorker::MeasurementWorker(InstrumentLink& link, MeasurementLog& log, QLocale locale)
    : link_(link), log_(log), locale_(std::move(locale)) {
    qRegisterMetaType<SampleUpdate>();
}

MeasurementWorker::~MeasurementWorker() {
    Stop();
}

void MeasurementWorker::Start() {
    if (thread_.joinable()) {
        return;
    }
    pollingActive_.store(-1);
    thread_ = std::thread([this] { Run(); });
}

void MeasurementWorker::Stop() {
    pollingActive_.store(0);
    link_.Shutdown();
    if (thread_.joinable()) {
        thread_.join();
    }
    log_.Close();
}

void MeasurementWorker::Run() {
    while (pollingActive_.load() != 0 && !link_.ShuttingDown()) {
        PollCycle();
    }
}

void MeasurementWorker::PollCycle() {
    bool gotData = false;
    SampleUpdate update;
    {
        Exchange ex = link_.BeginExchange();
        ex.PutTextCommand("01t?end");
        ex.SendTextCommand();
        if (!ex.Sleep(500ms)) {
            return;
        }
        gotData = ex.ReadReply(kReplyBufferSize);
        if (gotData) {
            update.sampleCount = sampleCount_.fetch_add(1) + 1;
            update.sample = DecodeMeasurement(ex.ReplyBuffer());
        }
        // Zeroed after every poll, so bytes a short reply leaves out decode as 0 next time.
        ex.ClearReplyBuffer();
    }

    if (gotData) {
        update.readouts = FormatReadouts(update.sample, locale_);
        update.time = QTime::currentTime();
        const QByteArray line = MeasurementLogLine(
            update.sampleCount, LongTimeText(update.time, locale_), update.sample, update.readouts);
        const MeasurementLog::AppendResult written = log_.Append(line);
        emit SampleReady(update);
        // A vanished file is reported like a failed open, though the line went into the new
        // file; either is said once until a line goes into the file undisturbed again.
        const int err = written.error != 0 ? written.error : (written.recreated ? ENOENT : 0);
        if (err != 0 && !logFailing_) {
            emit LogFailed(FileErrorText(err));
        }
        logFailing_ = err != 0;
    } else {
        emit PollFailed();
    }

    if (afterPoll_) {
        afterPoll_(link_);
    }
    link_.Pause(500ms);
}
