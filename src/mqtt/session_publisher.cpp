#include "mqtt/session_publisher.h"

#include "mqtt/sample_json.h"

SessionPublisher::SessionPublisher(InstrumentSession& session, MqttAddress address,
                                   MqttSecurity security, std::chrono::milliseconds retryInterval,
                                   QObject* parent)
    : QObject(parent),
      address_(std::move(address)),
      security_(std::move(security)),
      retryInterval_(retryInterval) {
    connect(&session, &InstrumentSession::VersionRead, this,
            [this](const InstrumentVersion& version) { Follow(version.serial); });
    connect(&session, &InstrumentSession::SettingsInForce, this,
            [this](const InstrumentSettings& settings) { scale_ = ScaleOf(settings); });
    connect(&session, &InstrumentSession::Connected, this, [this] { SetStatus(kStatusOnline); });
    connect(&session, &InstrumentSession::ConnectionLost, this,
            [this] { SetStatus(kStatusConnectionLost); });
    connect(&session, &InstrumentSession::SampleReady, this, &SessionPublisher::PublishSample);
}

SessionPublisher::~SessionPublisher() {
    Close();
}

void SessionPublisher::Close() {
    closed_ = true;
    if (connection_) {
        connection_->Close();
    }
}

std::uint64_t SessionPublisher::Unsent() const {
    return unsentEarlier_ + (connection_ ? connection_->Unsent() : 0);
}

void SessionPublisher::Follow(std::uint16_t serial) {
    if (closed_ || serial_ == serial) {
        return;
    }
    serial_ = serial;
    if (connection_) {
        connection_->Close();  // "offline" for the instrument that went
        unsentEarlier_ += connection_->Unsent();
    }
    MqttConnectionOptions options;
    options.host = address_.host;
    options.port = address_.port;
    options.tls = address_.tls;
    options.caFile = security_.caFile;
    options.certFile = security_.certFile;
    options.keyFile = security_.keyFile;
    options.user = security_.user;
    options.password = security_.password;
    options.statusTopic = StatusTopic(address_, serial);
    options.willStatus = kStatusOffline;
    options.closingStatus = kStatusOffline;
    options.retryInterval = retryInterval_;
    // The connection's thread is joined in Close, before this publisher goes.
    MqttConnection::Events events;
    events.connected = [this] {
        mailbox_.Post([this] {
            emit Connected(connectedOnce_);
            connectedOnce_ = true;
        });
    };
    events.unreachable = [this](QString reason) {
        mailbox_.Post([this, reason = std::move(reason)] { emit Unreachable(reason); });
    };
    connection_ = std::make_unique<MqttConnection>(options, std::move(events));
    if (status_ != nullptr) {
        connection_->SetStatus(status_);
    }
}

void SessionPublisher::SetStatus(const char* status) {
    status_ = status;
    if (connection_ && !closed_) {
        connection_->SetStatus(status);
    }
}

void SessionPublisher::PublishSample(const SampleUpdate& update) {
    if (!connection_ || closed_) {
        ++unsentEarlier_;  // no instrument known to publish as, or closed
        return;
    }
    const SampleValues values{update.dateTime, update.sampleCount, update.sample, update.replyBytes,
                              update.humidity};
    connection_->Publish(SampleTopic(address_, *serial_), SampleJson(values, scale_));
}
