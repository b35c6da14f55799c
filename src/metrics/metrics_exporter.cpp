#include "metrics/metrics_exporter.h"

#include <prometheus/text_serializer.h>

#include <optional>
#include <utility>

#include "metrics/metrics_listener.h"
#include "metrics/metrics_tls.h"

MetricsExporter::MetricsExporter(InstrumentSession& session, const MetricsAddress& address,
                                 bool tls)
    : address_(address),
      tls_(tls),
      collector_(std::make_shared<MetricsCollector>()),
      feed_(session, collector_) {}

MetricsExporter::~MetricsExporter() {
    server_.reset();
}

std::unique_ptr<MetricsExporter> MetricsExporter::Start(InstrumentSession& session,
                                                        const MetricsAddress& address,
                                                        const MetricsWebConfig& webConfig,
                                                        QString& error) {
    // A certificate that cannot be used is said before anything listens.
    if (webConfig.HasTls() && !CheckTlsFiles(webConfig, error)) {
        return nullptr;
    }
    const std::optional<ListeningSocket> socket = ListenOn(address, error);
    if (!socket) {
        return nullptr;
    }
    std::unique_ptr<MetricsExporter> exporter(
        new MetricsExporter(session, address, webConfig.HasTls()));
    exporter->port_ = socket->port;
    const std::shared_ptr<const MetricsCollector> collector = exporter->collector_;
    exporter->server_ = MetricsHttpServer::Start(
        *socket, webConfig,
        [collector] { return prometheus::TextSerializer().Serialize(collector->Collect()); },
        error);
    if (!exporter->server_) {
        return nullptr;
    }
    return exporter;
}
