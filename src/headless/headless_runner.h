#pragma once
// The program without a window: the same InstrumentSession as the window's, driven from the
// command line's options, with its answers written as lines of text. Connects at once, goes
// on through the identification as an operator would, then measures (until Stop or the
// duration), dumps the logger or prints the settings, and says how it ended with Finished.

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "headless/headless_job.h"
#include "session/instrument_session.h"
#include "telemetry/session_telemetry.h"

// Exit statuses of the headless program.
inline constexpr int kExitDone = 0;        // done, or stopped by a signal or the duration
inline constexpr int kExitFailed = 1;      // a file could not be written, a sample's line was
                                           // lost, an answer incomplete, the metrics could
                                           // not be served
inline constexpr int kExitBadOptions = 2;  // the command line could not be understood
inline constexpr int kExitNotFound = 3;    // no port identified itself, also when the run
                                           // ended before the scan did
inline constexpr int kExitNotStable = 4;   // --until-stable: the duration ended first

struct HeadlessOptions {
    SessionOptions session;  // `measure` follows the job
    HeadlessJob job = HeadlessJob::Measure;
    std::optional<std::chrono::seconds> duration;
    bool quiet = false;  // nothing on standard output once measuring has started
    // Measuring ends once the dew point is stable, with the calibration point on one line
    // (whatever `quiet` says); a duration that ends first ends with kExitNotStable.
    bool untilStable = false;
    std::string dumpPath = kLoggerDumpName;
    TelemetryOptions telemetry;  // measuring only
};

// Where the runner's texts go, one line each, without line ends.
struct HeadlessOutput {
    std::function<void(const QString&)> line;     // standard output
    std::function<void(const QString&)> problem;  // standard error
    // The dump's progress, each text replacing the last; an empty text ends it. Not set:
    // no progress is shown.
    std::function<void(const QString&)> progress;
};

class HeadlessRunner : public QObject {
    Q_OBJECT
  public:
    HeadlessRunner(HeadlessOptions options, HeadlessOutput output, QObject* parent = nullptr);

    // Connects; the rest follows from the session's answers.
    void Start();
    // Ends in order: every line written is on disk, the port is closed; Finished(kExitDone),
    // or kExitFailed when a sample's line never reached its file.
    void Stop();

  signals:
    // Once; the session has stopped.
    void Finished(int exitStatus);

  private:
    void End(int exitStatus);
    void ArmDuration();
    void DurationOver();
    void ShowNotFound(const DiscoveryResult& result);
    void ContinueAfterIdentification(const QString& identification);
    void ShowVersion(const InstrumentVersion& version);
    void TakeSettings(const SettingsReadResult& result);
    void StartJob();
    void ShowSample(const SampleUpdate& update);
    void ShowPollFailed();
    void StartDumpWhenIdle();
    void StartDump();
    void EndDump(const LoggerDumpResult& result, int closeError);
    void Out(const QString& text) const;
    void Problem(const QString& text) const;
    // Says which file lost lines for good, and how many; whether any did.
    bool TellLinesLost() const;
    // False when the metrics cannot be served: the run ends.
    bool StartTelemetry();

    const HeadlessOptions options_;
    const HeadlessOutput output_;
    InstrumentSession session_;
    SessionTelemetry telemetry_;  // after the session, so it goes first
    QDeadlineTimer deadline_;
    QTimer durationTimer_;
    bool identified_ = false;  // a port identified itself: an instrument was found
    bool connectedOnce_ = false;
    bool measuring_ = false;  // the start is over: --quiet holds from here on
    bool silent_ = false;     // polls bring nothing since the last sample
    bool dumpWaiting_ = false;
    bool ended_ = false;
};
