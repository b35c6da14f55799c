#pragma once
// Where the samples are published: "mqtt://HOST[:PORT]/PREFIX" (plain) or
// "mqtts://HOST[:PORT]/PREFIX" (TLS) from the command line, and the topics under PREFIX.
// HOST is a name, an IPv4 address or a bracketed IPv6 address; PORT is 1883 (mqtt) or 8883
// (mqtts) when left out. PREFIX is one or more topic levels ("lab", "site/room-2") without
// wildcards.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

inline constexpr std::uint16_t kMqttPort = 1883;
inline constexpr std::uint16_t kMqttTlsPort = 8883;

struct MqttAddress {
    std::string host;  // without brackets
    std::uint16_t port = kMqttPort;
    std::string prefix;
    bool tls = false;  // mqtts://: the broker's certificate checked, and its name

    friend bool operator==(const MqttAddress&, const MqttAddress&) = default;
};

// Nullopt (and `error` set) when `text` is not such an address.
std::optional<MqttAddress> ParseMqttAddress(const QString& text, QString& error);

// Whether `host` is this machine: "localhost", an address of 127.0.0.0/8, or ::1 (also
// written as an IPv4-mapped address).
bool IsLoopbackHost(const std::string& host);

// "mqtt://HOST:PORT/PREFIX" or "mqtts://...", as the operator is told where the samples go.
QString MqttAddressText(const MqttAddress& address);
// "HOST:PORT".
QString BrokerText(const MqttAddress& address);

// PREFIX/<serial>/sample and PREFIX/<serial>/status.
std::string SampleTopic(const MqttAddress& address, std::uint16_t serial);
std::string StatusTopic(const MqttAddress& address, std::uint16_t serial);
