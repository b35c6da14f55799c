#include "metrics/metrics_address.h"

#include <arpa/inet.h>

#include <QCoreApplication>

namespace {

bool IsNumericAddress(const std::string& host, int family) {
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(family, host.c_str(), buffer) == 1;
}

std::optional<std::uint16_t> PortNumber(const QString& text) {
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || text.startsWith('+') || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

}  // namespace

std::optional<MetricsAddress> ParseMetricsAddress(const QString& text, QString& error) {
    MetricsAddress address;
    QString portText = text;
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(QStringLiteral("]:"));
        address.host = text.mid(1, close - 1).toStdString();
        portText = close < 0 ? QString() : text.mid(close + 2);
        if (close < 0 || !IsNumericAddress(address.host, AF_INET6)) {
            error = QCoreApplication::translate(
                        "MetricsAddress",
                        "--metrics wymaga [ADRES:]PORT z adresem IPv6 w postaci [::1]:PORT, a "
                        "nie \"%1\"")
                        .arg(text);
            return std::nullopt;
        }
    } else if (const qsizetype colon = text.lastIndexOf(':'); colon >= 0) {
        address.host = text.left(colon).toStdString();
        portText = text.mid(colon + 1);
        if (!IsNumericAddress(address.host, AF_INET)) {
            error = QCoreApplication::translate(
                        "MetricsAddress",
                        "--metrics wymaga [ADRES:]PORT z adresem liczbowym, np. 0.0.0.0 lub "
                        "[::1], a nie \"%1\"")
                        .arg(text);
            return std::nullopt;
        }
    }
    const std::optional<std::uint16_t> port = PortNumber(portText);
    if (!port) {
        error = QCoreApplication::translate("MetricsAddress",
                                            "--metrics wymaga numeru portu od 0 do 65535, a nie "
                                            "\"%1\"")
                    .arg(text);
        return std::nullopt;
    }
    address.port = *port;
    return address;
}

std::string HostPortText(const MetricsAddress& address, std::uint16_t port) {
    const std::string host = address.IsIpv6() ? "[" + address.host + "]" : address.host;
    return host + ":" + std::to_string(port);
}

QString MetricsUrl(const MetricsAddress& address, std::uint16_t port, bool tls) {
    return QStringLiteral("%1://%2/metrics")
        .arg(tls ? QStringLiteral("https") : QStringLiteral("http"),
             QString::fromStdString(HostPortText(address, port)));
}
