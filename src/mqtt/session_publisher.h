#pragma once
// Publishes an InstrumentSession to an MQTT broker: every sample as one JSON object (see
// SampleJson) to PREFIX/<serial>/sample with QoS 1, and where the connection stands,
// retained, to PREFIX/<serial>/status: "online" while measuring, "connection lost" while
// the instrument is looked for again, "offline" once the program stops or its connection to
// the broker breaks off (the last will). Nothing goes out before the serial number is known.
//
// The broker connection lives on its own thread (MqttConnection): measuring and the files
// never wait for it. Samples it could not take are counted, not kept.

#include <QObject>
#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "mqtt/mqtt_address.h"
#include "mqtt/mqtt_connection.h"
#include "mqtt/mqtt_security.h"
#include "session/instrument_session.h"
#include "threads/thread_mailbox.h"
#include "settings/temperature_scale.h"

// The status payloads.
inline constexpr char kStatusOnline[] = "online";
inline constexpr char kStatusConnectionLost[] = "connection lost";
inline constexpr char kStatusOffline[] = "offline";

class SessionPublisher : public QObject {
    Q_OBJECT
  public:
    SessionPublisher(InstrumentSession& session, MqttAddress address, MqttSecurity security = {},
                     std::chrono::milliseconds retryInterval = kBrokerRetryInterval,
                     QObject* parent = nullptr);
    // Close().
    ~SessionPublisher() override;

    // "offline" to the broker and the connection closed, within about a second; nothing is
    // published afterwards. Idempotent.
    void Close();

    const MqttAddress& Address() const { return address_; }
    // Samples not handed to the broker, or not acknowledged by it before a Close.
    std::uint64_t Unsent() const;

  signals:
    // `again`: not the first connection to the broker.
    void Connected(bool again);
    // Once for each time the broker could not be reached or the connection broke off.
    void Unreachable(const QString& reason);

  private:
    // Publishes as instrument `serial` from now on: a new connection for a new serial.
    void Follow(std::uint16_t serial);
    void SetStatus(const char* status);
    void PublishSample(const SampleUpdate& update);

    // First, so it goes last: what the connection's thread posts lands here.
    ThreadMailbox mailbox_;
    const MqttAddress address_;
    const MqttSecurity security_;
    const std::chrono::milliseconds retryInterval_;
    std::optional<std::uint16_t> serial_;
    std::unique_ptr<MqttConnection> connection_;
    std::uint64_t unsentEarlier_ = 0;  // by connections already closed, and before any
    TemperatureScale scale_ = TemperatureScale::Unknown;
    const char* status_ = nullptr;
    bool connectedOnce_ = false;
    bool closed_ = false;
};
