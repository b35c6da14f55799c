#pragma once
// --metrics-web-config FILE: who may read /metrics and over what, in the web configuration
// format of Prometheus's exporters (YAML). Of that format this reads the part that locks the
// metrics, and refuses any other key rather than serve less locked than the file says:
//
//   tls_server_config:
//     cert_file: server.crt        # relative to the file's folder
//     key_file: server.key
//   basic_auth_users:
//     alice: $2y$10$...            # bcrypt hashes, as htpasswd -nBC 10 makes them
//
// Of YAML: block mappings indented by spaces, plain, 'single-' and "double-quoted" values,
// comments, "---" first, and "{}" for an empty mapping. An empty tls_server_config, as the
// exporters read it, asks for no TLS.

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

struct MetricsUser {
    std::string name;
    std::string hash;  // bcrypt: $2a$, $2b$ or $2y$

    friend bool operator==(const MetricsUser&, const MetricsUser&) = default;
};

struct MetricsWebConfig {
    // tls_server_config: both, or neither.
    std::string certFile;
    std::string keyFile;
    std::vector<MetricsUser> users;  // basic_auth_users, in the file's order

    bool HasTls() const { return !certFile.empty(); }
    friend bool operator==(const MetricsWebConfig&, const MetricsWebConfig&) = default;
};

struct WebConfigError {
    int line = 0;  // from 1; 0 when the problem is the whole file's
    QString text;
};

// The configuration in `text`; nullopt with `error` set when it is not one.
std::optional<MetricsWebConfig> ParseMetricsWebConfig(const QByteArray& text,
                                                      WebConfigError& error);

// Reads the file at `path`: relative certificate paths taken from its folder, the
// certificate and key readable. Nullopt with `error` the operator's text, naming the file
// and the line.
std::optional<MetricsWebConfig> LoadMetricsWebConfig(const QString& path, QString& error);
