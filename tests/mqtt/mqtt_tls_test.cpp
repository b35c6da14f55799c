// The broker connection against a Mosquitto broker that wants TLS and a password: a right
// login publishes; a refused login, an authority not trusted, a certificate for another
// name, plain MQTT to the TLS port and a TLS port nobody listens on are each said once, in
// plain words, while the connection goes on trying; a login put right on the broker is
// then taken without anything done on this side.
#include <gtest/gtest.h>

#include <QObject>
#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "common/mqtt_subscriber.h"
#include "common/tls_mosquitto_broker.h"
#include "mqtt/mqtt_connection.h"

using namespace std::chrono_literals;

namespace {

const std::string kUser = "hygrometer";
const std::string kPassword = "right-password";

// What a connection says, from its own thread. Outlives the connection it is given to.
class Said {
  public:
    MqttConnection::Events Events() {
        MqttConnection::Events events;
        events.connected = [this] {
            const std::lock_guard lock(mutex_);
            ++connected_;
        };
        events.unreachable = [this](QString why) {
            const std::lock_guard lock(mutex_);
            unreachable_.push_back(std::move(why));
        };
        return events;
    }
    int Connected() const {
        const std::lock_guard lock(mutex_);
        return connected_;
    }
    std::vector<QString> Unreachable() const {
        const std::lock_guard lock(mutex_);
        return unreachable_;
    }
    // For a failure's message.
    std::string UnreachableText() const {
        std::string text;
        for (const QString& reason : Unreachable()) {
            text += '"' + reason.toStdString() + "\" ";
        }
        return text;
    }

  private:
    mutable std::mutex mutex_;
    int connected_ = 0;
    std::vector<QString> unreachable_;
};

class MqttTlsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (TlsMosquittoBroker::Installed()) {
            certificates_ = new TestCertificates;
            certificatesMade_ = certificates_->Make();
        }
    }
    static void TearDownTestSuite() {
        delete certificates_;
        certificates_ = nullptr;
    }

    void SetUp() override {
        if (!TlsMosquittoBroker::Installed()) {
            GTEST_SKIP() << "mosquitto, mosquitto_passwd or openssl is not installed";
        }
        ASSERT_TRUE(certificatesMade_) << certificates_->Log().toStdString();
        broker_ = std::make_unique<TlsMosquittoBroker>(*certificates_);
        ASSERT_TRUE(broker_->SetLogin(kUser, kPassword));
        ASSERT_TRUE(broker_->Start()) << broker_->Log().toStdString();
    }

    static MqttConnectionOptions Options(std::uint16_t port) {
        MqttConnectionOptions options;
        options.host = "127.0.0.1";
        options.port = port;
        options.tls = true;
        options.caFile = certificates_->Cert("ca");
        options.user = kUser;
        options.password = kPassword;
        options.statusTopic = "lab/300/status";
        options.willStatus = "offline";
        options.closingStatus = "offline";
        options.retryInterval = 100ms;
        return options;
    }

    static TestCertificates* certificates_;
    static bool certificatesMade_;
    std::unique_ptr<TlsMosquittoBroker> broker_;
};

TestCertificates* MqttTlsTest::certificates_ = nullptr;
bool MqttTlsTest::certificatesMade_ = false;

TEST_F(MqttTlsTest, ARightLoginPublishesOverTls) {
    struct Case {
        const char* what;
        std::string host;
        bool onClientCertPort;
    };
    const Case cases[] = {
        {"by address", "127.0.0.1", false},
        {"by name", "localhost", false},
        {"with a client certificate", "127.0.0.1", true},
    };
    MqttSubscriber watcher(broker_->PlainPort(), "lab/#");
    ASSERT_TRUE(watcher.WaitSubscribed());
    int published = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MqttConnectionOptions options =
            Options(c.onClientCertPort ? broker_->ClientCertPort() : broker_->TlsPort());
        options.host = c.host;
        if (c.onClientCertPort) {
            options.certFile = certificates_->Cert("client");
            options.keyFile = certificates_->Key("client");
        }
        Said said;
        MqttConnection connection(options, said.Events());
        ASSERT_TRUE(ProgramRun::WaitUntil([&] { return connection.IsConnected(); }, 20s))
            << broker_->Log().toStdString();
        EXPECT_TRUE(connection.Publish("lab/300/sample", QByteArray(c.what)));
        ++published;
        EXPECT_TRUE(ProgramRun::WaitUntil(
            [&] {
                return static_cast<int>(watcher.Payloads("lab/300/sample").size()) == published;
            },
            20s));
        EXPECT_EQ(watcher.Payloads("lab/300/sample").back(), QByteArray(c.what));
        EXPECT_EQ(said.Connected(), 1);
        EXPECT_TRUE(said.Unreachable().empty());
    }
}

