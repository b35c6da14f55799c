#pragma once
// The instrument session: the one owner of the link, the measurement log, the poll worker
// and the pending settings write, with the only Stop(). The window (or the headless runner)
// asks it for work; every exchange runs on the session's job thread or on the worker, never
// on the caller's thread, and every answer comes back as a signal on the session's own
// thread, in the order things happened on the wire: each crossing goes through Post. The
// worker is started on the session's thread; the link, the log and the record are closed
// by Stop() alone.
//
// Exchanges are kept apart by the link's lock, held for one whole exchange: a poll, a
// settings read, a logger record or one probe of the scan. Jobs run one at a time; while
// one runs, another is refused (Busy) rather than queued behind it.
//
// Each sample goes into the log and, when asked for, the dated record (see DatedRecord).
// Before that, on the worker, the session works out its humidity quantities and feeds the
// dew point's stability window (see HumidityTracker), for the instrument's scale and
// pressure as far as the settings in force tell; the sample carries them from there on.
//
// What the link notices about a port on its way (a server that refuses line settings, a
// peer that floods) comes up as PortNote in the program's language; the session prints
// nothing itself, the front ends say it.
//
// When the port goes away the worker says so and the session closes it at once, then tries every
// `retryInterval` (or at once on Connect) the same port, its stable aliases, then every
// candidate, and on success polls on: the same log appended to, the numbering going on.

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "humidity/humidity_tracker.h"
#include "link/discovery.h"
#include "link/instrument_link.h"
#include "link/instrument_protocol.h"
#include "link/port_candidates.h"
#include "logger/logger_dump.h"
#include "logger/logger_dump_file.h"
#include "logger/logger_request.h"
#include "measure/dated_record.h"
#include "measure/measurement_log.h"
#include "measure/measurement_worker.h"
#include "session/job_runner.h"
#include "settings/instrument_settings.h"
#include "settings/pending_settings.h"
#include "settings/settings_exchange.h"
#include "threads/thread_mailbox.h"

// How often a lost instrument is looked for again; texts that tell the operator take it from here.
inline constexpr std::chrono::milliseconds kReconnectInterval{2000};

struct SessionOptions {
    std::vector<std::string> ports;  // replaces the system's port list when not empty
    QLocale locale;                  // of the log's and the readouts' numbers
    std::string logPath = kMeasurementLogName;
    ProtocolWaits waits = kInstrumentWaits;
    std::chrono::milliseconds retryInterval = kReconnectInterval;
    // Where the dated record of the samples goes (empty: the working directory); no record
    // when not given.
    std::optional<std::string> recordDirectory = std::nullopt;
    // Off: a connect reads the version and the settings and stops there, for the logger and
    // settings jobs alone; no log is touched and nothing is polled.
    bool measure = true;
    // `--pressure`: the pressure of the humidity quantities, over the instrument's setting.
    std::optional<double> pressureHpa = std::nullopt;
    // The dew point's stability window.
    humidity::StabilityCriteria stability = {};
    // The system's port list, asked at each scan without `ports` (tests hand in their own, so
    // nothing of theirs ever opens a port of the machine).
    std::function<std::vector<std::string>()> systemPorts = SystemPortCandidates;
};

enum class SessionState {
    NotConnected,  // before the first connect, or after one that found nothing or failed
    Scanning,      // the first connect looks for the instrument
    Identified,    // found; ContinueConnect goes on (the operator reads the identification)
    Connecting,    // version, settings and the log
    Connected,     // polling (or, without measuring, ready for jobs)
    Lost,          // the port went away; trying to find it again
    Stopped,
};

// Why a request for work was not taken.
enum class SessionRequest { Started, NotConnected, Busy };

class InstrumentSession : public QObject {
    Q_OBJECT
  public:
    explicit InstrumentSession(SessionOptions options, QObject* parent = nullptr);
    // Stop().
    ~InstrumentSession() override;
    InstrumentSession(const InstrumentSession&) = delete;
    InstrumentSession& operator=(const InstrumentSession&) = delete;

    SessionState State() const { return state_; }
    // A job (scan, settings read, logger record or dump) is running.
    bool Busy() const { return jobsQueued_ > 0; }
    const std::string& PortPath() const { return port_; }
    const QString& Identification() const { return identification_; }
    std::int32_t SampleCount() const { return worker_.SampleCount(); }
    bool Polling() const { return worker_.Running(); }
    // A port is open and has not gone away.
    bool PortOpen() const { return link_.PortIsOpen(); }

    // The first connect: drops a Save made before it and scans. While the connection is
    // lost: tries again at once. Otherwise refused.
    SessionRequest Connect();
    // After Identified: reads the version and the settings, keeps the old log and starts
    // the new one, then polls.
    void ContinueConnect();

    // Refused unless measuring.
    SessionRequest ReadSettings();
    // The worker sends `settings` after its next poll; a Save waiting is replaced.
    void ArmSettingsWrite(const InstrumentSettings& settings);
    bool SettingsWritePending() const { return pending_.IsPending(); }

