#include "mqtt/mqtt_connection.h"

#include <mosquitto.h>

#include <cerrno>
#include <cstring>

namespace {

// How long one turn of the loop waits for the socket; also how soon Close is noticed.
constexpr int kLoopTimeoutMs = 100;
// How long Close gives the closing status and the disconnect to go out.
constexpr std::chrono::seconds kClosingTime(1);

QString ResultText(int result, int error) {
    return result == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(std::strerror(error))
                                    : QString::fromUtf8(mosquitto_strerror(result));
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
    mosquitto_will_set(client_, options_.statusTopic.c_str(),
                       static_cast<int>(options_.willStatus.size()), options_.willStatus.data(), 1,
                       true);
    mosquitto_connect_callback_set(client_, &MqttConnection::OnConnect);
    mosquitto_disconnect_callback_set(client_, &MqttConnection::OnDisconnect);
    mosquitto_publish_callback_set(client_, &MqttConnection::OnPublish);
    thread_ = std::thread([this] { Run(); });
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

void MqttConnection::SendStatus(const std::string& status, int qos) {
    mosquitto_publish(client_, nullptr, options_.statusTopic.c_str(),
                      static_cast<int>(status.size()), status.data(), qos, true);
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

void MqttConnection::OnPublish(mosquitto*, void* self, int messageId) {
    auto* connection = static_cast<MqttConnection*>(self);
    const std::lock_guard lock(connection->waitingMutex_);
    connection->waiting_.erase(messageId);
}

void MqttConnection::ConnectAnswered(int result) {
    if (result != 0) {
        refusal_ = QString::fromUtf8(mosquitto_connack_string(result));
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
            events_.unreachable(refusal_.isEmpty() ? reason : refusal_);
        }
    }
}

bool MqttConnection::WaitBeforeRetry() {
    std::unique_lock lock(wakeMutex_);
    return wake_.wait_for(lock, options_.retryInterval, [this] { return closing_.load(); });
}

void MqttConnection::Run() {
    int result = mosquitto_connect_async(client_, options_.host.c_str(), options_.port,
                                         options_.keepAliveSeconds);
    int error = errno;
    while (!closing_.load()) {
        if (result == MOSQ_ERR_SUCCESS) {
            result = mosquitto_loop(client_, kLoopTimeoutMs, 1);
            error = errno;
            continue;
        }
        Disconnected();
        SayUnreachable(ResultText(result, error));
        if (WaitBeforeRetry()) {
            break;
        }
        result = mosquitto_reconnect_async(client_);
        error = errno;
    }
    Finish();
}

void MqttConnection::Finish() {
    if (connected_.load()) {
        {
            // QoS 0 goes out ahead of the disconnect, whatever waits for acknowledgement.
            const std::lock_guard lock(statusMutex_);
            SendStatus(options_.closingStatus, 0);
        }
        mosquitto_disconnect(client_);
        const auto deadline = std::chrono::steady_clock::now() + kClosingTime;
        while (std::chrono::steady_clock::now() < deadline &&
               mosquitto_loop(client_, kLoopTimeoutMs, 1) == MOSQ_ERR_SUCCESS) {
        }
    }
    Disconnected();
    const std::lock_guard lock(waitingMutex_);
    unsent_.fetch_add(waiting_.size());
    waiting_.clear();
}
