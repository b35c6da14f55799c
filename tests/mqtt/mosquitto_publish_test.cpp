// The headless program publishing to a stock Mosquitto broker: one JSON message per sample
// with the record's values, the retained status through an unplug, a replug and the end,
// a broker that goes away and comes back while measuring goes on untouched, and the last
// will the broker says for a program killed outright.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "common/measuring_run.h"
#include "common/mosquitto_broker.h"
#include "common/mqtt_subscriber.h"

using namespace std::chrono_literals;

namespace {

const std::string kSampleTopic = "lab/300/sample";
const std::string kStatusTopic = "lab/300/status";

class MosquittoPublishTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!MosquittoBroker::Installed()) {
            GTEST_SKIP() << MosquittoBroker::kProgram << " is not installed";
        }
        ASSERT_TRUE(broker_.Start()) << broker_.Log().toStdString();
    }

    std::string BrokerUrl() const {
        return "mqtt://127.0.0.1:" + std::to_string(broker_.Port()) + "/lab";
    }

    // What a subscriber arriving now is given as the retained status, asked again until it
    // is `expected`; false if it never is.
    bool RetainedStatusBecomes(const QByteArray& expected) const {
        QByteArray last;
        const bool became = ProgramRun::WaitUntil(
            [&] {
                MqttSubscriber late(broker_.Port(), kStatusTopic);
                if (!late.WaitSubscribed() ||
                    !ProgramRun::WaitUntil([&] { return !late.Messages().empty(); }, 2s)) {
                    return false;
                }
                const MqttMessage message = late.Messages().front();
                last = message.payload;
                return message.retained && message.payload == expected;
            },
            20s);
        EXPECT_TRUE(became) << "the retained status is \"" << last.toStdString() << "\", not \""
                            << expected.toStdString() << '"';
        return became;
    }

    MosquittoBroker broker_;
};

TEST_F(MosquittoPublishTest, OneMessagePerSampleWithTheRecordsValuesAndTheStatusRetained) {
    MqttSubscriber watcher(broker_.Port(), "lab/#");
    ASSERT_TRUE(watcher.WaitSubscribed());
    MeasuringRun run({"--mqtt", BrokerUrl()});
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.WaitForLines(3, 30s)) << run.Program().Err().toStdString();
    RetainedStatusBecomes("online");

    ASSERT_TRUE(run.Instrument().Unplug());
    RetainedStatusBecomes("connection lost");
    // Nothing is measured now: each sample logged has had its message.
    const qsizetype lines = run.LogLines().size();
    EXPECT_TRUE(ProgramRun::WaitUntil(
        [&] { return static_cast<qsizetype>(watcher.Payloads(kSampleTopic).size()) >= lines; },
        20s));
    const std::vector<QByteArray> samples = watcher.Payloads(kSampleTopic);
    const QList<QByteArray> record = run.RecordLines();
    ASSERT_EQ(static_cast<qsizetype>(samples.size()), lines) << "one message per sample";
    ASSERT_EQ(record.size(), lines + 1);
    const QList<QByteArray> columns = record.front().split(',');
    for (qsizetype i = 0; i < lines; ++i) {
        SCOPED_TRACE(i);
        QJsonParseError error;
        const QJsonObject json = QJsonDocument::fromJson(samples[i], &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << samples[i].toStdString();
        EXPECT_EQ(json.size(), columns.size() + 1) << samples[i].toStdString();
        EXPECT_EQ(json.value("temperature_unit").toString(), "°C");
        const QList<QByteArray> row = record[i + 1].split(',');
        ASSERT_EQ(row.size(), columns.size());
        for (qsizetype c = 0; c < columns.size(); ++c) {
            SCOPED_TRACE(columns[c].toStdString());
            const QJsonValue value = json.value(QString::fromLatin1(columns[c]));
            if (columns[c] == "time") {
                EXPECT_EQ(value.toString(), QString::fromLatin1(row[c]));
            } else if (row[c].isEmpty()) {
                EXPECT_TRUE(value.isNull()) << "a quantity the record leaves empty";
            } else {
                ASSERT_TRUE(value.isDouble());
                EXPECT_EQ(value.toDouble(), row[c].toDouble());
            }
        }
        EXPECT_EQ(json.value("sample").toInt(), i + 1);
    }

    run.Instrument().Replug();
    RetainedStatusBecomes("online");
    ASSERT_TRUE(run.WaitForLines(lines + 1, 30s));
    run.Program().Signal(SIGTERM);
    EXPECT_EQ(run.Program().WaitExit(10s), 0) << run.Program().Err().toStdString();
    RetainedStatusBecomes("offline");
    EXPECT_EQ(watcher.Payloads(kStatusTopic),
              (std::vector<QByteArray>{"online", "connection lost", "online", "offline"}));
    // The subscription takes QoS 1, so each status arrives with the QoS it was sent with,
    // the closing "offline" among them.
    for (const MqttMessage& message : watcher.Messages()) {
        if (message.topic == kStatusTopic) {
            EXPECT_EQ(message.qos, 1) << message.payload.toStdString();
        }
    }
}

