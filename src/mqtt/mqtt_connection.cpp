#include "mqtt/mqtt_connection.h"

#include <mosquitto.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "mqtt/mqtt_failure.h"
#include "texts/system_error_text.h"

namespace {

// How long one turn of the loop waits for the socket; also how soon Close is noticed.
constexpr int kLoopTimeoutMs = 100;
// How long Close gives the closing status and the disconnect to go out.
constexpr std::chrono::seconds kClosingTime(1);

QString ResultText(int result, int error) {
    return result == MOSQ_ERR_ERRNO ? SystemErrorText(error)
                                    : mqtt_failure::LibraryFailure(
                                          result, QString::fromUtf8(mosquitto_strerror(result)));
}

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// libmosquitto does not notice a TLS connect that the far end refused: its socket hangs up
// while the loop goes on waiting for the handshake. The error, or 0 while none is seen.
// Anything left to read (a refusal, the end of a handshake) is libmosquitto's to read first.
int FailedPendingConnect(int socket, int connectErrno) {
    pollfd watched{socket, POLLOUT, 0};
    if (socket < 0 || poll(&watched, 1, 0) != 1 || (watched.revents & (POLLHUP | POLLERR)) == 0 ||
        (watched.revents & POLLIN) != 0) {
        return 0;
    }
    int error = 0;
    socklen_t size = sizeof(error);
    getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size);
    if (error != 0) {
        return error;
    }
    return connectErrno != 0 && connectErrno != EINPROGRESS ? connectErrno : ECONNRESET;
}

}  // namespace

MqttConnection::MqttConnection(MqttConnectionOptions options, Events events)
    : options_(std::move(options)), events_(std::move(events)) {
    // Once for the process, before the first client; not thread-safe, and never undone.
    static const int libraryReady = mosquitto_lib_init();
    client_ = libraryReady == MOSQ_ERR_SUCCESS ? mosquitto_new(nullptr, true, this) : nullptr;
    if (client_ == nullptr) {
        return;  // every Publish is counted as unsent
    }
    // Published from the caller's thread while the connection's thread runs the loop.
    mosquitto_threaded_set(client_, true);
    mosquitto_log_callback_set(client_, &MqttConnection::OnLog);
    secured_ = Secure();
    mosquitto_will_set(client_, options_.statusTopic.c_str(),
                       static_cast<int>(options_.willStatus.size()), options_.willStatus.data(), 1,
                       true);
    mosquitto_connect_callback_set(client_, &MqttConnection::OnConnect);
    mosquitto_disconnect_callback_set(client_, &MqttConnection::OnDisconnect);
    mosquitto_publish_callback_set(client_, &MqttConnection::OnPublish);
    thread_ = std::thread([this] { Run(); });
}

int MqttConnection::Secure() {
    if (!options_.user.empty()) {
        const int result =
            mosquitto_username_pw_set(client_, options_.user.c_str(),
                                      options_.password ? options_.password->c_str() : nullptr);
        if (result != MOSQ_ERR_SUCCESS) {
            return result;
        }
    }
    if (!options_.tls) {
        return MOSQ_ERR_SUCCESS;
    }
    const char* caFile = OrNull(options_.caFile);
    const int result =
        mosquitto_tls_set(client_, caFile, caFile == nullptr ? kSystemCertificates : nullptr,
                          OrNull(options_.certFile), OrNull(options_.keyFile), nullptr);
    if (result != MOSQ_ERR_SUCCESS) {
        return result;
    }
    return mosquitto_tls_insecure_set(client_, false);  // the broker's name is checked
}

MqttConnection::~MqttConnection() {
    Close();
    if (client_ != nullptr) {
        mosquitto_destroy(client_);
    }
}

