// The session followed into the metrics: labels from the identification and the version,
// the scale from the settings, and each counter moved by what it counts, against the
// simulator with the protocol's waits shortened.
#include "metrics/session_metrics.h"

#include "common/session_fixture.h"

using namespace std::chrono_literals;

namespace {

class SessionMetricsTest : public SessionTest {
  protected:
    // A session whose dated record cannot be written: every sample is a write error.
    void Follow(const std::string& port) {
        SessionOptions options{{port}, QLocale::c(), Path("jrt1.txt"), kQuickWaits, 200ms};
        options.recordDirectory = Path("missing");
        MakeSessionWith(options);
        metrics_ = std::make_unique<SessionMetrics>(*session_, collector_);
    }
    InstrumentMetrics Now() const { return collector_->Get(); }

    const std::shared_ptr<MetricsCollector> collector_ = std::make_shared<MetricsCollector>();
    std::unique_ptr<SessionMetrics> metrics_;
};

TEST_F(SessionMetricsTest, LabelsStateAndEveryCounterFollowTheSession) {
    sim::InstrumentSimulator& instrument = AddInstrument("instrument");
    Follow(Path("instrument"));
    EXPECT_EQ(Now(), InstrumentMetrics{}) << "nothing known before the connect";
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_TRUE(WaitFor([&] { return Now().samples >= 2; }));
    InstrumentMetrics now = Now();
    EXPECT_TRUE(now.connected);
    EXPECT_EQ(now.instrument, "KRT-10");
    EXPECT_EQ(now.serial, "300");
    EXPECT_EQ(now.port, Path("instrument"));
    EXPECT_EQ(now.scale, TemperatureScale::Celsius) << "from the settings read at the connect";
    EXPECT_TRUE(now.sample.has_value());
    EXPECT_TRUE(now.lastSampleTime.has_value());
    EXPECT_EQ(now.logWriteErrors, now.samples) << "each row the record could not take";
    EXPECT_EQ(now.recordRowsHeld, now.samples) << "each row held for the record";
    EXPECT_EQ(now.logLinesHeld, 0u);
    EXPECT_EQ(now.recordRowsDropped, 0u);
    EXPECT_EQ(now.incompleteReplies, 0u);
    EXPECT_EQ(now.pollsWithoutData, 0u);

    instrument.SetSilent(2);
    ASSERT_TRUE(WaitFor([&] { return Now().pollsWithoutData == 2; }));
    // Ten bytes now, the rest too late for this poll.
    instrument.SetSplit(10, 400ms, 1);
    ASSERT_TRUE(WaitFor([&] { return Now().incompleteReplies >= 1; }));
    EXPECT_EQ(Now().reconnects, 0u);

    // Two samples on, every poll before them has been counted, and the instrument answers.
    const std::uint64_t answered = Now().samples + 2;
    ASSERT_TRUE(WaitFor([&] { return Now().samples >= answered; }));
    const std::uint64_t silentPolls = Now().pollsWithoutData;
    ASSERT_TRUE(instrument.Unplug());
    ASSERT_TRUE(WaitFor([&] { return !Now().connected; }));
    EXPECT_EQ(Now().sample, std::nullopt) << "no value of a lost instrument";
    EXPECT_EQ(Now().pollsWithoutData, silentPolls)
        << "an unplug is a lost connection, not a poll without data";
    const std::uint64_t samples = Now().samples;
    instrument.Replug();
    ASSERT_TRUE(WaitFor([&] { return Now().connected && Now().sample.has_value(); }));
    EXPECT_EQ(Now().reconnects, 1u);
    EXPECT_GT(Now().samples, samples) << "numbered on";
}

}  // namespace
