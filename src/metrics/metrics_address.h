#pragma once
// Where the metrics are served: "[ADDRESS:]PORT" from the command line. The address is a
// numeric IPv4 address or a bracketed IPv6 one; left out it is 127.0.0.1, so nothing is
// reachable from other machines unless asked for. Port 0 takes any free port.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

struct MetricsAddress {
    std::string host = "127.0.0.1";  // as given: "127.0.0.1", "0.0.0.0", "::1" (no brackets)
    std::uint16_t port = 0;

    bool IsIpv6() const { return host.find(':') != std::string::npos; }
    friend bool operator==(const MetricsAddress&, const MetricsAddress&) = default;
};

// Nullopt (and `error` set) when `text` is not "[ADDRESS:]PORT".
std::optional<MetricsAddress> ParseMetricsAddress(const QString& text, QString& error);

// "127.0.0.1:9101" or "[::1]:9101", with `port` in place of the address's own.
std::string HostPortText(const MetricsAddress& address, std::uint16_t port);

// "http://127.0.0.1:9101/metrics"; "https://..." with `tls`.
QString MetricsUrl(const MetricsAddress& address, std::uint16_t port, bool tls = false);
