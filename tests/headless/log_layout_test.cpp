// The window and the headless program write the measurement log alike: on the same samples
// their lines differ in the time of day alone.
#include <QRegularExpression>

#include "common/e2e_fixture.h"
#include "common/program_run.h"

using namespace std::chrono_literals;

namespace {

using LogLayoutTest = E2eTest;

// A negative dew point, a mirror dew level past 127, a frost level: every field in its form.
sim::MeasurementReply Reply() {
    sim::MeasurementReply r{};
    const std::pair<int, int> bytes[] = {{0, 0xFB},  {1, 0x2E},  {7, 0xC8},  {10, 0x11},
                                         {11, 0xA0}, {12, 0x00}, {13, 0x05}, {14, 0x08},
                                         {15, 0xA2}, {16, 0xFF}, {17, 0xCE}};
    for (auto [offset, value] : bytes) {
        r[offset] = static_cast<std::uint8_t>(value);
    }
    return r;
}

QByteArray ReadFileBytes(const QString& path) {
    return ProgramRun::Read(path.toStdString());
}

// The first `count` lines of a log with their line ends, the time of day taken out.
QList<QByteArray> WithoutTimes(const QByteArray& log, int count) {
    static const QRegularExpression time("^\\d\\d:\\d\\d:\\d\\d$");
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (lines.size() < count) {
        const qsizetype end = log.indexOf("\r\n", start);
        if (end < 0) {
            break;
        }
        QList<QByteArray> fields = log.mid(start, end + 2 - start).split('\t');
        EXPECT_TRUE(fields.size() > 1 && time.match(QString::fromLatin1(fields[1])).hasMatch());
        fields.removeAt(1);
        lines << fields.join('\t');
        start = end + 2;
    }
    return lines;
}

TEST_F(LogLayoutTest, WindowAndHeadlessWriteTheSameLinesButForTheTime) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    instrument.SetFixedMeasurement(Reply());

    MakeWindow({instrument.SlavePath()});
    ClickConnect();
    ASSERT_TRUE(WaitFor([&] { return controller_->session().SampleCount() >= 3; }, 20000));
    controller_->Shutdown();  // the port is the headless program's now
    const QList<QByteArray> window = WithoutTimes(ReadFileBytes(WorkFile("jrt1.txt")), 3);

    QTemporaryDir headlessDir;
    ASSERT_TRUE(headlessDir.isValid());
    ProgramRun run(HYGROMETER_PATH, {"--headless", "--quiet", "--port", instrument.SlavePath()},
                   headlessDir.path());
    const QString headlessLog = headlessDir.filePath("jrt1.txt");
    ASSERT_TRUE(
        ProgramRun::WaitUntil([&] { return ReadFileBytes(headlessLog).count("\r\n") >= 3; }, 20s))
        << run.Err().toStdString();
    run.Signal(SIGTERM);
    EXPECT_EQ(run.WaitExit(10s), 0);
    const QList<QByteArray> headless = WithoutTimes(ReadFileBytes(headlessLog), 3);

    ASSERT_EQ(window.size(), 3);
    EXPECT_EQ(window[0], "1\t-1234\t4512\t2210\t-12.34\t45.12\t22.10\t-0.50\t200\t5\r\n");
    EXPECT_EQ(headless, window);
}

}  // namespace