TEST_F(MqttTlsTest, EachRefusalIsSaidOnceInPlainWordsWhileTheConnectionKeepsTrying) {
    struct Case {
        const char* what;
        std::uint16_t port;
        bool tls;
        std::string caFile;
        std::string password;
        QString said;
    };
    const std::string stranger = certificates_->Cert("stranger");
    const Case cases[] = {
        {"a wrong password", broker_->TlsPort(), true, certificates_->Cert("ca"), "wrong",
         "broker odmówił dostępu: zła nazwa użytkownika lub hasło albo brak uprawnień"},
        {"an authority not trusted", broker_->TlsPort(), true, stranger, kPassword,
         QString("certyfikat brokera nie przeszedł sprawdzenia: nie podpisał go zaufany urząd "
                 "(%1) albo stracił ważność")
             .arg(QString::fromStdString(stranger))},
        {"the system's authorities only", broker_->TlsPort(), true, "", kPassword,
         "certyfikat brokera nie przeszedł sprawdzenia: nie podpisał go zaufany urząd "
         "(systemowe certyfikaty) albo stracił ważność"},
        {"a certificate for another name", broker_->ElsewherePort(), true,
         certificates_->Cert("ca"), kPassword,
         "certyfikat brokera nie jest wystawiony na nazwę 127.0.0.1"},
        {"plain MQTT to the TLS port", broker_->TlsPort(), false, "", kPassword,
         "broker zamknął połączenie bez odpowiedzi; może przyjmuje tylko mqtts://"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MqttConnectionOptions options = Options(c.port);
        options.tls = c.tls;
        options.caFile = c.caFile;
        options.password = c.password;
        const int before = broker_->Connections(c.port);
        Said said;
        MqttConnection connection(options, said.Events());
        ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !said.Unreachable().empty(); }, 20s));
        // Tried again and again, and not said again. (The broker may log the connection it
        // took only after the client has seen it end: counted on from the first.)
        const int saidAt = std::max(broker_->Connections(c.port), before + 1);
        EXPECT_TRUE(
            ProgramRun::WaitUntil([&] { return broker_->Connections(c.port) >= saidAt + 3; }, 20s))
            << broker_->Log().toStdString();
        EXPECT_EQ(said.Unreachable(), std::vector<QString>{c.said}) << said.UnreachableText();
        EXPECT_EQ(said.Connected(), 0);
        EXPECT_FALSE(connection.IsConnected());
    }
}

TEST_F(MqttTlsTest, ATlsPortNobodyListensOnIsSaidAsRefused) {
    const std::uint16_t nobody = FreeLocalPort();
    Said said;
    MqttConnection connection(Options(nobody), said.Events());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !said.Unreachable().empty(); }, 20s));
    // In the program's language: here, without a translation, the Polish program's.
    EXPECT_EQ(said.Unreachable(), std::vector<QString>{"Połączenie odrzucone"})
        << said.UnreachableText();
    // A publish meanwhile is counted, not kept.
    EXPECT_FALSE(connection.Publish("lab/300/sample", "x"));
    EXPECT_EQ(connection.Unsent(), 1u);
}

TEST_F(MqttTlsTest, ALoginPutRightOnTheBrokerIsTakenAtTheNextTry) {
    const std::string later = "password-set-later";
    MqttConnectionOptions options = Options(broker_->TlsPort());
    options.password = later;
    Said said;
    MqttConnection connection(options, said.Events());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !said.Unreachable().empty(); }, 20s));
    ASSERT_TRUE(broker_->SetLogin(kUser, later));
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return connection.IsConnected(); }, 20s))
        << broker_->Log().toStdString();
    EXPECT_EQ(said.Connected(), 1);
    EXPECT_EQ(said.Unreachable().size(), 1u);
}

}  // namespace
