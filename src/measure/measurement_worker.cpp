#include "measure/measurement_worker.h"

#include "link/port_candidates.h"
#include "measure/log_file_texts.h"
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
    const LogWriteResult written =
        log_.Append(update.sampleCount,
                    MeasurementLogLine(update.sampleCount, LongTimeText(update.time, locale_),
                                       update.sample, update.readouts));
    DatedRecord::AppendResult recorded;
    if (record_ != nullptr) {
        recorded = record_->Append(update.dateTime, update.sampleCount,
                                   RecordRow({update.dateTime, update.sampleCount, update.sample,
                                              update.replyBytes, update.humidity}));
        if (recorded.created && events_.recordStarted) {
            events_.recordStarted(QString::fromStdString(record_->Where()));
        }
    }
    // An error here is this write's own failure: a file started again after it had gone is
    // no failure, nothing having been lost.
    update.logError = written.error;
    update.recordError = recorded.error;
    update.logHeld = written.held;
    update.logDropped = written.droppedTotal;
    update.recordHeld = recorded.held;
    update.recordDropped = recorded.droppedTotal;
    if (events_.sampleReady) {
        events_.sampleReady(std::move(update));
    }
    Tell(written, false);
    if (record_ != nullptr) {
        Tell(recorded, true);
    }
}

void MeasurementWorker::Tell(const LogWriteResult& written, bool record) {
    const HoldChange change = (record ? recordNotices_ : logNotices_).Follow(written);
    const QString file = QString::fromStdString(record ? record_->Where() : log_.path());
    if (change.restarted && events_.fileNote) {
        events_.fileNote(log_file_texts::Restarted(file, change.restartedAt));
    }
    const auto& failed = record ? events_.recordFailed : events_.logFailed;
    if (change.began && failed) {
        failed(log_file_texts::HoldingBegan(file, change.error, change.held));
    }
    if (change.ended && events_.fileNote) {
        events_.fileNote(log_file_texts::HoldingEnded(file, change.writtenLate, change.dropped));
    }
}

LinesLost MeasurementWorker::FinishFiles() {
    LinesLost lost;
    const LogWriteResult written = log_.Retry();
    Tell(written, false);
    lost.log = written.droppedTotal + written.held;
    if (record_ != nullptr) {
        const DatedRecord::AppendResult recorded = record_->Retry();
        Tell(recorded, true);
        lost.record = recorded.droppedTotal + recorded.held;
        lost.recordPath = record_->Where();
    }
    return lost;
}
