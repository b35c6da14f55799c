#include "metrics/metrics_http_server.h"

#include <gnutls/gnutls.h>
#include <microhttpd.h>

#include <QCoreApplication>
#include <QFile>
#include <cstring>
#include <utility>

#include "metrics/metrics_tls.h"

namespace {

constexpr unsigned int kThreads = 4;
constexpr unsigned int kConnections = 32;
constexpr unsigned int kIdleSeconds = 5;
constexpr std::size_t kConnectionMemory = 16 * 1024;
constexpr std::size_t kLargestRequestHead = 8 * 1024;
// As large as a PEM file of authorities is reasonably.
constexpr qint64 kLargestAuthorities = 1024 * 1024;
constexpr const char* kRealm = "hygrometer";
constexpr const char* kMetricsType = "text/plain; version=0.0.4; charset=utf-8";
constexpr const char* kPlainType = "text/plain; charset=utf-8";

// Queues `body` (copied) with `status`; a 401 asks for basic authentication.
MHD_Result Reply(MHD_Connection* connection, unsigned int status, const std::string& body,
                 const char* type = kPlainType) {
    MHD_Response* response = MHD_create_response_from_buffer(
        body.size(), const_cast<char*>(body.data()), MHD_RESPMEM_MUST_COPY);
    if (response == nullptr) {
        return MHD_NO;  // the connection is closed
    }
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type);
    if (status == MHD_HTTP_METHOD_NOT_ALLOWED) {
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD");
    }
    const MHD_Result queued = status == MHD_HTTP_UNAUTHORIZED
                                  ? MHD_queue_basic_auth_fail_response(connection, kRealm, response)
                                  : MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued;
}

// Whether the request brings the name and password of one of `users`.
bool Authorized(MHD_Connection* connection, const BasicAuthUsers& users) {
    char* password = nullptr;
    char* user = MHD_basic_auth_get_username_password(connection, &password);
    const bool allowed = user != nullptr && password != nullptr && users.Allows(user, password);
    if (password != nullptr) {
        // libmicrohttpd's copy of the password is wiped before it goes back to the heap.
        std::memset(password, 0, std::strlen(password));
        MHD_free(password);
    }
    if (user != nullptr) {
        MHD_free(user);
    }
    return allowed;
}

}  // namespace

struct MetricsHttpServer::Callbacks {
    // Called once the request's head is in, and again once its body is: what is refused by
    // its head is answered at once (libmicrohttpd then closes the connection, the body
    // unread); the metrics wait for the second call, so the connection may be kept alive
    // for the next scrape.
    static MHD_Result Answer(void* self, MHD_Connection* connection, const char* url,
                             const char* method, const char* /*version*/, const char* /*upload*/,
                             std::size_t* uploadSize, void** requestContext) {
        const auto& server = *static_cast<const MetricsHttpServer*>(self);
        if (*requestContext == nullptr) {
            const MHD_ConnectionInfo* head =
                MHD_get_connection_info(connection, MHD_CONNECTION_INFO_REQUEST_HEADER_SIZE);
            if (head != nullptr && head->header_size > kLargestRequestHead) {
                return Reply(connection, MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE,
                             "Request Header Fields Too Large\n");
            }
            if (std::strcmp(url, "/metrics") != 0) {
                return Reply(connection, MHD_HTTP_NOT_FOUND, "Not Found\n");
            }
            if (std::strcmp(method, MHD_HTTP_METHOD_GET) != 0 &&
                std::strcmp(method, MHD_HTTP_METHOD_HEAD) != 0) {
                return Reply(connection, MHD_HTTP_METHOD_NOT_ALLOWED, "Method Not Allowed\n");
            }
            *requestContext = self;  // the head is read
            return MHD_YES;
        }
        if (*uploadSize != 0) {
            return Reply(connection, MHD_HTTP_BAD_REQUEST, "A GET has no body\n");
        }
        if (!server.config_.users.empty() && !Authorized(connection, server.users_)) {
            return Reply(connection, MHD_HTTP_UNAUTHORIZED, "Unauthorized\n");
        }
        return Reply(connection, MHD_HTTP_OK, server.body_(), kMetricsType);
    }

