#pragma once
// --metrics-web-config FILE: who may read /metrics and over what, in the web configuration
// format of Prometheus's exporters (YAML, read by yaml-cpp: comments, quoting, flow style,
// anchors). Of that format this reads the part that locks the metrics, with the exporters'
// meanings and defaults, and refuses any other key rather than serve less locked than the
// file says:
//
//   tls_server_config:
//     cert_file: server.crt        # relative to the file's folder; read at every connection
//     key_file: server.key
//     client_auth_type: RequireAndVerifyClientCert   # default NoClientCert
//     client_ca_file: clients.crt  # the authorities a client certificate is checked against
//     min_version: TLS12           # TLS10 .. TLS13; the default TLS12
//     max_version: TLS13           # the default TLS13
//   basic_auth_users:
//     alice: $2y$10$...            # bcrypt hashes, as htpasswd -nBC 10 makes them
//
// A tls_server_config without certificate, key, client authentication or authorities (as
// "{}") asks for no TLS, as the exporters read it.

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

// client_auth_type: whether a scrape must show a certificate of its own, and whether it is
// checked against client_ca_file; the exporters' names and meanings.
enum class ClientAuth {
    NoClientCert,                // none asked for
    RequestClientCert,           // asked for, not required, not checked
    RequireAnyClientCert,        // required, not checked
    VerifyClientCertIfGiven,     // not required; checked when shown
    RequireAndVerifyClientCert,  // required and checked
};

enum class TlsVersion { Tls10, Tls11, Tls12, Tls13 };

struct MetricsWebConfig {
    // tls_server_config: both, or neither (no TLS).
    std::string certFile;
    std::string keyFile;
    std::vector<MetricsUser> users;  // basic_auth_users, in the file's order
    // The rest of tls_server_config, used only with a certificate.
    ClientAuth clientAuth = ClientAuth::NoClientCert;
    std::string clientCaFile = {};  // empty: none
    TlsVersion minVersion = TlsVersion::Tls12;
    TlsVersion maxVersion = TlsVersion::Tls13;

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
// certificates and key readable. Nullopt with `error` the operator's text, naming the file
// and the line.
std::optional<MetricsWebConfig> LoadMetricsWebConfig(const QString& path, QString& error);
