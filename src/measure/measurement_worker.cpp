#include "measure/measurement_worker.h"

#include <cerrno>

#include "link/port_candidates.h"
#include "measure/file_error_text.h"
#include "measure/log_line.h"
#include "measure/record_row.h"

MeasurementWorker::MeasurementWorker(InstrumentLink& link, MeasurementLog& log, QLocale locale,
                                     ProtocolWaits waits)
    : link_(link), log_(log), locale_(std::move(locale)), waits_(waits) {
    qRegisterMetaType<SampleUpdate>();
}

MeasurementWorker::~MeasurementWorker() {
    Stop();
}

void MeasurementWorker::Start() {
    if (running_.load()) {
        return;
    }
    if (thread_.joinable()) {
        thread_.join();  // ended by a lost port
    }
    polling_.store(true);
    running_.store(true);
    thread_ = std::thread([this] { Run(); });
}

void MeasurementWorker::Stop() {
    {
        std::lock_guard<std::mutex> lock(pauseMutex_);
        polling_.store(false);
    }
    pauseWake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    running_.store(false);
}

void MeasurementWorker::Run() {
    bool lost = false;
    while (polling_.load() && !link_.ShuttingDown()) {
        if (!PollCycle()) {
            lost = true;
            break;
        }
    }
    running_.store(false);
    if (lost && events_.portLost) {
        events_.portLost();
    }
}

bool MeasurementWorker::PollCycle() {
    SampleUpdate update;
    RequestOutcome outcome;
    std::string portPath;
    {
        Exchange ex = link_.BeginExchange();
        portPath = ex.PortPath();
        ex.PutTextCommand(kMeasurementRequest);
        outcome = SendWaitRead(ex, RequestShape::Text, waits_.measurement);
        if (outcome == RequestOutcome::Interrupted) {
            return true;  // stopping
        }
        if (outcome == RequestOutcome::Replied) {
            update.sampleCount = sampleCount_.fetch_add(1) + 1;
            update.replyBytes = ex.LastReadCount();
            update.sample = DecodeMeasurement(ex.ReplyBuffer());
        } else if (outcome == RequestOutcome::NoReply && !PortDevicePresent(portPath)) {
            // The node went with its device while the descriptor stays quiet.
            ex.MarkPortGone();
            outcome = RequestOutcome::PortGone;
        }
        // Zeroed after every poll, so bytes a short reply leaves out decode as 0 next time.
        ex.ClearReplyBuffer();
    }

    if (outcome == RequestOutcome::Replied) {
        update.readouts = FormatReadouts(update.sample, locale_);
        update.dateTime = QDateTime::currentDateTime();
        update.time = update.dateTime.time();
        if (sampleHook_) {
            sampleHook_(update);
        }
        WriteSample(std::move(update));
    } else if (outcome == RequestOutcome::PortGone) {
        // A lost connection, not a silent instrument: portLost says it, once, when the
        // loop ends; a poll without data would be a second, wrong account of it.
        return false;
    } else if (events_.pollFailed) {
        events_.pollFailed();
    }

    if (afterPoll_) {
        afterPoll_(link_);
    }
    if (!link_.PortIsOpen()) {
        return false;  // the settings write found it gone
    }
    std::unique_lock<std::mutex> lock(pauseMutex_);
    pauseWake_.wait_for(lock, waits_.pollPause, [this] { return !polling_.load(); });
    return true;
}

void MeasurementWorker::WriteSample(SampleUpdate update) {
    const QByteArray line = MeasurementLogLine(
        update.sampleCount, LongTimeText(update.time, locale_), update.sample, update.readouts);
    const MeasurementLog::AppendResult written = log_.Append(line);
    DatedRecord::AppendResult recorded;
    if (record_ != nullptr) {
        recorded = record_->Append(update.dateTime,
                                   RecordRow({update.dateTime, update.sampleCount, update.sample,
                                              update.replyBytes, update.humidity}));
        if (recorded.created && events_.recordStarted) {
            events_.recordStarted(QString::fromStdString(record_->Where()));
        }
    }
    update.logError = written.error;
    update.recordError = recorded.error;
    if (events_.sampleReady) {
        events_.sampleReady(std::move(update));
    }

    // A vanished file is reported like a failed open, though the line went into the new
    // file; either is said once until a line goes into the file undisturbed again.
    const int logError = written.error != 0 ? written.error : (written.recreated ? ENOENT : 0);
    if (logError != 0 && !logFailing_ && events_.logFailed) {
        events_.logFailed(FileErrorText(logError));
    }
    logFailing_ = logError != 0;
    if (record_ == nullptr) {
        return;
    }
    const int recordError =
        recorded.error != 0 ? recorded.error : (recorded.recreated ? ENOENT : 0);
    if (recordError != 0 && !recordFailing_ && events_.recordFailed) {
        events_.recordFailed(QString::fromStdString(record_->Where()) + QStringLiteral(": ") +
                             FileErrorText(recordError));
    }
    recordFailing_ = recordError != 0;
}
