#pragma once
// The background poll loop: "01t?end" about once a second while the instrument is there.
// The worker writes the log itself and touches no widget: every sample and its formatted
// texts leave through the Events its owner gives it, called on the worker's thread in the
// order of the cycles; the owner carries them across to its own thread.
//
// The loop ends by itself when the port is found gone (hung up, or its device node removed)
// and says so with portLost; its owner closes the port. Start again once a port is open: the
// sample numbers go on. The link, the log and the record belong to the owner, which closes
// them; the worker only uses them while its thread runs.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "humidity/humidity_tracker.h"
#include "link/instrument_link.h"
#include "link/instrument_protocol.h"
#include "measure/dated_record.h"
#include "measure/hold_notices.h"
#include "measure/measurement_log.h"
#include "measure/measurement_record.h"
#include "measure/readout_format.h"

struct SampleUpdate {
    std::int32_t sampleCount = 0;
    QDateTime dateTime;  // local, when the reply was read
    QTime time;          // its time of day
    MeasurementSample sample;
    MeasurementReadouts readouts;
    // Bytes the poll's read brought: kMeasurementReplySize for a whole record; fewer are
    // decoded as zeros, more belong to another reply.
    std::size_t replyBytes = 0;
    // The humidity quantities and the dew point's window, as the sample hook filled them in;
    // none without a hook.
    std::optional<humidity::SampleHumidity> humidity;
    // Why its line could not go into the log, and its row into the dated record: the
    // system's error number, 0 when written (or when there is no record).
    int logError = 0;
    int recordError = 0;
    // Lines held for the log and rows for the record after this sample's write, and those
    // dropped since the session began because too many were held.
    std::size_t logHeld = 0;
    std::size_t recordHeld = 0;
    std::uint64_t logDropped = 0;
    std::uint64_t recordDropped = 0;
};

// Lines that never reached their file: dropped, or still held after the last try.
struct LinesLost {
    std::uint64_t log = 0;
    std::uint64_t record = 0;
    std::string recordPath;  // the record's file, or its directory when none was made
};
Q_DECLARE_METATYPE(SampleUpdate)

class MeasurementWorker {
  public:
    // Runs on the worker thread after each poll and before the second pause, with no
    // exchange held; the pending settings write goes here.
    using AfterPollHook = std::function<void(InstrumentLink&)>;
    // Runs on the worker thread for each sample, before its line and row are written: what
    // the owner derives from the sample goes into it here, so the record and every signal
    // carry the same numbers.
    using SampleHook = std::function<void(SampleUpdate&)>;

    MeasurementWorker(InstrumentLink& link, MeasurementLog& log, QLocale locale,
                      ProtocolWaits waits = kInstrumentWaits);
    // Stop().
    ~MeasurementWorker();
    MeasurementWorker(const MeasurementWorker&) = delete;
    MeasurementWorker& operator=(const MeasurementWorker&) = delete;

    // What the loop hands on, each called on the worker's thread; any left empty is not
    // called. Before Start. Each gets its values to keep: the worker holds no reference to
    // them afterwards, so the owner carries them to another thread without sharing them.
    struct Events {
        std::function<void(SampleUpdate)> sampleReady;
        // A cycle brought no bytes: the dew-point readout shows "Error".
        std::function<void()> pollFailed;
        // The log could not take a line and holds it; once until every held line is in.
        std::function<void(QString message)> logFailed;
        // The dated record was created at `path` with this sample's row.
        std::function<void(QString path)> recordStarted;
        // A row could not go into the dated record, the file named in `message`, and is
        // held; once until every held row is in. Measuring goes on.
        std::function<void(QString message)> recordFailed;
        // The log or the record has written every held line again, or was started again
        // after its file had gone: what to tell the operator.
        std::function<void(QString message)> fileNote;
        // The port went away; the loop has ended.
        std::function<void()> portLost;
    };
    void SetEvents(Events events) { events_ = std::move(events); }

    void SetAfterPollHook(AfterPollHook hook) { afterPoll_ = std::move(hook); }
    // Before Start.
    void SetSampleHook(SampleHook hook) { sampleHook_ = std::move(hook); }
    // Each sample also goes into `record` (none: no record), right after its log line.
    // Before Start.
    void SetRecord(DatedRecord* record) { record_ = record; }

    // Starts the thread (after the previous one, if it ended by itself).
    void Start();
    // Ends polling, wakes the worker's pause and waits for the thread: returns after at most
    // the exchange in progress (at once when the link is shutting down). Idempotent.
    void Stop();

    // After Stop: a last try to write the lines still held, said like any other write;
    // what never reached its file. Measuring thread stopped, so any thread.
    LinesLost FinishFiles();

    // Polling, not ended by Stop or by a lost port.
    bool Running() const { return running_.load(); }
    std::int32_t SampleCount() const { return sampleCount_.load(); }

  private:
    void Run();
    // False when the port was found gone.
    bool PollCycle();
    // The log line and the record's row of a sample, each failure said once.
    void WriteSample(SampleUpdate update);
    // Tells what the write of the log (no record) or of the record brought about.
    void Tell(const LogWriteResult& written, bool record);

    InstrumentLink& link_;
    MeasurementLog& log_;
    const QLocale locale_;
    const ProtocolWaits waits_;
    AfterPollHook afterPoll_;
    Events events_;
    SampleHook sampleHook_;
    DatedRecord* record_ = nullptr;
    // Asked to poll: set by Start, cleared by Stop.
    std::atomic<bool> polling_{false};
    std::mutex pauseMutex_;
    std::condition_variable pauseWake_;
    std::atomic<std::int32_t> sampleCount_{0};
    std::atomic<bool> running_{false};
    HoldNotices logNotices_;
    HoldNotices recordNotices_;
    std::thread thread_;
};
