// The poll loop against the simulated instrument, without a window: what reaches the log,
// what is handed on, and how the loop behaves when the instrument or the disk misbehave.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <mutex>

#include "common/quick_waits.h"
#include "measure/measurement_worker.h"
#include "sim/instrument_simulator.h"

using namespace std::chrono_literals;

namespace {

class WorkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::string why;
        ASSERT_TRUE(instrument.Start(&why)) << why;
        ASSERT_TRUE(link.BeginExchange().OpenInstrumentPort(instrument.SlavePath(), &why)) << why;
        ASSERT_EQ(log.Create(), 0);
        // The worker's events are taken on its own thread, so no event loop is needed.
        MeasurementWorker::Events events;
        events.sampleReady = [this](const SampleUpdate& u) { Record(u); };
        events.pollFailed = [this] { Count(pollFailures); };
        events.logFailed = [this](const QString& m) { RecordLogError(m); };
        events.portLost = [this] { Count(portLosses); };
        worker.SetEvents(std::move(events));
    }
    void TearDown() override { worker.Stop(); }

    void Record(const SampleUpdate& u) {
        std::lock_guard<std::mutex> lock(mutex);
        samples.push_back(u);
    }
    void Count(int& counter) {
        std::lock_guard<std::mutex> lock(mutex);
        ++counter;
    }
    void RecordLogError(const QString& m) {
        std::lock_guard<std::mutex> lock(mutex);
        logErrors << m;
    }
    std::size_t SampleTotal() {
        std::lock_guard<std::mutex> lock(mutex);
        return samples.size();
    }
    bool WaitForSamples(std::size_t n) {
        for (int i = 0; i < 1000 && SampleTotal() < n; ++i)
            std::this_thread::sleep_for(10ms);
        return SampleTotal() >= n;
    }
    QStringList LogLines() const {
        QFile file(logPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromUtf8(file.readAll());
        QStringList lines = text.split("\r\n");
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    QString logPath() const { return dir.filePath("jrt1.txt"); }

    QTemporaryDir dir;
    sim::InstrumentSimulator instrument;
    InstrumentLink link;
    MeasurementLog log{QDir(dir.path()).filePath("jrt1.txt").toStdString()};
    MeasurementWorker worker{link, log, QLocale::c(), kQuickWaits};

    std::mutex mutex;
    std::vector<SampleUpdate> samples;
    int pollFailures = 0;
    int portLosses = 0;
    QStringList logErrors;
};

sim::MeasurementReply Reply(std::initializer_list<std::pair<int, int>> bytes) {
    sim::MeasurementReply reply{};
    for (auto [offset, value] : bytes)
        reply[offset] = static_cast<std::uint8_t>(value);
    return reply;
}

TEST_F(WorkerTest, SilentCycleLeavesNoTraceAndSamplesAreNumberedInTheLog) {
    // Dew point -0.5 (FF CE), humidity 45.12 (11 A0), ambient 22.10 (08 A2), mirror 18.00
    // (07 08), dew level 200 (C8), frost -1 (FF FF).
    instrument.SetFixedMeasurement(Reply({{0, 0xFF},
                                          {1, 0xCE},
                                          {7, 0xC8},
                                          {10, 0x11},
                                          {11, 0xA0},
                                          {12, 0xFF},
                                          {13, 0xFF},
                                          {14, 0x08},
                                          {15, 0xA2},
                                          {16, 0x07},
                                          {17, 0x08}}));
    worker.Start();
    ASSERT_TRUE(WaitForSamples(2));
    instrument.SetSilent(1);
    ASSERT_TRUE(WaitForSamples(3));
    worker.Stop();

    EXPECT_EQ(pollFailures, 1);
    EXPECT_EQ(worker.SampleCount(), 3);
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 3);
    const QRegularExpression time("^\\d{2}:\\d{2}:\\d{2}$");
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QStringList fields = lines[i].split('\t');
        ASSERT_EQ(fields.size(), 11);
        EXPECT_EQ(fields[0], QString::number(i + 1));
        EXPECT_TRUE(time.match(fields[1]).hasMatch()) << fields[1].toStdString();
        const QStringList rest = fields.mid(2);
        EXPECT_EQ(rest, QStringList({"-50", "4512", "2210", "-0.50", "45.12", "22.10", "18.00",
                                     "200", "-1"}));
    }
    EXPECT_FALSE(LogLines().join('\n').contains("Error"));
}

