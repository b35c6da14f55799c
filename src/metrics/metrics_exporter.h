#pragma once
// /metrics for Prometheus: the session's InstrumentMetrics in Prometheus's text format
// (prometheus-cpp's serializer), served by MetricsHttpServer on threads of its own, so a
// scrape never waits for the session and the session never waits for a scrape. The web
// configuration locks it: basic authentication, TLS with the server's certificate read at
// every connection, client certificates.

#include <QString>
#include <cstdint>
#include <memory>

#include "metrics/metrics_address.h"
#include "metrics/metrics_collector.h"
#include "metrics/metrics_http_server.h"
#include "metrics/metrics_web_config.h"
#include "metrics/session_metrics.h"

class MetricsExporter {
  public:
    // Serves the session's metrics at `address`, locked as `webConfig` says; nullptr with
    // `error` set when it cannot listen there (the port taken, an address this machine does
    // not have) or cannot lock them so (a certificate that cannot be used).
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
    // "http://127.0.0.1:9101/metrics", https with TLS.
    QString Url() const { return MetricsUrl(address_, port_, tls_); }
    const InstrumentMetrics& Current() const { return feed_.Current(); }

  private:
    MetricsExporter(InstrumentSession& session, const MetricsAddress& address, bool tls);

    const MetricsAddress address_;
    const bool tls_;
    const std::shared_ptr<MetricsCollector> collector_;
    SessionMetrics feed_;
    std::unique_ptr<MetricsHttpServer> server_;
    std::uint16_t port_ = 0;
};
