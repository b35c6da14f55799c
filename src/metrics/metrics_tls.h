#pragma once
// TLS for /metrics with the system's GnuTLS: the versions a configuration allows, its files
// checked at start, the server's certificate read anew for every connection (so one replaced
// on disk is served from the next connection on, without a restart), and a client's
// certificate asked for and checked as client_auth_type says.

#include <gnutls/abstract.h>
#include <gnutls/gnutls.h>

#include <QString>
#include <string>

#include "metrics/metrics_web_config.h"

// GnuTLS's priority string allowing the versions from `min` to `max`, both included.
std::string TlsPriorities(TlsVersion min, TlsVersion max);

// Whether the certificate and key of `config` load and belong together and its
// client_ca_file holds an authority: checked once at start, so a wrong file is said then and
// not at every scrape. False with `error` the operator's text.
bool CheckTlsFiles(const MetricsWebConfig& config, QString& error);

// The certificate chain and key in the files now, for one handshake: GnuTLS takes them and
// frees them (GNUTLS_CERT_RETR_DEINIT_ALL). A GnuTLS error code (negative) when they cannot
// be read; the handshake then fails and the next connection tries again.
int LoadServerCertificate(const std::string& certFile, const std::string& keyFile,
                          gnutls_pcert_st** certs, unsigned int* count, gnutls_privkey_t* key);

// Asks the client of `session`, before its handshake, for a certificate and checks it as
// `auth` says: against the authorities of the session's credentials, for client use.
void ApplyClientAuth(gnutls_session_t session, ClientAuth auth);
