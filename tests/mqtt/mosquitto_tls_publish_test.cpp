// The headless program publishing to a Mosquitto broker that wants TLS and a password: with
// the right login from a password file the samples arrive; with a wrong one the refusal is
// said once on standard error while the broker is tried again and again, and measuring goes
// on untouched.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/measuring_run.h"
#include "common/mqtt_subscriber.h"
#include "common/tls_mosquitto_broker.h"

using namespace std::chrono_literals;

namespace {

class MosquittoTlsPublishTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!TlsMosquittoBroker::Installed()) {
            GTEST_SKIP() << "mosquitto, mosquitto_passwd or openssl is not installed";
        }
        ASSERT_TRUE(certificates_.Make()) << certificates_.Log().toStdString();
        ASSERT_TRUE(broker_.SetLogin("hygrometer", "right-password"));
        ASSERT_TRUE(broker_.Start()) << broker_.Log().toStdString();
    }

    // The options of a run that logs in with `password`, kept in a file.
    std::vector<std::string> Options(const QByteArray& password) {
        const QString file = dir_.filePath("password");
        QFile out(file);
        EXPECT_TRUE(
            out.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        out.write(password + "\n");
        return {"--mqtt",
                Url(),
                "--mqtt-user",
                "hygrometer",
                "--mqtt-ca",
                certificates_.Cert("ca"),
                "--mqtt-password-file",
                file.toStdString()};
    }
    std::string Url() const {
        return "mqtts://127.0.0.1:" + std::to_string(broker_.TlsPort()) + "/lab";
    }

    QTemporaryDir dir_;
    TestCertificates certificates_;
    TlsMosquittoBroker broker_{certificates_};
};

TEST_F(MosquittoTlsPublishTest, TheRightLoginFromAPasswordFilePublishesEverySample) {
    MqttSubscriber watcher(broker_.PlainPort(), "lab/#");
    ASSERT_TRUE(watcher.WaitSubscribed());
    MeasuringRun run(Options("right-password"));
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(
        ProgramRun::WaitUntil([&] { return watcher.Payloads("lab/300/sample").size() >= 2; }, 30s))
        << run.Program().Err().toStdString() << broker_.Log().toStdString();
    EXPECT_EQ(watcher.Payloads("lab/300/status").front(), "online");
    EXPECT_TRUE(
        run.Program().Out().contains("MQTT: connected to " + QByteArray::fromStdString(Url())))
        << run.Program().Out().toStdString();
    run.Program().Signal(SIGTERM);
    EXPECT_EQ(run.Program().WaitExit(10s), 0) << run.Program().Err().toStdString();
}

TEST_F(MosquittoTlsPublishTest, AWrongPasswordIsSaidOnceWhileTriedAgainAndMeasuringGoesOn) {
    MeasuringRun run(Options("wrong-password"));
    ASSERT_TRUE(run.Started());
    const QByteArray said = "MQTT: cannot reach " + QByteArray::fromStdString(Url()) + " (";
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.Program().Err().contains(said); }, 30s))
        << run.Program().Err().toStdString();
    const int attempts = broker_.Connections(broker_.TlsPort());
    const qsizetype lines = run.LogLines().size();
    EXPECT_TRUE(ProgramRun::WaitUntil(
        [&] { return broker_.Connections(broker_.TlsPort()) >= attempts + 3; }, 30s))
        << "tried again";
    EXPECT_TRUE(run.WaitForLines(lines + 3, 30s)) << "measuring goes on";
    EXPECT_EQ(run.Program().Err().count(said), 1) << run.Program().Err().toStdString();
    run.Program().Signal(SIGTERM);
    EXPECT_EQ(run.Program().WaitExit(10s), 0) << run.Program().Err().toStdString();
}

}  // namespace