    SessionRequest ReadLoggerRecord(std::uint8_t number);
    // Writes all 256 records into `file`, created by the caller, and closes it.
    SessionRequest DumpLogger(std::unique_ptr<LoggerDumpFile> file);

    // The dew point's stability criteria, from now on: false (and nothing changes) when they
    // are not valid. Any thread.
    bool SetStabilityCriteria(const humidity::StabilityCriteria& criteria);
    humidity::StabilityCriteria CurrentStabilityCriteria() const;

    // Ends every job within the exchange in progress, stops the worker, closes the log and
    // the port. Nothing is signalled afterwards. Idempotent.
    void Stop();
    // After Stop: the log's lines and the record's rows that never reached their file.
    const LinesLost& Lost() const { return lost_; }

  signals:
    void StateChanged(SessionState state);
    void BusyChanged(bool busy);
    // Before each port is tried: its place among the candidates (1-based), and their number.
    void ScanProgress(int place, int count);
    // The first connect found nothing; every attempt is in `result`.
    void NotFound(const DiscoveryResult& result);
    void Identified(const QString& identification);
    void VersionRead(const InstrumentVersion& version);
    void SettingsRead(const SettingsReadResult& result);
    // The settings the instrument works with now, as far as the session knows: after a
    // complete settings read and after a write the instrument acknowledged.
    void SettingsInForce(const InstrumentSettings& settings);
    // The previous run's log was renamed to `path` before the new one was started.
    void OldLogKept(const QString& path);
    // The log could not be kept or started: nothing is measured, the port is closed.
    void ConnectFailed(const QString& message);
    // Polling, first or again after a loss; without measuring, ready for jobs.
    void Connected();
    void ConnectionLost();

    void SampleReady(const SampleUpdate& update);
    void PollFailed();
    void LogFailed(const QString& message);
    void RecordStarted(const QString& path);
    void RecordFailed(const QString& message);
    // The log or the record wrote its held lines again, or was started again after its
    // file had gone.
    void LogNote(const QString& message);
    // The link noticed something about a port that works on or was dropped: a serial
    // device server used without line settings, a peer that sent far more than a line can
    // carry. Once for each kind.
    void PortNote(const QString& message);
    void SettingsWritten(bool acknowledged);
    void LoggerRecordRead(const LoggerRequestResult& result);
    void DumpProgress(int number);
    void DumpEnded(const LoggerDumpResult& result, int closeError);

  private:
    void SetState(SessionState state);
    SessionRequest CanStartJob() const;
    // Runs `work` on the job thread after the jobs before it; Busy until it has ended and
    // its answers are out.
    void StartJob(std::function<void()> work);
    // Runs `fn` on the session's thread, unless stopped by then: the way a job's answers
    // and a lost port reach the session. (The worker's samples and file reports are posted
    // unguarded: they are in the files already, so the window still shows them.)
    // Safe because of one rule: every thread that can post is the session's and is joined
    // in Stop() (the job thread, the worker's), and Stop() runs on the session's thread
    // and marks it stopped first, so a closure still queued when the session stops finds
    // it stopped and does nothing, and none is posted once Stop() has returned. A new
    // thread that posts must be joined there too (see thread_mailbox.h).
    void Post(std::function<void()> fn);
    std::vector<std::string> Candidates() const;
    DiscoveryOptions ScanOptions(int passes);
    void ScanEnded(const DiscoveryResult& result);
    void PortLost();
    void TryReconnect();
    // Worker thread, after each poll.
    void WritePendingSettings(InstrumentLink& link);
    // SettingsRead, and SettingsInForce when the read was complete.
    void AnnounceSettingsRead(const SettingsReadResult& result);
    // The scale and the pressure of settings read whole or written, for the humidity
    // quantities. Any thread.
    void FollowSettings(const SettingsReadResult& read);
    // Worker thread, for each sample.
    void AddHumidity(SampleUpdate& update);

    // First, so it goes last: what the job thread and the worker post lands here.
    ThreadMailbox mailbox_;
    const SessionOptions options_;
    InstrumentLink link_;
    MeasurementLog log_;
    std::optional<DatedRecord> record_;
    PendingSettings pending_;
    // The worker adds to it, the session's thread follows the settings: guarded.
    mutable std::mutex humidityMutex_;
    humidity::HumidityTracker humidity_;
    MeasurementWorker worker_;
    LinesLost lost_;
    std::atomic<bool> stopDump_{false};
    QTimer retryTimer_;

    // The session's thread only.
    SessionState state_ = SessionState::NotConnected;
    int jobsQueued_ = 0;  // started and not yet answered
    std::string port_;
    std::vector<std::string> aliases_;
    QString identification_;

    // Last, so it is gone (its thread joined) before what its jobs use.
    JobRunner jobs_;
};
