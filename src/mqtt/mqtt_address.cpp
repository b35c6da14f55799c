#include "mqtt/mqtt_address.h"

#include <arpa/inet.h>

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

constexpr QLatin1String kScheme("mqtt://");
constexpr QLatin1String kTlsScheme("mqtts://");

QString Problem(const QString& text, const QString& why) {
    return QCoreApplication::translate("MqttAddress",
                                       "--mqtt wymaga mqtt://HOST[:PORT]/PREFIKS, a nie \"%1\": %2")
        .arg(text, why);
}

bool IsHostName(const QString& host) {
    static const QRegularExpression name(
        QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?$"));
    return name.match(host).hasMatch();
}

bool IsIpv6Literal(const QString& host) {
    static const QRegularExpression literal(QStringLiteral("^[0-9A-Fa-f:.]+$"));
    return host.contains(':') && literal.match(host).hasMatch();
}

// Topic levels without wildcards, empty levels or control characters.
bool IsTopicPrefix(const QString& prefix) {
    if (prefix.isEmpty() || prefix.startsWith('/') || prefix.endsWith('/') ||
        prefix.contains(QStringLiteral("//"))) {
        return false;
    }
    for (const QChar c : prefix) {
        if (c == '+' || c == '#' || c.category() == QChar::Other_Control) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<MqttAddress> ParseMqttAddress(const QString& text, QString& error) {
    const bool tls = text.startsWith(kTlsScheme);
    if (!tls && !text.startsWith(kScheme)) {
        error = Problem(text, QCoreApplication::translate(
                                  "MqttAddress", "adres zaczyna się od mqtt:// lub mqtts://"));
        return std::nullopt;
    }
    const QString rest = text.mid(tls ? kTlsScheme.size() : kScheme.size());
    const qsizetype slash = rest.indexOf('/');
    const QString authority = slash < 0 ? rest : rest.left(slash);
    const QString prefix = slash < 0 ? QString() : rest.mid(slash + 1);

    // The port's text, when a colon follows the host.
    QString host = authority;
    std::optional<QString> portText;
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        host = authority.mid(1, close - 1);
        const QString after = close < 0 ? QString() : authority.mid(close + 1);
        if (close < 0 || !IsIpv6Literal(host) || (!after.isEmpty() && !after.startsWith(':'))) {
            error = Problem(text, QCoreApplication::translate(
                                      "MqttAddress", "adres IPv6 podaje się w nawiasach: [::1]"));
            return std::nullopt;
        }
        if (!after.isEmpty()) {
            portText = after.mid(1);
        }
    } else {
        if (const qsizetype colon = authority.indexOf(':'); colon >= 0) {
            host = authority.left(colon);
            portText = authority.mid(colon + 1);
        }
        if (!IsHostName(host)) {
            error = Problem(
                text, QCoreApplication::translate("MqttAddress", "brak nazwy lub adresu hosta"));
            return std::nullopt;
        }
    }
    MqttAddress address;
    address.host = host.toStdString();
    address.tls = tls;
    address.port = tls ? kMqttTlsPort : kMqttPort;
    if (portText) {
        bool ok = false;
        const uint port = portText->toUInt(&ok);
        if (!ok || portText->startsWith('+') || port < 1 || port > 65535) {
            error = Problem(
                text, QCoreApplication::translate("MqttAddress", "port to liczba od 1 do 65535"));
            return std::nullopt;
        }
        address.port = static_cast<std::uint16_t>(port);
    }
    if (!IsTopicPrefix(prefix)) {
        error = Problem(
            text, QCoreApplication::translate(
                      "MqttAddress", "PREFIKS to jeden lub więcej poziomów tematu bez + i #"));
        return std::nullopt;
    }
    address.prefix = prefix.toStdString();
    return address;
}

QString BrokerText(const MqttAddress& address) {
    const QString host = QString::fromStdString(address.host);
    return (host.contains(':') ? '[' + host + ']' : host) + ':' + QString::number(address.port);
}

bool IsLoopbackHost(const std::string& host) {
    if (QString::fromStdString(host).compare("localhost", Qt::CaseInsensitive) == 0) {
        return true;
    }
    in_addr v4{};
    if (inet_pton(AF_INET, host.c_str(), &v4) == 1) {
        return (ntohl(v4.s_addr) >> 24) == 127;
    }
    in6_addr v6{};
    if (inet_pton(AF_INET6, host.c_str(), &v6) == 1) {
        return IN6_IS_ADDR_LOOPBACK(&v6) || (IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127);
    }
    return false;
}

QString MqttAddressText(const MqttAddress& address) {
    return QString(address.tls ? kTlsScheme : kScheme) + BrokerText(address) + '/' +
           QString::fromStdString(address.prefix);
}

std::string SampleTopic(const MqttAddress& address, std::uint16_t serial) {
    return address.prefix + "/" + std::to_string(serial) + "/sample";
}

std::string StatusTopic(const MqttAddress& address, std::uint16_t serial) {
    return address.prefix + "/" + std::to_string(serial) + "/status";
}