TEST_F(MosquittoPublishTest, ABrokerGoneAndBackLeavesMeasuringAloneAndPublishingResumes) {
    MqttSubscriber before(broker_.Port(), kSampleTopic);
    ASSERT_TRUE(before.WaitSubscribed());
    MeasuringRun run({"--mqtt", BrokerUrl()});
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !before.Messages().empty(); }, 30s))
        << run.Program().Err().toStdString();

    broker_.Stop();
    const qsizetype linesAtStop = run.LogLines().size();
    EXPECT_TRUE(run.WaitForLines(linesAtStop + 3, 30s)) << "measuring goes on";
    const QByteArray unreachable = "MQTT: cannot reach " + QByteArray::fromStdString(BrokerUrl());
    EXPECT_TRUE(
        ProgramRun::WaitUntil([&] { return run.Program().Err().contains(unreachable); }, 10s))
        << run.Program().Err().toStdString();

    ASSERT_TRUE(broker_.Start()) << broker_.Log().toStdString();
    MqttSubscriber after(broker_.Port(), kSampleTopic);
    ASSERT_TRUE(after.WaitSubscribed());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !after.Messages().empty(); }, 30s))
        << run.Program().Err().toStdString();
    const QJsonObject resumed = QJsonDocument::fromJson(after.Messages().front().payload).object();
    EXPECT_GT(resumed.value("sample").toInt(), linesAtStop + 2);
    RetainedStatusBecomes("online");  // the new broker knew nothing of it

    // The samples while it was gone were counted, not kept.
    static const QRegularExpression again(
        "MQTT: connected again to \\S+; samples not sent so far: (\\d+)\n");
    const QRegularExpressionMatch match = again.match(QString::fromUtf8(run.Program().Err()));
    ASSERT_TRUE(match.hasMatch()) << run.Program().Err().toStdString();
    EXPECT_GE(match.captured(1).toInt(), 2);

    run.Program().Signal(SIGTERM);
    EXPECT_EQ(run.Program().WaitExit(10s), 0) << run.Program().Err().toStdString();
    // The log is whole: numbered on without a gap or a repeat, each line complete.
    const QList<QByteArray> lines = run.LogLines();
    ASSERT_GE(lines.size(), linesAtStop + 3);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        const QList<QByteArray> fields = lines[i].split('\t');
        EXPECT_EQ(fields.size(), 11);
        EXPECT_EQ(fields[0].toInt(), i + 1);
    }
}

TEST_F(MosquittoPublishTest, AKilledProgramLeavesItsLastWillOfflineRetained) {
    MqttSubscriber watcher(broker_.Port(), kStatusTopic);
    ASSERT_TRUE(watcher.WaitSubscribed());
    MeasuringRun run({"--mqtt", BrokerUrl()});
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.WaitForLines(2, 30s)) << run.Program().Err().toStdString();
    RetainedStatusBecomes("online");

    // No closing status: the program gets no chance to say anything.
    run.Program().Signal(SIGKILL);
    EXPECT_EQ(run.Program().WaitExit(10s), 128 + SIGKILL);
    RetainedStatusBecomes("offline");
    EXPECT_EQ(watcher.Payloads(kStatusTopic), (std::vector<QByteArray>{"online", "offline"}));
}

}  // namespace
