#include "session/instrument_session.h"

#include <algorithm>

#include "link/port_candidates.h"
#include "measure/file_error_text.h"
#include "measure/old_log.h"
#include "session/connect_texts.h"
#include "settings/temperature_scale.h"

InstrumentSession::InstrumentSession(SessionOptions options, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      log_(options_.logPath),
      humidity_(options_.pressureHpa, options_.stability),
      worker_(link_, log_, options_.locale, options_.waits) {
    // Noticed on the job thread (or the worker's) inside an exchange: worded and said here.
    link_.SetNoticeHandler([this](const PortNotice& notice) {
        Post([this, notice] { emit PortNote(PortNoticeText(notice)); });
    });
    worker_.SetAfterPollHook([this](InstrumentLink& link) { WritePendingSettings(link); });
    worker_.SetSampleHook([this](SampleUpdate& update) { AddHumidity(update); });
    if (options_.recordDirectory) {
        record_.emplace(*options_.recordDirectory);
        worker_.SetRecord(&*record_);
    }
    // The worker's thread is joined in Stop, so everything it hands on can be posted. What
    // it found is already in the log and the record, so it reaches the session's signals
    // even when Stop came meanwhile: the chart, the metrics and MQTT keep the last sample.
    MeasurementWorker::Events events;
    events.sampleReady = [this](SampleUpdate update) {
        mailbox_.Post([this, update = std::move(update)] { emit SampleReady(update); });
    };
    events.pollFailed = [this] { mailbox_.Post([this] { emit PollFailed(); }); };
    events.logFailed = [this](QString message) {
        mailbox_.Post([this, message = std::move(message)] { emit LogFailed(message); });
    };
    events.recordStarted = [this](QString path) {
        mailbox_.Post([this, path = std::move(path)] { emit RecordStarted(path); });
    };
    events.recordFailed = [this](QString message) {
        mailbox_.Post([this, message = std::move(message)] { emit RecordFailed(message); });
    };
    events.fileNote = [this](QString message) {
        mailbox_.Post([this, message = std::move(message)] { emit LogNote(message); });
    };
    events.portLost = [this] { Post([this] { PortLost(); }); };
    worker_.SetEvents(std::move(events));
    retryTimer_.setInterval(options_.retryInterval);
    connect(&retryTimer_, &QTimer::timeout, this, &InstrumentSession::TryReconnect);
}

InstrumentSession::~InstrumentSession() {
    Stop();
}

void InstrumentSession::Stop() {
    if (state_ == SessionState::Stopped) {
        return;
    }
    state_ = SessionState::Stopped;
    retryTimer_.stop();
    stopDump_.store(true);
    link_.Shutdown();  // wakes every wait of every exchange
    jobs_.Stop();
    worker_.Stop();
    if (options_.measure) {
        lost_ = worker_.FinishFiles();  // a last try for the lines still held
    }
    log_.Close();
    link_.BeginExchange().CloseInstrumentPort();
}

void InstrumentSession::SetState(SessionState state) {
    if (state_ == SessionState::Stopped || state_ == state) {
        return;
    }
    state_ = state;
    emit StateChanged(state);
}

void InstrumentSession::Post(std::function<void()> fn) {
    mailbox_.Post([this, fn = std::move(fn)] {
        if (state_ != SessionState::Stopped) {
            fn();
        }
    });
}

void InstrumentSession::StartJob(std::function<void()> work) {
    if (++jobsQueued_ == 1) {
        emit BusyChanged(true);
    }
    jobs_.Run([this, work = std::move(work)] {
        work();
        // Posted after the job's own answers, so Busy ends once they are out.
        Post([this] {
            if (--jobsQueued_ == 0) {
                emit BusyChanged(false);
            }
        });
    });
}

SessionRequest InstrumentSession::CanStartJob() const {
    if (Busy()) {
        return SessionRequest::Busy;
    }
    return state_ == SessionState::Connected && link_.PortIsOpen() ? SessionRequest::Started
                                                                   : SessionRequest::NotConnected;
}

std::vector<std::string> InstrumentSession::Candidates() const {
    if (!options_.ports.empty()) {
        return options_.ports;
    }
    return options_.systemPorts ? options_.systemPorts() : std::vector<std::string>{};
}

DiscoveryOptions InstrumentSession::ScanOptions(int passes) {
    DiscoveryOptions options;
    options.passes = passes;
    options.wait = options_.waits.identification;
    options.progress = [this](std::size_t place, std::size_t count) {
        Post([this, place, count] {
            emit ScanProgress(static_cast<int>(place), static_cast<int>(count));
        });
    };
    return options;
}

SessionRequest InstrumentSession::Connect() {
    if (Busy()) {
        return SessionRequest::Busy;
    }
    if (state_ == SessionState::Lost) {
        TryReconnect();
        return SessionRequest::Started;
    }
    if (state_ != SessionState::NotConnected) {
        return SessionRequest::Busy;
    }
    pending_.Clear();
    SetState(SessionState::Scanning);
    StartJob([this, candidates = Candidates(), options = ScanOptions(2)] {
        const DiscoveryResult found = DiscoverInstrument(link_, candidates, options);
        if (!found.found) {
            link_.BeginExchange().ClearBuffers();
        }
        Post([this, found] { ScanEnded(found); });
    });
    return SessionRequest::Started;
}

void InstrumentSession::ScanEnded(const DiscoveryResult& result) {
    if (!result.found) {
        SetState(SessionState::NotConnected);
        emit NotFound(result);
        return;
    }
    port_ = result.port;
    aliases_ = StablePortAliases(port_);
    identification_ = QString::fromStdString(result.identification);
    SetState(SessionState::Identified);
    emit Identified(identification_);
}

void InstrumentSession::ContinueConnect() {
    if (state_ != SessionState::Identified) {
        return;
    }
    SetState(SessionState::Connecting);
    StartJob([this] {
        VersionReadResult version;
        {
            Exchange ex = link_.BeginExchange();
            version = ReadInstrumentVersion(ex, options_.waits.version);
        }
        Post([this, version] { emit VersionRead(version.version); });

        SettingsReadResult settings;
        {
            Exchange ex = link_.BeginExchange();
            settings = ReadSettingsExchange(ex, options_.waits.settingsRead);
        }
        FollowSettings(settings);  // before the worker starts: its first sample knows them
        Post([this, settings] { AnnounceSettingsRead(settings); });
        if (link_.ShuttingDown()) {
            return;  // stopped: no file is touched any more
        }
        if (!options_.measure) {
            link_.BeginExchange().ClearBuffers();
            Post([this] {
                SetState(SessionState::Connected);
                emit Connected();
            });
            return;
        }

        // A log with lines from an earlier run is kept under a dated name; a log that
        // cannot be kept is not emptied.
        const KeptLog kept = KeepOldLog(options_.logPath);
        const int error = kept.error != 0 ? kept.error : log_.Create();
        if (error != 0) {
            Exchange ex = link_.BeginExchange();
            ex.CloseInstrumentPort();
            ex.ClearBuffers();
            Post([this, error] {
                SetState(SessionState::NotConnected);
                emit ConnectFailed(FileErrorText(error));
            });
            return;
        }
        link_.BeginExchange().ClearBuffers();
        Post([this, keptAs = QString::fromStdString(kept.keptAs)] {
            worker_.Start();
            if (!keptAs.isEmpty()) {
                emit OldLogKept(keptAs);
            }
            SetState(SessionState::Connected);
            emit Connected();
        });
    });
}

void InstrumentSession::PortLost() {
    if (state_ == SessionState::Stopped) {
        return;  // Stop has closed the port
    }
    // At once, so that the system can give a replugged adapter the same name.
    link_.BeginExchange().CloseInstrumentPort();
    if (state_ != SessionState::Connected) {
        return;
    }
    SetState(SessionState::Lost);
    emit ConnectionLost();
    retryTimer_.start();
}

void InstrumentSession::TryReconnect() {
    if (state_ != SessionState::Lost || Busy()) {
        return;  // a job that runs on gets its end first; the next tick tries
    }
    // The port it was on and the stable names of that device first, then everything.
    std::vector<std::string> order{port_};
    order.insert(order.end(), aliases_.begin(), aliases_.end());
    for (const std::string& candidate : Candidates()) {
        if (std::find(order.begin(), order.end(), candidate) == order.end()) {
            order.push_back(candidate);
        }
    }
    StartJob([this, order, options = ScanOptions(1)] {
        const DiscoveryResult found = DiscoverInstrument(link_, order, options);
        if (!found.found) {
            link_.BeginExchange().ClearBuffers();
            return;
        }
        VersionReadResult version;
        {
            Exchange ex = link_.BeginExchange();
            version = ReadInstrumentVersion(ex, options_.waits.version);
            ex.ClearBuffers();
        }
        Post([this, found, version] {
            worker_.Start();
            retryTimer_.stop();
            port_ = found.port;
            if (const std::vector<std::string> aliases = StablePortAliases(port_);
                !aliases.empty()) {
                aliases_ = aliases;
            }
            identification_ = QString::fromStdString(found.identification);
            emit VersionRead(version.version);
            SetState(SessionState::Connected);
            emit Connected();
        });
    });
}

SessionRequest InstrumentSession::ReadSettings() {
    if (const SessionRequest can = CanStartJob(); can != SessionRequest::Started) {
        return can;
    }
    StartJob([this] {
        SettingsReadResult result;
        {
            Exchange ex = link_.BeginExchange();
            result = ReadSettingsExchange(ex, options_.waits.settingsRead);
        }
        FollowSettings(result);
        Post([this, result] { AnnounceSettingsRead(result); });
    });
    return SessionRequest::Started;
}

void InstrumentSession::AnnounceSettingsRead(const SettingsReadResult& result) {
    emit SettingsRead(result);
    if (result.status == SettingsReplyStatus::Complete) {
        emit SettingsInForce(result.settings);
    }
}

void InstrumentSession::ArmSettingsWrite(const InstrumentSettings& settings) {
    pending_.Arm(settings);
}

void InstrumentSession::WritePendingSettings(InstrumentLink& link) {
    const std::optional<PendingSettings::Ticket> ticket = pending_.Take();
    if (!ticket) {
        return;
    }
    SettingsWriteResult result;
    {
        Exchange ex = link.BeginExchange();
        result = WriteInstrumentSettings(ex, ticket->settings, options_.waits.settingsAck);
    }
    // Not repeated when unconfirmed; the operator sees the outcome either way.
    pending_.Finish(*ticket);
    if (result.acknowledged) {
        SettingsReadResult written;
        written.status = SettingsReplyStatus::Complete;
        written.settings = ticket->settings;
        FollowSettings(written);
    }
    Post([this, acknowledged = result.acknowledged, settings = ticket->settings] {
        emit SettingsWritten(acknowledged);
        if (acknowledged) {
            emit SettingsInForce(settings);
        }
    });
}

SessionRequest InstrumentSession::ReadLoggerRecord(std::uint8_t number) {
    if (const SessionRequest can = CanStartJob(); can != SessionRequest::Started) {
        return can;
    }
    StartJob([this, number] {
        const LoggerRequestResult result =
            RequestLoggerRecord(link_, number, options_.waits.loggerRecord);
        Post([this, result] { emit LoggerRecordRead(result); });
    });
    return SessionRequest::Started;
}

SessionRequest InstrumentSession::DumpLogger(std::unique_ptr<LoggerDumpFile> file) {
    if (const SessionRequest can = CanStartJob(); can != SessionRequest::Started) {
        return can;
    }
    stopDump_.store(false);
    StartJob([this, file = std::shared_ptr<LoggerDumpFile>(std::move(file))] {
        const LoggerDumpResult result = DumpLoggerRecords(
            link_, [&file](const QByteArray& line) { return file->WriteLine(line); },
            [this](int number) { Post([this, number] { emit DumpProgress(number); }); }, stopDump_,
            options_.waits.loggerDumpRecord);
        const int closeError = file->Close();
        Post([this, result, closeError] { emit DumpEnded(result, closeError); });
    });
    return SessionRequest::Started;
}

bool InstrumentSession::SetStabilityCriteria(const humidity::StabilityCriteria& criteria) {
    const std::lock_guard<std::mutex> lock(humidityMutex_);
    return humidity_.SetCriteria(criteria);
}

humidity::StabilityCriteria InstrumentSession::CurrentStabilityCriteria() const {
    const std::lock_guard<std::mutex> lock(humidityMutex_);
    return humidity_.Criteria();
}

void InstrumentSession::FollowSettings(const SettingsReadResult& read) {
    if (read.status != SettingsReplyStatus::Complete) {
        return;
    }
    const InstrumentSettings& settings = read.settings;
    const std::lock_guard<std::mutex> lock(humidityMutex_);
    // Until the scale is known, and for a code the instrument's list does not have, °C.
    humidity_.SetScale(ScaleOf(settings) == TemperatureScale::Fahrenheit
                           ? humidity::TemperatureScale::Fahrenheit
                           : humidity::TemperatureScale::Celsius);
    humidity_.SetInstrumentPressure(settings.Pressure);
}

void InstrumentSession::AddHumidity(SampleUpdate& update) {
    // The wall clock's seconds, so that "stable since" names a time of day; a clock set back
    // starts the window afresh.
    const double seconds = static_cast<double>(update.dateTime.toMSecsSinceEpoch()) / 1000.0;
    const std::lock_guard<std::mutex> lock(humidityMutex_);
    update.humidity = humidity_.Add(seconds, update.sample.DewPoint / 100.0,
                                    update.sample.AmbientTemperature / 100.0);
}
