#pragma once
// The test's MQTT subscriber, through libmosquitto on a thread of its own: subscribes to a
// topic filter with QoS 1 on 127.0.0.1 and keeps every message it gets, with its retain
// flag, for the test to read.

#include <mosquitto.h>

#include <QByteArray>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "common/program_run.h"

struct MqttMessage {
    std::string topic;
    QByteArray payload;
    bool retained = false;
    int qos = 0;  // as delivered: the lower of the publisher's and the subscription's
};

class MqttSubscriber {
  public:
    MqttSubscriber(std::uint16_t port, std::string filter) : filter_(std::move(filter)) {
        mosquitto_lib_init();
        client_ = mosquitto_new(nullptr, true, this);
        mosquitto_connect_callback_set(client_, [](mosquitto* client, void* self, int result) {
            if (result == 0) {
                mosquitto_subscribe(client, nullptr,
                                    static_cast<MqttSubscriber*>(self)->filter_.c_str(), 1);
            }
        });
        mosquitto_subscribe_callback_set(client_, [](mosquitto*, void* self, int, int, const int*) {
            auto* subscriber = static_cast<MqttSubscriber*>(self);
            const std::lock_guard lock(subscriber->mutex_);
            subscriber->subscribed_ = true;
        });
        mosquitto_message_callback_set(
            client_, [](mosquitto*, void* self, const mosquitto_message* message) {
                auto* subscriber = static_cast<MqttSubscriber*>(self);
                const std::lock_guard lock(subscriber->mutex_);
                subscriber->messages_.push_back(
                    {message->topic,
                     QByteArray(static_cast<const char*>(message->payload), message->payloadlen),
                     message->retain, message->qos});
            });
        mosquitto_connect_async(client_, "127.0.0.1", port, 30);
        mosquitto_loop_start(client_);
    }
    ~MqttSubscriber() {
        mosquitto_disconnect(client_);
        mosquitto_loop_stop(client_, true);
        mosquitto_destroy(client_);
    }
    MqttSubscriber(const MqttSubscriber&) = delete;
    MqttSubscriber& operator=(const MqttSubscriber&) = delete;

    bool WaitSubscribed() const {
        return ProgramRun::WaitUntil(
            [this] {
                const std::lock_guard lock(mutex_);
                return subscribed_;
            },
            std::chrono::seconds(20));
    }

    std::vector<MqttMessage> Messages() const {
        const std::lock_guard lock(mutex_);
        return messages_;
    }
    // The payloads that came on `topic`, in order.
    std::vector<QByteArray> Payloads(const std::string& topic) const {
        std::vector<QByteArray> payloads;
        for (const MqttMessage& message : Messages()) {
            if (message.topic == topic) {
                payloads.push_back(message.payload);
            }
        }
        return payloads;
    }

  private:
    const std::string filter_;
    mosquitto* client_ = nullptr;
    mutable std::mutex mutex_;
    bool subscribed_ = false;
    std::vector<MqttMessage> messages_;
};