TEST_F(WorkerTest, ShortReplyDecodesMissingBytesAsZero) {
    instrument.SetFixedMeasurement(Reply({{0, 0x01}, {14, 0x02}, {16, 0x03}, {30, 0x04}}));
    worker.Start();
    ASSERT_TRUE(WaitForSamples(1));
    instrument.QueueReply(sim::RequestKind::Measurement, {0x00, 0x10});
    ASSERT_TRUE(WaitForSamples(2));
    worker.Stop();
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(samples[0].sample.AmbientTemperature, 0x0200);
    EXPECT_EQ(samples[1].sample.DewPoint, 0x0010);
    EXPECT_EQ(samples[1].sample.AmbientTemperature, 0);
    EXPECT_EQ(samples[1].sample.MirrorTemperature, 0);
    EXPECT_EQ(samples[1].sample.RunSeconds, 0);
}

TEST_F(WorkerTest, LogTroubleIsReportedOnceAndMeasuringGoesOn) {
    worker.Start();
    ASSERT_TRUE(WaitForSamples(1));
    // The log cannot be opened while a directory stands in its place; once it is gone the
    // file is created anew and the following lines go into it.
    ASSERT_TRUE(QFile::remove(logPath()));
    ASSERT_TRUE(QDir(dir.path()).mkdir("jrt1.txt"));
    ASSERT_TRUE(WaitForSamples(4));
    ASSERT_TRUE(QDir(dir.path()).rmdir("jrt1.txt"));
    ASSERT_TRUE(WaitForSamples(6));
    worker.Stop();

    {
        std::lock_guard<std::mutex> lock(mutex);
        ASSERT_GE(logErrors.size(), 1);
        EXPECT_EQ(logErrors[0], "I/O error 21");
        // The directory's failures count once; the file's return may add "File not found"
        // if its sample raced the removal, never one message per sample.
        EXPECT_LE(logErrors.size(), 2);
    }
    const QStringList lines = LogLines();
    ASSERT_GE(lines.size(), 1);
    const int total = worker.SampleCount();
    EXPECT_EQ(lines.last().section('\t', 0, 0).toInt(), total);
    for (int i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].section('\t', 0, 0).toInt(),
                  lines[i - 1].section('\t', 0, 0).toInt() + 1);
    }
}

TEST_F(WorkerTest, DeletedLogComesBackWithOneMessage) {
    worker.Start();
    ASSERT_TRUE(WaitForSamples(1));
    ASSERT_TRUE(QFile::remove(logPath()));
    const std::size_t before = SampleTotal();
    ASSERT_TRUE(WaitForSamples(before + 3));
    worker.Stop();
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(logErrors, QStringList({"File not found"}));
    const QStringList lines = LogLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first().section('\t', 0, 0).toInt(), static_cast<int>(before) + 1);
    EXPECT_EQ(lines.last().section('\t', 0, 0).toInt(), worker.SampleCount());
}

TEST_F(WorkerTest, HungUpInstrumentShowsErrorsWithoutSpinning) {
    worker.Start();
    ASSERT_TRUE(WaitForSamples(1));
    ASSERT_TRUE(instrument.HangUp());
    // The loop ends by itself; the port is unusable until its owner closes it.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (worker.Running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(link.PortIsOpen());
    worker.Stop();
    std::lock_guard<std::mutex> lock(mutex);
    // A few failed polls before the loop sees the hang-up and ends; a loop spinning on the
    // dead port would make thousands.
    EXPECT_GE(pollFailures, 1);
    EXPECT_LE(pollFailures, 4);
    EXPECT_EQ(portLosses, 1);
    EXPECT_EQ(samples.size(), 1u);
}

TEST_F(WorkerTest, StopEndsPromptlyWithEveryLineOnDisk) {
    worker.Start();
    ASSERT_TRUE(WaitForSamples(2));
    worker.Stop();
    EXPECT_FALSE(worker.Running());
    EXPECT_EQ(LogLines().size(), worker.SampleCount());
    const std::size_t requests = instrument.RequestCount(sim::RequestKind::Measurement);
    std::this_thread::sleep_for(300ms);  // a few cycles
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Measurement), requests);
}

}  // namespace
