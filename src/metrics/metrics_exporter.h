#pragma once
// /metrics for Prometheus: the session's InstrumentMetrics served over HTTP by
// prometheus-cpp's server, on threads of its own, so a scrape never waits for the session
// and the session never waits for a scrape. The server's limits keep a misbehaving client
// from holding more than a few threads and a bounded queue of connections: a request may
// take at most 8 KiB and 5 s, and a connection that says nothing is closed after that.

#include <QString>
#include <cstdint>
#include <memory>

#include "metrics/metrics_address.h"
#include "metrics/metrics_collector.h"
#include "metrics/session_metrics.h"

namespace prometheus {
class Exposer;
}

class MetricsExporter {
  public:
    // Serves the session's metrics at `address`; nullptr with `error` set when it cannot
    // listen there (the port taken, an address this machine does not have).
    static std::unique_ptr<MetricsExporter> Start(InstrumentSession& session,
                                                  const MetricsAddress& address, QString& error);
    // The server's threads end before what they read goes.
    ~MetricsExporter();
    MetricsExporter(const MetricsExporter&) = delete;
    MetricsExporter& operator=(const MetricsExporter&) = delete;

    // The port listened on: the one asked for, or the one taken for port 0.
    std::uint16_t Port() const { return port_; }
    QString Url() const { return MetricsUrl(address_, port_); }
    const InstrumentMetrics& Current() const { return feed_.Current(); }

  private:
    MetricsExporter(InstrumentSession& session, const MetricsAddress& address);

    const MetricsAddress address_;
    const std::shared_ptr<MetricsCollector> collector_;
    SessionMetrics feed_;
    std::unique_ptr<prometheus::Exposer> server_;
    std::uint16_t port_ = 0;
};
