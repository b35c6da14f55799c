#include "telemetry/session_telemetry.h"

#include "telemetry/telemetry_texts.h"

SessionTelemetry::SessionTelemetry(InstrumentSession& session, TelemetryOptions options)
    : session_(session), options_(std::move(options)) {}

bool SessionTelemetry::Start(QString& error) {
    if (options_.mqtt && !publisher_) {
        publisher_ =
            std::make_unique<SessionPublisher>(session_, *options_.mqtt, options_.mqttSecurity);
    }
    if (options_.metrics && !metrics_) {
        QString why;
        metrics_ =
            MetricsExporter::Start(session_, *options_.metrics, options_.metricsWebConfig, why);
        if (!metrics_) {
            error = telemetry_texts::MetricsUnavailable(*options_.metrics, why);
            return false;
        }
    }
    return true;
}

void SessionTelemetry::Close() {
    if (publisher_) {
        publisher_->Close();
    }
}
