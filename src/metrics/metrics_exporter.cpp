#include "metrics/metrics_exporter.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <prometheus/exposer.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "texts/system_error_text.h"

namespace {

// The server's own failure says nothing of the cause; binding the address once first does.
QString BindProblem(const MetricsAddress& address) {
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (address.IsIpv6()) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(address.port);
        inet_pton(AF_INET6, address.host.c_str(), &in6->sin6_addr);
        length = sizeof(sockaddr_in6);
    } else {
        auto* in4 = reinterpret_cast<sockaddr_in*>(&storage);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(address.port);
        inet_pton(AF_INET, address.host.c_str(), &in4->sin_addr);
        length = sizeof(sockaddr_in);
    }
    const int fd = socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return SystemErrorText(errno);
    }
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&storage), length) == 0;
    const int error = errno;
    close(fd);
    return bound ? QString() : SystemErrorText(error);
}

std::vector<std::string> ServerOptions(const MetricsAddress& address) {
    const std::pair<const char*, std::string> options[] = {
        {"listening_ports", HostPortText(address, address.port)},
        // Each thread serves one connection at a time; the queue holds the ones waiting.
        {"num_threads", "4"},
        {"connection_queue", "16"},
        {"listen_backlog", "16"},
        {"request_timeout_ms", "5000"},
        {"max_request_size", "8192"},
        {"enable_keep_alive", "no"},
    };
    std::vector<std::string> flat;
    for (const auto& [name, value] : options) {
        flat.insert(flat.end(), {name, value});
    }
    return flat;
}

}  // namespace

MetricsExporter::MetricsExporter(InstrumentSession& session, const MetricsAddress& address,
                                 const MetricsWebConfig& webConfig)
    : address_(address),
      collector_(std::make_shared<MetricsCollector>()),
      feed_(session, collector_),
      users_(webConfig.users) {}

MetricsExporter::~MetricsExporter() {
    server_.reset();
}

std::unique_ptr<MetricsExporter> MetricsExporter::Start(InstrumentSession& session,
                                                        const MetricsAddress& address,
                                                        const MetricsWebConfig& webConfig,
                                                        QString& error) {
    if (webConfig.HasTls()) {
        error = QCoreApplication::translate(
            "MetricsExporter",
            "tls_server_config nie jest obsługiwany: serwer HTTP biblioteki prometheus-cpp w "
            "tym systemie (civetweb 1.15 z OpenSSL 3) pada przy każdym połączeniu HTTPS; usuń "
            "tls_server_config i udostępnij metryki przez pośrednika TLS");
        return nullptr;
    }
    if (const QString problem = BindProblem(address); !problem.isEmpty()) {
        error = problem;
        return nullptr;
    }
    std::unique_ptr<MetricsExporter> exporter(new MetricsExporter(session, address, webConfig));
    try {
        exporter->server_ = std::make_unique<prometheus::Exposer>(ServerOptions(address));
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
        return nullptr;
    }
    if (!webConfig.users.empty()) {
        // Before the metrics are there to read: no scrape gets them unchecked.
        const BasicAuthUsers* users = &exporter->users_;
        exporter->server_->RegisterAuth(
            [users](const std::string& user, const std::string& password) {
                return users->Allows(user, password);
            },
            "hygrometer");
    }
    exporter->server_->RegisterCollectable(exporter->collector_);
    const std::vector<int> ports = exporter->server_->GetListeningPorts();
    exporter->port_ = ports.empty() ? address.port : static_cast<std::uint16_t>(ports.front());
    return exporter;
}