    // Before a connection's first byte: the server is its context (for the certificate
    // below), and a TLS session asks for the client's certificate as configured.
    static void Notify(void* self, MHD_Connection* connection, void** socketContext,
                       MHD_ConnectionNotificationCode code) {
        if (code != MHD_CONNECTION_NOTIFY_STARTED) {
            return;
        }
        auto* server = static_cast<MetricsHttpServer*>(self);
        *socketContext = server;
        if (!server->config_.HasTls()) {
            return;
        }
        const MHD_ConnectionInfo* info =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_GNUTLS_SESSION);
        if (info != nullptr && info->tls_session != nullptr) {
            ApplyClientAuth(static_cast<gnutls_session_t>(info->tls_session),
                            server->config_.clientAuth);
        }
    }

    // The server's certificate for one handshake, read from its files now. libmicrohttpd
    // keeps its connection as the session's pointer, and the connection's context is the
    // server (Notify).
    static int Certificate(gnutls_session_t session, const gnutls_cert_retr_st* /*request*/,
                           gnutls_pcert_st** certs, unsigned int* count, gnutls_ocsp_data_st** ocsp,
                           unsigned int* ocspCount, gnutls_privkey_t* key, unsigned int* flags) {
        auto* connection = static_cast<MHD_Connection*>(gnutls_session_get_ptr(session));
        const MHD_ConnectionInfo* info =
            connection == nullptr
                ? nullptr
                : MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
        if (info == nullptr || info->socket_context == nullptr) {
            return -1;
        }
        const auto& server = *static_cast<const MetricsHttpServer*>(info->socket_context);
        *ocsp = nullptr;
        *ocspCount = 0;
        if (LoadServerCertificate(server.config_.certFile, server.config_.keyFile, certs, count,
                                  key) < 0) {
            return -1;
        }
        *flags = GNUTLS_CERT_RETR_DEINIT_ALL;
        return 0;
    }

    // libmicrohttpd started on `fd` with the limits of every server and `more` options.
    template <typename... More>
    static MHD_Daemon* StartDaemon(unsigned int flags, MetricsHttpServer* server, int fd,
                                   More... more) {
        return MHD_start_daemon(
            flags | MHD_USE_AUTO_INTERNAL_THREAD, 0, nullptr, nullptr, &Answer, server,
            MHD_OPTION_LISTEN_SOCKET, fd, MHD_OPTION_THREAD_POOL_SIZE, kThreads,
            MHD_OPTION_CONNECTION_LIMIT, kConnections, MHD_OPTION_CONNECTION_TIMEOUT, kIdleSeconds,
            MHD_OPTION_CONNECTION_MEMORY_LIMIT, kConnectionMemory, MHD_OPTION_NOTIFY_CONNECTION,
            &Notify, static_cast<void*>(server), more..., MHD_OPTION_END);
    }
};

MetricsHttpServer::MetricsHttpServer(const MetricsWebConfig& config, Body body)
    : config_(config), users_(config.users), body_(std::move(body)) {}

MetricsHttpServer::~MetricsHttpServer() {
    if (daemon_ != nullptr) {
        MHD_stop_daemon(daemon_);
    }
}

std::unique_ptr<MetricsHttpServer> MetricsHttpServer::Start(ListeningSocket socket,
                                                            const MetricsWebConfig& config,
                                                            Body body, QString& error) {
    std::unique_ptr<MetricsHttpServer> server(new MetricsHttpServer(config, std::move(body)));
    if (config.HasTls()) {
        server->priorities_ = TlsPriorities(config.minVersion, config.maxVersion);
        if (!config.clientCaFile.empty()) {
            QFile authorities(QString::fromStdString(config.clientCaFile));
            authorities.open(QIODevice::ReadOnly);
            server->clientAuthorities_ = authorities.read(kLargestAuthorities).toStdString();
        }
    }
    using C = Callbacks;
    if (!config.HasTls()) {
        server->daemon_ = C::StartDaemon(0, server.get(), socket.fd);
    } else if (server->clientAuthorities_.empty()) {
        server->daemon_ = C::StartDaemon(MHD_USE_TLS, server.get(), socket.fd,
                                         MHD_OPTION_HTTPS_CERT_CALLBACK2, &C::Certificate,
                                         MHD_OPTION_HTTPS_PRIORITIES, server->priorities_.c_str());
    } else {
        // The authorities are named to the client, and its certificate checked against them.
        server->daemon_ = C::StartDaemon(
            MHD_USE_TLS, server.get(), socket.fd, MHD_OPTION_HTTPS_CERT_CALLBACK2, &C::Certificate,
            MHD_OPTION_HTTPS_PRIORITIES, server->priorities_.c_str(), MHD_OPTION_HTTPS_MEM_TRUST,
            server->clientAuthorities_.c_str());
    }
    // libmicrohttpd has closed the socket when it could not start.
    if (server->daemon_ == nullptr) {
        error = QCoreApplication::translate("MetricsHttpServer",
                                            "serwer HTTP (libmicrohttpd) nie wystartował");
        return nullptr;
    }
    return server;
}
