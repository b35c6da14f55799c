#pragma once
// /metrics served over HTTP, or HTTPS as the web configuration's tls_server_config says, by
// libmicrohttpd with the system's GnuTLS, on threads of its own. Four threads wait on every
// connection at once, so a client that says nothing holds no thread, only its connection:
// at most 32 connections at a time, 16 KiB each, a request's head at most 8 KiB, and a
// connection silent for 5 s is closed. With users in the configuration, a request must
// bring one's name and password (HTTP basic authentication) or it gets 401.

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "metrics/basic_auth.h"
#include "metrics/metrics_listener.h"
#include "metrics/metrics_web_config.h"

struct MHD_Daemon;

class MetricsHttpServer {
  public:
    // The metrics' text, called on the server's threads for each scrape that may read it.
    using Body = std::function<std::string()>;

    // Serves `body` at /metrics on `socket` (taken, closed by the server) locked as `config`
    // says, its TLS files checked already (CheckTlsFiles); nullptr with `error` set when
    // the server cannot start.
    static std::unique_ptr<MetricsHttpServer> Start(ListeningSocket socket,
                                                    const MetricsWebConfig& config, Body body,
                                                    QString& error);
    // No call of `body` is running or starts once this returns.
    ~MetricsHttpServer();
    MetricsHttpServer(const MetricsHttpServer&) = delete;
    MetricsHttpServer& operator=(const MetricsHttpServer&) = delete;

  private:
    MetricsHttpServer(const MetricsWebConfig& config, Body body);

    // libmicrohttpd's and GnuTLS's callbacks, on the server's threads.
    struct Callbacks;

    const MetricsWebConfig config_;
    const BasicAuthUsers users_;
    const Body body_;
    // Kept for the daemon's life: it reads them as it starts.
    std::string priorities_;
    std::string clientAuthorities_;
    MHD_Daemon* daemon_ = nullptr;
};
