// The broker connection against an in-test broker: one that takes the connection and every
// message but acknowledges none (at most 64 samples are handed over, every other one is
// dropped and counted, and at the close the unacknowledged ones count as unsent too), and
// one that refuses the login.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/program_run.h"
#include "mqtt/mqtt_connection.h"

using namespace std::chrono_literals;
using namespace std::string_literals;

namespace {

// Answers CONNECT with CONNACK and then, when it accepted, only listens: no PUBACK, no
// PINGRESP.
// Keeps "topic payload" of each PUBLISH it received, in order, after the will the CONNECT
// carried.
class SilentBroker {
  public:
    // `answer`: the CONNACK return code, 0 to accept the connection.
    explicit SilentBroker(char answer = 0) : answer_(answer) {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (listener_ < 0 ||
            bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            listen(listener_, 4) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~SilentBroker() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        if (listener_ >= 0) {
            close(listener_);
        }
    }
    SilentBroker(const SilentBroker&) = delete;
    SilentBroker& operator=(const SilentBroker&) = delete;

    std::uint16_t Port() const { return port_; }
    int Connects() const { return connects_.load(); }
    std::vector<std::string> Published() const {
        std::lock_guard lock(mutex_);
        return published_;
    }

  private:
    // Waits up to 100 ms for `fd` to be readable, so that the thread sees stop_ in time.
    bool Readable(int fd) const {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, 100) > 0;
    }

    void Serve() {
        while (!stop_) {
            if (!Readable(listener_)) {
                continue;
            }
            const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                continue;
            }
            Talk(client);
            close(client);
        }
    }

    void Talk(int client) {
        refused_ = false;
        std::string pending;
        while (!stop_) {
            if (!Readable(client)) {
                continue;
            }
            char bytes[4096];
            const ssize_t got = recv(client, bytes, sizeof(bytes), 0);
            if (got <= 0) {
                return;
            }
            pending.append(bytes, static_cast<std::size_t>(got));
            while (!refused_ && TakePacket(client, pending)) {
            }
            if (refused_) {
                return;
            }
        }
    }

    // Takes one whole packet off the front of `pending`; false when none is whole yet.
    bool TakePacket(int client, std::string& pending) {
        std::size_t length = 0;
        std::size_t at = 1;
        for (int shift = 0;; shift += 7, ++at) {
            if (at >= pending.size() || shift > 21) {
                return false;
            }
            const auto byte = static_cast<unsigned char>(pending[at]);
            length |= static_cast<std::size_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        const std::size_t start = at + 1;
        if (pending.size() < start + length) {
            return false;
        }
        const auto type = static_cast<unsigned char>(pending[0]) >> 4;
        const std::string body = pending.substr(start, length);
        pending.erase(0, start + length);
        if (type == 1) {  // CONNECT: the will's topic and message stand at its end
            const char connack[] = {0x20, 0x02, 0x00, answer_};
            (void)send(client, connack, sizeof(connack), MSG_NOSIGNAL);
            ++connects_;
            refused_ = answer_ != 0;  // and then hangs up, as a refusing broker does
            if (body.ends_with("lab/300/status\0\7offline"s)) {
                std::lock_guard lock(mutex_);
                published_.push_back("lab/300/status offline");
            }
        } else if (type == 3 && body.size() >= 2) {  // PUBLISH, QoS 1: topic, id, payload
            const std::size_t topicLength =
                (static_cast<unsigned char>(body[0]) << 8) | static_cast<unsigned char>(body[1]);
            std::lock_guard lock(mutex_);
            published_.push_back(body.substr(2, topicLength) + ' ' +
                                 body.substr(std::min(body.size(), 4 + topicLength)));
        }
        return true;
    }

    const char answer_;
    std::atomic<int> connects_{0};
    bool refused_ = false;  // the broker's thread only
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> published_;
    std::thread thread_;
};

TEST(MqttUnacknowledged, SixtyFourSamplesWaitForTheBrokerAndEveryOtherIsDroppedAndCounted) {
    SilentBroker broker;
    ASSERT_NE(broker.Port(), 0);
    MqttConnectionOptions options;
    options.host = "127.0.0.1";
    options.port = broker.Port();
    options.statusTopic = "lab/300/status";
    options.willStatus = "offline";
    options.closingStatus = "offline";
    MqttConnection connection(options, {});
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return connection.IsConnected(); }, 20s));

    int handedOver = 0;
    for (int i = 0; i < 70; ++i) {
        if (connection.Publish("lab/300/sample", QByteArray::number(i))) {
            ++handedOver;
        }
    }
    EXPECT_EQ(handedOver, 64);
    EXPECT_EQ(connection.Unsent(), 6u) << "the six past the cap";

    // What reaches the broker comes from the 64, in order (libmosquitto may hold some back
    // while as many wait for their acknowledgement as it allows in flight).
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return broker.Published().size() >= 2; }, 20s));
    const std::vector<std::string> published = broker.Published();
    EXPECT_EQ(published.front(), "lab/300/status offline") << "the will, with the connect";
    for (std::size_t i = 1; i < published.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(published[i], "lab/300/sample " + std::to_string(i - 1));
    }
    EXPECT_LE(published.size(), 65u);

    connection.Close();
    EXPECT_EQ(connection.Unsent(), 70u) << "the 64 never acknowledged count too";
    EXPECT_FALSE(connection.Publish("lab/300/sample", "late"));
    EXPECT_EQ(connection.Unsent(), 71u);
}

TEST(MqttRefused, ALoginRefusedIsSaidOnceInPlainWordsWhileTheConnectionKeepsTrying) {
    const std::pair<char, const char*> cases[] = {
        {4, "broker nie przyjął nazwy użytkownika lub hasła"},
        {5, "broker odmówił dostępu: zła nazwa użytkownika lub hasło albo brak uprawnień"},
    };
    for (const auto& [code, said] : cases) {
        SCOPED_TRACE(static_cast<int>(code));
        SilentBroker broker(code);
        ASSERT_NE(broker.Port(), 0);
        MqttConnectionOptions options;
        options.host = "127.0.0.1";
        options.port = broker.Port();
        options.user = "hygrometer";
        options.password = "wrong";
        options.statusTopic = "lab/300/status";
        options.retryInterval = 100ms;
        std::mutex mutex;
        std::vector<QString> reasons;
        std::atomic<int> connected{0};
        MqttConnection connection(options, {[&] { ++connected; },
                                            [&](const QString& reason) {
                                                std::lock_guard lock(mutex);
                                                reasons.push_back(reason);
                                            }});
        EXPECT_TRUE(ProgramRun::WaitUntil([&] { return broker.Connects() >= 4; }, 20s))
            << "tried again and again";
        connection.Close();
        EXPECT_EQ(reasons, std::vector<QString>{QString::fromUtf8(said)}) << "said once";
        EXPECT_EQ(connected.load(), 0);
        EXPECT_FALSE(connection.IsConnected());
    }
}

}  // namespace
