#include "metrics/metrics_tls.h"

#include <gnutls/x509.h>

#include <QCoreApplication>
#include <memory>

namespace {

// A GnuTLS error code in its own (English) words.
QString GnutlsText(int code) {
    return QString::fromUtf8(gnutls_strerror(code));
}

// At most this many certificates in the server's chain file.
constexpr unsigned int kLongestChain = 16;

// Checks the client's certificate, when it showed one: the chain signed by an authority of
// client_ca_file, in its time, for client use. A client that showed none passes here;
// GNUTLS_CERT_REQUIRE has already refused it where one is required.
int VerifyClientCertificate(gnutls_session_t session) {
    unsigned int shown = 0;
    if (gnutls_certificate_get_peers(session, &shown) == nullptr || shown == 0) {
        return 0;
    }
    gnutls_typed_vdata_st purpose{};
    purpose.type = GNUTLS_DT_KEY_PURPOSE_OID;
    purpose.data = reinterpret_cast<unsigned char*>(const_cast<char*>(GNUTLS_KP_TLS_WWW_CLIENT));
    unsigned int status = 0;
    if (gnutls_certificate_verify_peers(session, &purpose, 1, &status) < 0 || status != 0) {
        return -1;  // the handshake fails
    }
    return 0;
}

}  // namespace

std::string TlsPriorities(TlsVersion min, TlsVersion max) {
    static constexpr const char* kNames[] = {"+VERS-TLS1.0", "+VERS-TLS1.1", "+VERS-TLS1.2",
                                             "+VERS-TLS1.3"};
    std::string priorities = "NORMAL:-VERS-ALL";
    for (int v = static_cast<int>(min); v <= static_cast<int>(max); ++v) {
        priorities += ':';
        priorities += kNames[v];
    }
    return priorities;
}

bool CheckTlsFiles(const MetricsWebConfig& config, QString& error) {
    gnutls_certificate_credentials_t raw = nullptr;
    if (gnutls_certificate_allocate_credentials(&raw) < 0) {
        error = GnutlsText(GNUTLS_E_MEMORY_ERROR);
        return false;
    }
    const std::unique_ptr<gnutls_certificate_credentials_st,
                          decltype(&gnutls_certificate_free_credentials)>
        credentials(raw, &gnutls_certificate_free_credentials);
    if (const int result = gnutls_certificate_set_x509_key_file2(
            raw, config.certFile.c_str(), config.keyFile.c_str(), GNUTLS_X509_FMT_PEM, nullptr, 0);
        result < 0) {
        error =
            QCoreApplication::translate(
                "MetricsTls", "tls_server_config: nie można użyć certyfikatu %1 z kluczem %2: %3")
                .arg(QString::fromStdString(config.certFile),
                     QString::fromStdString(config.keyFile), GnutlsText(result));
        return false;
    }
    if (!config.clientCaFile.empty()) {
        const int authorities = gnutls_certificate_set_x509_trust_file(
            raw, config.clientCaFile.c_str(), GNUTLS_X509_FMT_PEM);
        if (authorities <= 0) {
            error =
                QCoreApplication::translate(
                    "MetricsTls",
                    "tls_server_config: w pliku %1 (client_ca_file) nie ma certyfikatu urzędu%2")
                    .arg(QString::fromStdString(config.clientCaFile),
                         authorities < 0 ? ": " + GnutlsText(authorities) : QString());
            return false;
        }
    }
    return true;
}

int LoadServerCertificate(const std::string& certFile, const std::string& keyFile,
                          gnutls_pcert_st** certs, unsigned int* count, gnutls_privkey_t* key) {
    gnutls_datum_t certText{};
    gnutls_datum_t keyText{};
    int result = gnutls_load_file(certFile.c_str(), &certText);
    if (result >= 0) {
        result = gnutls_load_file(keyFile.c_str(), &keyText);
    }
    gnutls_pcert_st* chain = nullptr;
    unsigned int length = kLongestChain;
    gnutls_privkey_t privateKey = nullptr;
    if (result >= 0) {
        chain = static_cast<gnutls_pcert_st*>(gnutls_calloc(length, sizeof(gnutls_pcert_st)));
        result = chain == nullptr ? GNUTLS_E_MEMORY_ERROR : 0;
    }
    if (result >= 0) {
        result =
            gnutls_pcert_list_import_x509_raw(chain, &length, &certText, GNUTLS_X509_FMT_PEM, 0);
        if (result < 0) {
            length = 0;
        }
    }
    if (result >= 0) {
        result = gnutls_privkey_init(&privateKey);
    }
    if (result >= 0) {
        result =
            gnutls_privkey_import_x509_raw(privateKey, &keyText, GNUTLS_X509_FMT_PEM, nullptr, 0);
    }
    gnutls_free(certText.data);
    // The key's text is wiped before it goes back to the heap.
    if (keyText.data != nullptr) {
        gnutls_memset(keyText.data, 0, keyText.size);
        gnutls_free(keyText.data);
    }
    if (result < 0) {
        for (unsigned int i = 0; i < length; ++i) {
            gnutls_pcert_deinit(&chain[i]);
        }
        gnutls_free(chain);
        if (privateKey != nullptr) {
            gnutls_privkey_deinit(privateKey);
        }
        return result;
    }
    *certs = chain;
    *count = length;
    *key = privateKey;
    return 0;
}

void ApplyClientAuth(gnutls_session_t session, ClientAuth auth) {
    switch (auth) {
        case ClientAuth::NoClientCert:
            gnutls_certificate_server_set_request(session, GNUTLS_CERT_IGNORE);
            return;
        case ClientAuth::RequestClientCert:
            gnutls_certificate_server_set_request(session, GNUTLS_CERT_REQUEST);
            return;
        case ClientAuth::RequireAnyClientCert:
            gnutls_certificate_server_set_request(session, GNUTLS_CERT_REQUIRE);
            return;
        case ClientAuth::VerifyClientCertIfGiven:
            gnutls_certificate_server_set_request(session, GNUTLS_CERT_REQUEST);
            gnutls_session_set_verify_function(session, &VerifyClientCertificate);
            return;
        case ClientAuth::RequireAndVerifyClientCert:
            gnutls_certificate_server_set_request(session, GNUTLS_CERT_REQUIRE);
            gnutls_session_set_verify_function(session, &VerifyClientCertificate);
            return;
    }
}