void MqttConnection::Close() {
    {
        const std::lock_guard lock(wakeMutex_);
        closing_.store(true);
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void MqttConnection::SetStatus(const std::string& status) {
    const std::lock_guard lock(statusMutex_);
    status_ = status;
    if (connected_.load() && !closing_.load()) {
        SendStatus(status_, 1);
    }
}

int MqttConnection::SendStatus(const std::string& status, int qos) {
    int id = 0;
    const int result = mosquitto_publish(client_, &id, options_.statusTopic.c_str(),
                                         static_cast<int>(status.size()), status.data(), qos, true);
    return result == MOSQ_ERR_SUCCESS ? id : -1;
}

bool MqttConnection::Publish(const std::string& topic, const QByteArray& payload) {
    // Held across the hand-over, so the acknowledgement cannot come before the id is kept.
    const std::lock_guard lock(waitingMutex_);
    int id = 0;
    const bool handedOver =
        connected_.load() && !closing_.load() && waiting_.size() < options_.maxUnacknowledged &&
        mosquitto_publish(client_, &id, topic.c_str(), static_cast<int>(payload.size()),
                          payload.constData(), 1, false) == MOSQ_ERR_SUCCESS;
    if (handedOver) {
        waiting_.insert(id);
    } else {
        unsent_.fetch_add(1);
    }
    return handedOver;
}

void MqttConnection::OnConnect(mosquitto*, void* self, int result) {
    static_cast<MqttConnection*>(self)->ConnectAnswered(result);
}

void MqttConnection::OnDisconnect(mosquitto*, void* self, int) {
    static_cast<MqttConnection*>(self)->Disconnected();
}

void MqttConnection::OnLog(mosquitto*, void* self, int level, const char* text) {
    if ((level & MOSQ_LOG_ERR) != 0 && text != nullptr) {
        static_cast<MqttConnection*>(self)->NoteError(QString::fromUtf8(text));
    }
}

void MqttConnection::NoteError(const QString& line) {
    const std::lock_guard lock(errorsMutex_);
    constexpr qsizetype kKept = 16;  // a handshake's lines; more says nothing new
    if (errors_.size() < kKept) {
        errors_.append(line);
    }
}

void MqttConnection::OnPublish(mosquitto*, void* self, int messageId) {
    auto* connection = static_cast<MqttConnection*>(self);
    const std::lock_guard lock(connection->waitingMutex_);
    connection->waiting_.erase(messageId);
    if (messageId == connection->closingId_) {
        connection->closingAcknowledged_ = true;
    }
}

bool MqttConnection::ClosingAcknowledged() {
    const std::lock_guard lock(waitingMutex_);
    return closingAcknowledged_;
}

void MqttConnection::ConnectAnswered(int result) {
    answered_ = true;
    if (result != 0) {
        refusal_ =
            mqtt_failure::Refused(result, QString::fromUtf8(mosquitto_connack_string(result)));
        return;  // the broker closes the connection next
    }
    {
        const std::lock_guard lock(statusMutex_);
        connected_.store(true);
        if (!status_.empty()) {
            SendStatus(status_, 1);
        }
    }
    refusal_.clear();
    unreachableSaid_ = false;
    if (events_.connected) {
        events_.connected();
    }
}

void MqttConnection::Disconnected() {
    const std::lock_guard lock(statusMutex_);
    connected_.store(false);
}

void MqttConnection::SayUnreachable(const QString& reason) {
    if (!unreachableSaid_) {
        unreachableSaid_ = true;
        if (events_.unreachable) {
            QString said = refusal_.isEmpty() ? reason : refusal_;
            said.detach();  // the owner's thread gets a text of its own, shared with nothing here
            events_.unreachable(std::move(said));
        }
    }
}

int MqttConnection::StartAttempt(bool first, int& error) {
    {
        const std::lock_guard lock(errorsMutex_);
        errors_.clear();
    }
    answered_ = false;
    errno = 0;  // what the connect leaves, not an earlier call
    const int result = first ? mosquitto_connect_async(client_, options_.host.c_str(),
                                                       options_.port, options_.keepAliveSeconds)
                             : mosquitto_reconnect_async(client_);
    error = errno;
    connectErrno_ = error;
    return result;
}

QString MqttConnection::FailureText(int result, int error) {
    if (!refusal_.isEmpty()) {
        return refusal_;
    }
    if (result == MOSQ_ERR_TLS) {
        QStringList lines;
        {
            const std::lock_guard lock(errorsMutex_);
            lines.swap(errors_);
        }
        return mqtt_failure::TlsFailed(lines, QString::fromStdString(options_.host),
                                       QString::fromStdString(options_.caFile));
    }
    // What a TLS port makes of an MQTT connect: it closes, maybe after an alert that reads
    // as no MQTT packet at all.
    const bool ended = result == MOSQ_ERR_CONN_LOST || result == MOSQ_ERR_PROTOCOL ||
                       result == MOSQ_ERR_MALFORMED_PACKET ||
                       (result == MOSQ_ERR_ERRNO && (error == ECONNRESET || error == EPIPE));
    if (ended && !answered_) {
        return mqtt_failure::ClosedUnanswered(options_.tls);
    }
    return ResultText(result, error);
}

bool MqttConnection::WaitBeforeRetry() {
    std::unique_lock lock(wakeMutex_);
    return wake_.wait_for(lock, options_.retryInterval, [this] { return closing_.load(); });
}

void MqttConnection::Run() {
    if (secured_ != MOSQ_ERR_SUCCESS) {
        // Never tried without the login or the TLS asked for.
        SayUnreachable(ResultText(secured_, errno));
        while (!WaitBeforeRetry()) {
        }
        Finish();
        return;
    }
    int error = 0;
    int result = StartAttempt(true, error);
    while (!closing_.load()) {
        if (result == MOSQ_ERR_SUCCESS) {
            if (options_.tls && !answered_) {
                const int failed = FailedPendingConnect(mosquitto_socket(client_), connectErrno_);
                if (failed != 0) {
                    result = MOSQ_ERR_ERRNO;
                    error = failed;
                    continue;
                }
            }
            result = mosquitto_loop(client_, kLoopTimeoutMs, 1);
            error = errno;
            continue;
        }
        Disconnected();
        SayUnreachable(FailureText(result, error));
        if (WaitBeforeRetry()) {
            break;
        }
        result = StartAttempt(false, error);
    }
    Finish();
}

void MqttConnection::Finish() {
    if (connected_.load()) {
        const auto deadline = std::chrono::steady_clock::now() + kClosingTime;
        const auto inTime = [deadline] { return std::chrono::steady_clock::now() < deadline; };
        {
            // QoS 1 like every other status: the disconnect waits for the broker's
            // acknowledgement of it, up to the closing time.
            const std::lock_guard statusLock(statusMutex_);
            const int id = SendStatus(options_.closingStatus, 1);
            const std::lock_guard waitingLock(waitingMutex_);
            closingId_ = id;
            closingAcknowledged_ = id < 0;
        }
        while (inTime() && !ClosingAcknowledged() &&
               mosquitto_loop(client_, kLoopTimeoutMs, 1) == MOSQ_ERR_SUCCESS) {
        }
        mosquitto_disconnect(client_);
        while (inTime() && mosquitto_loop(client_, kLoopTimeoutMs, 1) == MOSQ_ERR_SUCCESS) {
        }
    }
    Disconnected();
    const std::lock_guard lock(waitingMutex_);
    unsent_.fetch_add(waiting_.size());
    waiting_.clear();
}
