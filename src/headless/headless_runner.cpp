#include "headless/headless_runner.h"

#include <algorithm>

#include "headless/headless_texts.h"
#include "headless/settings_listing.h"
#include "logger/logger_dump_file.h"
#include "measure/calibration_point.h"
#include "measure/log_file_texts.h"
#include "measure/log_line.h"
#include "telemetry/telemetry_texts.h"

namespace texts = headless_texts;

namespace {

// QTimer counts in int milliseconds; a long duration is waited for in steps of this.
constexpr std::chrono::milliseconds kLongestTimerStep = std::chrono::hours(1);

SessionOptions SessionFor(const HeadlessOptions& options) {
    SessionOptions session = options.session;
    session.measure = options.job == HeadlessJob::Measure;
    if (!session.measure) {
        session.recordDirectory.reset();
    }
    return session;
}

TelemetryOptions TelemetryFor(const HeadlessOptions& options) {
    return options.job == HeadlessJob::Measure ? options.telemetry : TelemetryOptions{};
}

}  // namespace

HeadlessRunner::HeadlessRunner(HeadlessOptions options, HeadlessOutput output, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      output_(std::move(output)),
      session_(SessionFor(options_)),
      telemetry_(session_, TelemetryFor(options_)) {
    durationTimer_.setSingleShot(true);
    connect(&durationTimer_, &QTimer::timeout, this, &HeadlessRunner::ArmDuration);

    connect(&session_, &InstrumentSession::NotFound, this, &HeadlessRunner::ShowNotFound);
    connect(&session_, &InstrumentSession::Identified, this,
            &HeadlessRunner::ContinueAfterIdentification);
    connect(&session_, &InstrumentSession::VersionRead, this, &HeadlessRunner::ShowVersion);
    connect(&session_, &InstrumentSession::SettingsRead, this, &HeadlessRunner::TakeSettings);
    connect(&session_, &InstrumentSession::OldLogKept, this,
            [this](const QString& path) { Out(texts::OldLogKept(path)); });
    connect(&session_, &InstrumentSession::ConnectFailed, this, [this](const QString& message) {
        Problem(texts::ConnectFailed(QString::fromStdString(options_.session.logPath), message));
        End(kExitFailed);
    });
    connect(&session_, &InstrumentSession::Connected, this, &HeadlessRunner::StartJob);
    connect(&session_, &InstrumentSession::ConnectionLost, this, [this] {
        Problem(texts::ConnectionLost(QString::fromStdString(session_.PortPath()),
                                      options_.session.retryInterval));
    });
    connect(&session_, &InstrumentSession::SampleReady, this, &HeadlessRunner::ShowSample);
    connect(&session_, &InstrumentSession::PollFailed, this, &HeadlessRunner::ShowPollFailed);
    // What the log and the record say names its file already.
    connect(&session_, &InstrumentSession::LogFailed, this, &HeadlessRunner::Problem);
    connect(&session_, &InstrumentSession::LogNote, this, &HeadlessRunner::Problem);
    connect(&session_, &InstrumentSession::PortNote, this, &HeadlessRunner::Problem);
    connect(&session_, &InstrumentSession::RecordStarted, this, [this](const QString& path) {
        if (!options_.quiet) {
            Out(texts::RecordStarted(path));
        }
    });
    connect(&session_, &InstrumentSession::RecordFailed, this, &HeadlessRunner::Problem);
    connect(&session_, &InstrumentSession::DumpProgress, this, [this](int number) {
        if (output_.progress) {
            output_.progress(texts::DumpProgress(number));
        }
    });
    connect(&session_, &InstrumentSession::DumpEnded, this, &HeadlessRunner::EndDump);
    connect(&session_, &InstrumentSession::BusyChanged, this, &HeadlessRunner::StartDumpWhenIdle);
}

void HeadlessRunner::Out(const QString& text) const {
    output_.line(text);
}

void HeadlessRunner::Problem(const QString& text) const {
    output_.problem(text);
}

void HeadlessRunner::Start() {
    if (!StartTelemetry()) {
        End(kExitFailed);
        return;
    }
    if (options_.duration) {
        deadline_ = QDeadlineTimer(*options_.duration);
        ArmDuration();
    }
    session_.Connect();
}

bool HeadlessRunner::StartTelemetry() {
    QString error;
    if (!telemetry_.Start(error)) {
        Problem(error);
        return false;
    }
    // Said even with --quiet: with port 0 it is the only way to learn the port.
    if (const MetricsExporter* metrics = telemetry_.Metrics()) {
        Out(telemetry_texts::MetricsServed(metrics->Url()));
    }
    if (SessionPublisher* publisher = telemetry_.Publisher()) {
        connect(publisher, &SessionPublisher::Connected, this, [this, publisher](bool again) {
            if (again) {
                Problem(
                    telemetry_texts::MqttConnectedAgain(publisher->Address(), publisher->Unsent()));
            } else if (!options_.quiet) {
                Out(telemetry_texts::MqttConnected(publisher->Address()));
            }
        });
        connect(publisher, &SessionPublisher::Unreachable, this,
                [this, publisher](const QString& reason) {
                    Problem(telemetry_texts::MqttUnreachable(publisher->Address(), reason));
                });
    }
    return true;
}

void HeadlessRunner::ArmDuration() {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline_.remainingTimeAsDuration());
    if (left <= std::chrono::milliseconds::zero()) {
        DurationOver();
        return;
    }
    durationTimer_.start(std::min(left, kLongestTimerStep));
}

