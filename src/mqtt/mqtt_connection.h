#pragma once
// One connection to an MQTT broker through libmosquitto, kept up by a thread of its own:
// name lookup, connect, the exchanges with the broker and every retry happen there, so a
// caller never waits for the network. A broker that is down, or goes away, is tried again
// every `retryInterval` for as long as the connection is open.
//
// The connection carries one retained status message: set by SetStatus, sent at once while
// connected and again on every connect (a restarted broker may have forgotten it), with
// `willStatus` as the last will the broker publishes when the connection breaks off.
//
// With `tls` the broker's certificate is checked against `caFile` (or the system's
// certificates) and must be issued for `host`; a login the broker refuses or a certificate
// that does not check out is said once, like a broker that is down, and tried again the
// same way.
//
// What the connection has to say (connected, unreachable) it says through the Events given
// at construction, called on its own thread; the owner carries them across.
//
// Publish never queues without bound: a message goes to libmosquitto only while connected
// and while fewer than `maxUnacknowledged` earlier ones wait for the broker's
// acknowledgement; any other is dropped and counted. libmosquitto sends the ones it holds
// again once the connection is back.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>

struct mosquitto;

// How often a broker that is down or went away is tried again.
inline constexpr std::chrono::milliseconds kBrokerRetryInterval{1000};

// The authorities trusted when no CA file is given.
inline constexpr char kSystemCertificates[] = "/etc/ssl/certs";

struct MqttConnectionOptions {
    std::string host;
    std::uint16_t port = 1883;
    bool tls = false;
    std::string caFile;    // empty: kSystemCertificates
    std::string certFile;  // with keyFile: the client's certificate; empty: none
    std::string keyFile;
    std::string user;  // empty: no login
    std::optional<std::string> password;
    std::string statusTopic;
    std::string willStatus;     // the broker publishes it when the connection breaks off
    std::string closingStatus;  // sent by Close
    std::chrono::milliseconds retryInterval = kBrokerRetryInterval;
    int keepAliveSeconds = 15;
    std::size_t maxUnacknowledged = 64;
};

class MqttConnection {
  public:
    // Each called on the connection's thread; any left empty is not called.
    struct Events {
        std::function<void()> connected;
        // The broker could not be reached or the connection broke off; once until connected.
        std::function<void(QString reason)> unreachable;
    };

    MqttConnection(MqttConnectionOptions options, Events events);
    // Close().
    ~MqttConnection();
    MqttConnection(const MqttConnection&) = delete;
    MqttConnection& operator=(const MqttConnection&) = delete;

    // Any thread. Retained, QoS 1; replaces the status to send on each connect.
    void SetStatus(const std::string& status);
    // Any thread. QoS 1, not retained. False, and counted, when it was not handed over.
    bool Publish(const std::string& topic, const QByteArray& payload);
    // Sends the closing status when connected (retained, QoS 1, like every status), waits
    // for the broker's acknowledgement, disconnects and ends the thread, within about a
    // second. Nothing is sent afterwards; messages still unacknowledged count as
    // unsent. Idempotent.
    void Close();

    bool IsConnected() const { return connected_.load(); }
    // Messages given to Publish that were dropped or never acknowledged before Close.
    std::uint64_t Unsent() const { return unsent_.load(); }

  private:
    static void OnConnect(mosquitto* client, void* self, int result);
    static void OnDisconnect(mosquitto* client, void* self, int result);
    static void OnPublish(mosquitto* client, void* self, int messageId);
    static void OnLog(mosquitto* client, void* self, int level, const char* text);

    // The login and TLS settings; libmosquitto's result.
    int Secure();
    // Any thread (libmosquitto logs where it works).
    void NoteError(const QString& line);

    // The connection's thread.
    void Run();
    void ConnectAnswered(int result);
    void Disconnected();
    // Starts a connect (the first, or again), forgetting what the last attempt left;
    // libmosquitto's result, with `error` the errno it left.
    int StartAttempt(bool first, int& error);
    // Why the attempt failed with `result` (and errno `error`).
    QString FailureText(int result, int error);
    void SayUnreachable(const QString& reason);
    // True when Close was asked for meanwhile.
    bool WaitBeforeRetry();
    void Finish();
    // Under statusMutex_. The message id, or -1 when libmosquitto did not take it.
    int SendStatus(const std::string& status, int qos);
    bool ClosingAcknowledged();

    const MqttConnectionOptions options_;
    const Events events_;
    mosquitto* client_ = nullptr;
    std::thread thread_;

    std::mutex wakeMutex_;
    std::condition_variable wake_;
    std::atomic<bool> closing_{false};

    std::atomic<bool> connected_{false};
    std::mutex statusMutex_;  // keeps the status sent last the one set last
    std::string status_;

    std::mutex waitingMutex_;
    std::unordered_set<int> waiting_;  // message ids of published samples not yet acknowledged
    std::atomic<std::uint64_t> unsent_{0};
    int closingId_ = -1;  // the closing status, once Finish has sent it
    bool closingAcknowledged_ = false;

    std::mutex errorsMutex_;
    QStringList errors_;  // libmosquitto's error lines since the attempt began

    int secured_ = 0;  // Secure()'s result; nothing is tried unless it succeeded

    // The connection's thread only.
    bool unreachableSaid_ = false;
    QString refusal_;        // why the broker refused the last connect
    bool answered_ = false;  // the broker answered this attempt's login
    int connectErrno_ = 0;   // errno as this attempt's connect left it
};
