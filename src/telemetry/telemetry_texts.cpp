#include "telemetry/telemetry_texts.h"

#include <QCoreApplication>

namespace telemetry_texts {

QString MetricsUnavailable(const MetricsAddress& address, const QString& reason) {
    return QCoreApplication::translate("Telemetry", "Nie można udostępnić metryk na %1: %2")
        .arg(QString::fromStdString(HostPortText(address, address.port)), reason);
}

QString MetricsServed(const QString& url) {
    return QCoreApplication::translate("Telemetry", "Metryki dla Prometheusa: %1").arg(url);
}

QString MqttConnected(const MqttAddress& address) {
    return QCoreApplication::translate("Telemetry", "MQTT: połączono z %1")
        .arg(MqttAddressText(address));
}

QString MqttConnectedAgain(const MqttAddress& address, std::uint64_t unsent) {
    return QCoreApplication::translate(
               "Telemetry", "MQTT: połączono ponownie z %1; dotąd niewysłanych próbek: %2")
        .arg(MqttAddressText(address))
        .arg(unsent);
}

QString MqttUnreachable(const MqttAddress& address, const QString& reason) {
    return QCoreApplication::translate("Telemetry",
                                       "MQTT: brak połączenia z %1 (%2); próby trwają w tle")
        .arg(MqttAddressText(address), reason);
}

QString MqttUnsent(std::uint64_t unsent) {
    return QCoreApplication::translate("Telemetry", "MQTT: niewysłanych próbek: %1").arg(unsent);
}

}  // namespace telemetry_texts
