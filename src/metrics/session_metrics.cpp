#include "metrics/session_metrics.h"

#include <string>

#include "link/instrument_protocol.h"

SessionMetrics::SessionMetrics(InstrumentSession& session,
                               std::shared_ptr<MetricsCollector> collector, QObject* parent)
    : QObject(parent), session_(session), collector_(std::move(collector)) {
    collector_->Set(metrics_);
    connect(&session_, &InstrumentSession::Identified, this, [this](const QString& id) {
        Apply([&](InstrumentMetrics& m) { m.instrument = id.trimmed().toStdString(); });
    });
    connect(&session_, &InstrumentSession::VersionRead, this, [this](const InstrumentVersion& v) {
        Apply([&](InstrumentMetrics& m) { m.serial = std::to_string(v.serial); });
    });
    connect(&session_, &InstrumentSession::SettingsInForce, this,
            [this](const InstrumentSettings& settings) {
                Apply([&](InstrumentMetrics& m) { m.scale = ScaleOf(settings); });
            });
    connect(&session_, &InstrumentSession::Connected, this, [this] {
        Apply([this](InstrumentMetrics& m) {
            m.connected = true;
            // Found again, perhaps on another port or as another instrument.
            m.port = session_.PortPath();
            m.instrument = session_.Identification().trimmed().toStdString();
            m.reconnects += lost_ ? 1 : 0;
        });
        lost_ = false;
    });
    connect(&session_, &InstrumentSession::ConnectionLost, this, [this] {
        lost_ = true;
        Apply([](InstrumentMetrics& m) {
            m.connected = false;
            m.sample.reset();
            m.humidity.reset();
        });
    });
    connect(&session_, &InstrumentSession::SampleReady, this, &SessionMetrics::TakeSample);
    connect(&session_, &InstrumentSession::PollFailed, this,
            [this] { Apply([](InstrumentMetrics& m) { ++m.pollsWithoutData; }); });
}

void SessionMetrics::TakeSample(const SampleUpdate& update) {
    Apply([&](InstrumentMetrics& m) {
        m.sample = update.sample;
        m.humidity.reset();
        if (update.humidity) {
            m.humidity = HumidityMetricsOf(*update.humidity);
        }
        m.lastSampleTime = static_cast<double>(update.dateTime.toMSecsSinceEpoch()) / 1000.0;
        m.samples = static_cast<std::uint64_t>(update.sampleCount);
        m.incompleteReplies += update.replyBytes < kMeasurementReplySize ? 1 : 0;
        m.logWriteErrors += (update.logError != 0 ? 1 : 0) + (update.recordError != 0 ? 1 : 0);
        m.logLinesHeld = update.logHeld;
        m.recordRowsHeld = update.recordHeld;
        m.logLinesDropped = update.logDropped;
        m.recordRowsDropped = update.recordDropped;
    });
}