void HeadlessRunner::DurationOver() {
    if (options_.untilStable && options_.job == HeadlessJob::Measure && identified_) {
        Problem(texts::NeverStable(*options_.duration));
        End(kExitNotStable);
        return;
    }
    Stop();
}

void HeadlessRunner::Stop() {
    if (measuring_ && !options_.quiet) {
        Out(texts::Stopped(session_.SampleCount()));
    }
    End(kExitDone);
}

void HeadlessRunner::End(int exitStatus) {
    if (ended_) {
        return;
    }
    ended_ = true;
    durationTimer_.stop();
    if (!identified_ && (exitStatus == kExitDone || exitStatus == kExitNotStable)) {
        // Stopped before the scan found anything: no instrument, whatever stopped it.
        Problem(texts::EndedBeforeFound());
        exitStatus = kExitNotFound;
    }
    session_.Stop();  // the worker joined, a last try for held lines, the log closed
    if (TellLinesLost() && exitStatus == kExitDone) {
        exitStatus = kExitFailed;
    }
    telemetry_.Close();
    if (const SessionPublisher* publisher = telemetry_.Publisher(); publisher != nullptr) {
        if (const std::uint64_t unsent = publisher->Unsent(); unsent > 0) {
            Problem(telemetry_texts::MqttUnsent(unsent));
        }
    }
    emit Finished(exitStatus);
}

bool HeadlessRunner::TellLinesLost() const {
    const LinesLost& lost = session_.Lost();
    if (lost.log > 0) {
        Problem(
            log_file_texts::LinesLost(QString::fromStdString(options_.session.logPath), lost.log));
    }
    if (lost.record > 0) {
        Problem(log_file_texts::LinesLost(QString::fromStdString(lost.recordPath), lost.record));
    }
    return lost.log > 0 || lost.record > 0;
}

void HeadlessRunner::ShowNotFound(const DiscoveryResult& result) {
    Problem(texts::NotFound(result));
    End(kExitNotFound);
}

void HeadlessRunner::ContinueAfterIdentification(const QString& identification) {
    identified_ = true;
    Out(texts::Identification(identification));
    session_.ContinueConnect();
}

void HeadlessRunner::ShowVersion(const InstrumentVersion& version) {
    if (!connectedOnce_) {
        Out(texts::Version(version));
    }
}

void HeadlessRunner::TakeSettings(const SettingsReadResult& result) {
    if (options_.job != HeadlessJob::ReadSettings) {
        return;
    }
    if (result.status != SettingsReplyStatus::Complete) {
        Problem(texts::SettingsIncomplete());
        End(kExitFailed);
        return;
    }
    // The listing is what was asked for: shown whatever --quiet says.
    for (const QString& line : SettingsListing(result.settings)) {
        Out(line);
    }
    End(kExitDone);
}

void HeadlessRunner::StartJob() {
    const QString port = QString::fromStdString(session_.PortPath());
    if (connectedOnce_) {
        Problem(texts::ConnectedAgain(port));
        return;
    }
    connectedOnce_ = true;
    switch (options_.job) {
        case HeadlessJob::Measure:
            Out(texts::Measuring(port, QString::fromStdString(options_.session.logPath)));
            measuring_ = true;
            break;
        case HeadlessJob::DumpLogger:
            // The connect's job is still winding up; the dump follows once it has.
            dumpWaiting_ = true;
            StartDumpWhenIdle();
            break;
        case HeadlessJob::ReadSettings:
            break;  // ended with the settings, which came first
    }
}

void HeadlessRunner::ShowSample(const SampleUpdate& update) {
    if (silent_) {
        silent_ = false;
        Problem(texts::AnswersAgain());
    }
    if (!options_.quiet) {
        Out(texts::Sample(update, LongTimeText(update.time, options_.session.locale)));
    }
    if (options_.untilStable && update.humidity && update.humidity->statistics.stable) {
        // The point is what was asked for: shown whatever --quiet says.
        Out(CalibrationPointLine(CalibrationPointFields(update.dateTime, *update.humidity)));
        End(kExitDone);
    }
}

void HeadlessRunner::ShowPollFailed() {
    if (!silent_) {
        silent_ = true;
        Problem(texts::NoAnswer());
    }
}

void HeadlessRunner::StartDumpWhenIdle() {
    if (dumpWaiting_ && !session_.Busy()) {
        dumpWaiting_ = false;
        StartDump();
    }
}

void HeadlessRunner::StartDump() {
    const QString path = QString::fromStdString(options_.dumpPath);
    auto file = std::make_unique<LoggerDumpFile>(options_.dumpPath);
    if (const int error = file->Create(); error != 0) {
        Problem(texts::DumpFileFailed(path, error));
        End(kExitFailed);
        return;
    }
    if (session_.DumpLogger(std::move(file)) != SessionRequest::Started) {
        Problem(texts::DumpFailed({LoggerDumpResult::End::PortGone, 0, 0}, 0, path));
        End(kExitFailed);
    }
}

void HeadlessRunner::EndDump(const LoggerDumpResult& result, int closeError) {
    if (output_.progress) {
        output_.progress(QString());
    }
    const QString path = QString::fromStdString(options_.dumpPath);
    const QString failure = texts::DumpFailed(result, closeError, path);
    if (!failure.isEmpty()) {
        Problem(failure);
        End(kExitFailed);
        return;
    }
    if (!options_.quiet) {
        Out(texts::DumpDone(result.linesWritten, path));
    }
    End(kExitDone);
}
