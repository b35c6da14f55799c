#pragma once
// What the operator is told about the metrics and the MQTT broker, in the interface's
// language; each text one line without its end.

#include <QString>
#include <cstdint>

#include "metrics/metrics_address.h"
#include "mqtt/mqtt_address.h"

namespace telemetry_texts {

QString MetricsUnavailable(const MetricsAddress& address, const QString& reason);
QString MetricsServed(const QString& url);

QString MqttConnected(const MqttAddress& address);
QString MqttConnectedAgain(const MqttAddress& address, std::uint64_t unsent);
QString MqttUnreachable(const MqttAddress& address, const QString& reason);
// At the end, when some samples never reached the broker.
QString MqttUnsent(std::uint64_t unsent);

}  // namespace telemetry_texts
