#pragma once
// /metrics for Prometheus: the session's InstrumentMetrics served over HTTP by
// prometheus-cpp's server, on threads of its own, so a scrape never waits for the session
// and the session never waits for a scrape. The server's limits keep a misbehaving client
// from holding more than a few threads and a bounded queue of connections: a request may
// take at most 8 KiB and 5 s, and a connection that says nothing is closed after that.
//
// With users in the web configuration, a scrape must bring one's name and password (HTTP
// basic authentication), or it gets 401. TLS the server cannot give: Debian 12's
// prometheus-cpp serves through civetweb 1.15, which loads OpenSSL 3 at run time and calls
// SSL_get_peer_certificate, a function OpenSSL 3 no longer exports (only a macro of that name
// is left), so every HTTPS connection would end the program. A configuration asking for TLS
// is refused rather than served without it.

#include <QString>
#include <cstdint>
#include <memory>

#include "metrics/basic_auth.h"
#include "metrics/metrics_address.h"
#include "metrics/metrics_collector.h"
#include "metrics/metrics_web_config.h"
#include "metrics/session_metrics.h"

namespace prometheus {
class Exposer;
}

class MetricsExporter {
  public:
    // Serves the session's metrics at `address`, locked as `webConfig` says; nullptr with
    // `error` set when it cannot listen there (the port taken, an address this machine does
    // not have) or cannot lock them so.
    static std::unique_ptr<MetricsExporter> Start(InstrumentSession& session,
                                                  const MetricsAddress& address,
                                                  const MetricsWebConfig& webConfig,
                                                  QString& error);
    // The server's threads end before what they read goes.
    ~MetricsExporter();
    MetricsExporter(const MetricsExporter&) = delete;
    MetricsExporter& operator=(const MetricsExporter&) = delete;

    // The port listened on: the one asked for, or the one taken for port 0.
    std::uint16_t Port() const { return port_; }
    QString Url() const { return MetricsUrl(address_, port_); }
    const InstrumentMetrics& Current() const { return feed_.Current(); }

  private:
    MetricsExporter(InstrumentSession& session, const MetricsAddress& address,
                    const MetricsWebConfig& webConfig);

    const MetricsAddress address_;
    const std::shared_ptr<MetricsCollector> collector_;
    SessionMetrics feed_;
    const BasicAuthUsers users_;  // read by the server's threads
    std::unique_ptr<prometheus::Exposer> server_;
    std::uint16_t port_ = 0;
};
