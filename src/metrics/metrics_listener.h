#pragma once
// The metrics port bound and listening before the HTTP server takes it: a port that cannot
// be had is said in the system's own words (taken, an address this machine does not have),
// and the port the system picked for port 0 is known at once.

#include <QString>
#include <cstdint>
#include <optional>

#include "metrics/metrics_address.h"

struct ListeningSocket {
    int fd = -1;  // non-blocking; whoever takes it closes it
    std::uint16_t port = 0;
};

// Listens at `address`; nullopt with `error` set when it cannot. An IPv6 address listens
// on IPv6 alone.
std::optional<ListeningSocket> ListenOn(const MetricsAddress& address, QString& error);
