#pragma once
// What a session feeds besides its files, as the command line asks: the Prometheus metrics
// and the MQTT publisher, each off unless given. The window and the headless program make
// one next to their session.

#include <QString>
#include <memory>
#include <optional>

#include "metrics/metrics_address.h"
#include "metrics/metrics_exporter.h"
#include "metrics/metrics_web_config.h"
#include "mqtt/mqtt_address.h"
#include "mqtt/mqtt_security.h"
#include "mqtt/session_publisher.h"
#include "session/instrument_session.h"

struct TelemetryOptions {
    std::optional<MetricsAddress> metrics;
    std::optional<MqttAddress> mqtt;
    MqttSecurity mqttSecurity = {};          // with mqtt
    MetricsWebConfig metricsWebConfig = {};  // with metrics; empty: open to every scrape
};

class SessionTelemetry {
  public:
    SessionTelemetry(InstrumentSession& session, TelemetryOptions options);

    // Starts what was asked for; before the session connects. False when the metrics
    // cannot be served, with `error` the operator's text; the publisher runs all the same.
    bool Start(QString& error);
    // After the session has stopped: the broker hears "offline". Idempotent.
    void Close();

    // Null when not asked for (or, for the metrics, when they could not be served).
    const MetricsExporter* Metrics() const { return metrics_.get(); }
    SessionPublisher* Publisher() { return publisher_.get(); }
    const SessionPublisher* Publisher() const { return publisher_.get(); }

  private:
    InstrumentSession& session_;
    const TelemetryOptions options_;
    std::unique_ptr<MetricsExporter> metrics_;
    std::unique_ptr<SessionPublisher> publisher_;
};
