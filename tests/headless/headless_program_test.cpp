// The real programs without a display, as a service or a script runs them, against a
// simulated instrument: measuring until a signal or a duration, across an unplug; the
// answer to a scan that finds nothing; a port whose node goes while it is quiet; the logger
// dump and the settings listing. (The answers to bad options are tested with the programs'
// command line, in tests/program.)
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "common/default_logger_dump.h"
#include "common/program_run.h"
#include "sim/instrument_simulator.h"

using namespace std::chrono_literals;

namespace {

// Record 7 of the logger's worked example, and a neighbour with a negative temperature.
const sim::LoggerRecordReply kRecord7 = {0x11, 0xA0, 0xFD, 0xF5, 0x01, 0x4A,
                                         0x62, 0x18, 0x65, 0x03, 0x07};

class HeadlessProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(work_.isValid()); }

    sim::InstrumentSimulator& AddInstrument(const QString& linkName = {}) {
        sims_.push_back(std::make_unique<sim::InstrumentSimulator>());
        if (!linkName.isEmpty()) {
            sims_.back()->SetLinkPath(Work(linkName).toStdString());
        }
        std::string why;
        EXPECT_TRUE(sims_.back()->Start(&why)) << why;
        return *sims_.back();
    }

    std::unique_ptr<ProgramRun> Run(const char* program, const std::vector<std::string>& args,
                                    const std::vector<std::string>& environment = {}) {
        auto run = std::make_unique<ProgramRun>(program, args, work_.path(), environment);
        EXPECT_TRUE(run->Started());
        return run;
    }

    QString Work(const QString& name) const { return work_.filePath(name); }
    QByteArray ReadWork(const QString& name) const {
        return ProgramRun::Read(Work(name).toStdString());
    }
    // Lines of a work file, without their ends (CR LF or LF).
    QList<QByteArray> Lines(const QString& name) const {
        QList<QByteArray> lines = ReadWork(name).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) {
            lines.removeLast();
        }
        for (QByteArray& line : lines) {
            if (line.endsWith('\r')) {
                line.chop(1);
            }
        }
        return lines;
    }
    QStringList RecordFiles() const {
        return QDir(work_.path()).entryList({"hygrometer-*.csv"}, QDir::Files);
    }

    QTemporaryDir work_;
    std::vector<std::unique_ptr<sim::InstrumentSimulator>> sims_;
};

TEST_F(HeadlessProgramTest, MeasuresAcrossAnUnplugUntilSigtermWithEveryLineOnDisk) {
    sim::InstrumentSimulator& instrument = AddInstrument("instrument");
    // The operator's locale is Polish: the log takes its decimal comma, the record does not.
    auto run = Run(HYGROMETER_PATH, {"--headless", "--port", Work("instrument").toStdString()},
                   {"LC_ALL=pl_PL.UTF-8", "LANG=pl_PL.UTF-8"});
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return Lines("jrt1.txt").size() >= 2; }, 20s))
        << run->Err().toStdString();

    ASSERT_TRUE(instrument.Unplug());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run->Err().contains("Utracono"); }, 10s));
    const qsizetype before = Lines("jrt1.txt").size();
    instrument.Replug(200ms);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return Lines("jrt1.txt").size() >= before + 2; }, 20s))
        << run->Err().toStdString();

    run->Signal(SIGTERM);
    EXPECT_EQ(run->WaitExit(10s), 0) << run->Err().toStdString();

    const QString out = QString::fromUtf8(run->Out());
    EXPECT_TRUE(
        out.startsWith("Identyfikator urzadzenia  : KRT-10\n"
                       "KRT-10 wersja: 1 rewizja: 2 numer seyjny: 300\n"
                       "Pomiar trwa: " +
                       Work("instrument") + ", log jrt1.txt\n"))
        << out.toStdString();
    EXPECT_TRUE(run->Err().contains("Połączono ponownie: " + Work("instrument").toUtf8()))
        << run->Err().toStdString();
    // The unplug is said once, as the lost connection it is, not as a silent instrument.
    EXPECT_EQ(run->Err().count("Utracono połączenie z " + Work("instrument").toUtf8() +
                               "; ponawianie co 2 s"),
              1)
        << run->Err().toStdString();
    EXPECT_FALSE(run->Err().contains("nie odpowiada")) << run->Err().toStdString();

    // One log numbered on across the unplug, each line whole; the record row for row alike.
    const QByteArray log = ReadWork("jrt1.txt");
    EXPECT_TRUE(log.endsWith("\r\n"));
    const QList<QByteArray> lines = Lines("jrt1.txt");
    const QStringList files = RecordFiles();
    ASSERT_EQ(files.size(), 1) << files.join(' ').toStdString();
    const QList<QByteArray> rows = Lines(files[0]);
    ASSERT_EQ(rows.size(), lines.size() + 1) << "a header and a row for each log line";
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        const QList<QByteArray> fields = lines[i].split('\t');
        const QList<QByteArray> columns = rows[i + 1].split(',');
        ASSERT_EQ(fields.size(), 11);
        ASSERT_EQ(columns.size(), 30);
        EXPECT_EQ(fields[0].toInt(), i + 1);
        EXPECT_EQ(columns[1].toInt(), i + 1);
        EXPECT_TRUE(fields[5].contains(',')) << "the log's dew point " << fields[5].toStdString();
        QByteArray point = fields[5];
        EXPECT_EQ(columns[2], point.replace(',', '.')) << "the record's dew point";
        EXPECT_EQ(QByteArray(columns[2]).replace('.', "").toInt(), fields[2].toInt())
            << "the log's raw hundredths";
        EXPECT_EQ(columns[17], "32");
    }
}

TEST_F(HeadlessProgramTest, StopsByItselfAfterTheDurationAndQuietSaysOnlyTheStart) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    auto run = Run(HYGROMETER_EN_PATH, {"--headless", "--port", instrument.SlavePath(),
                                        "--duration", "3", "--quiet", "--no-csv"});
    EXPECT_EQ(run->WaitExit(30s), 0) << run->Err().toStdString();
    EXPECT_EQ(run->Out(),
              "Found device  : KRT-10\n"
              "KRT-10 version: 1 rev.: 2 serial number: 300\n"
              "Measuring on " +
                  QByteArray::fromStdString(instrument.SlavePath()) + ", log jrt1.txt\n");
    EXPECT_EQ(run->Err(), "");
    EXPECT_GE(Lines("jrt1.txt").size(), 1);
    EXPECT_TRUE(RecordFiles().isEmpty()) << "--no-csv";
}

TEST_F(HeadlessProgramTest, NothingFoundEndsWithThreeAndEachPortsReason) {
    sim::InstrumentSimulator& stranger = AddInstrument();
    stranger.SetIdentification("XYZ-1\r\n");
    auto run = Run(HYGROMETER_EN_PATH, {"--headless", "--port", Work("nothing-here").toStdString(),
                                        "--port", stranger.SlavePath()});
    EXPECT_EQ(run->WaitExit(20s), 3);
    EXPECT_EQ(run->Out(), "");
    EXPECT_EQ(QString::fromUtf8(run->Err()),
              "Device not found !\n" + Work("nothing-here") +
                  ": could not be opened (No such file or directory)\n" +
                  QString::fromStdString(stranger.SlavePath()) +
                  ": unknown reply \"XYZ-1\\r\\n\"\n");
    EXPECT_EQ(QDir(work_.path()).entryList(QDir::Files), QStringList()) << "no file touched";
}

TEST_F(HeadlessProgramTest, ReadSettingsPrintsEveryFieldAndMeasuresNothing) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    sim::SettingsReply settings{};
    const std::pair<int, int> bytes[] = {
        {0, 2},     {1, 5},  {2, 3},   {3, 4},     {6, 0x00},  {7, 0xE1},  {8, 9},    {9, 0xFF},
        {10, 0xCE}, {11, 8}, {18, 4},  {19, 0},    {34, 0},    {35, 48},   {40, 2},   {41, 1},
        {42, 7},    {43, 3}, {44, 11}, {45, 0x08}, {46, 0xCA}, {47, 0x00}, {48, 0x64}};
    for (auto [offset, value] : bytes) {
        settings[offset] = static_cast<std::uint8_t>(value);
    }
    instrument.SetSettings(settings);
    auto run = Run(HYGROMETER_EN_PATH,
                   {"--headless", "--read-settings", "--port", instrument.SlavePath()});
    EXPECT_EQ(run->WaitExit(20s), 0) << run->Err().toStdString();
    EXPECT_EQ(QString::fromUtf8(run->Out()),
              "Found device  : KRT-10\n"
              "KRT-10 version: 1 rev.: 2 serial number: 300\n"
              "DisplayUnit = ppmV\n"
              "TemperatureUnit = °C\n"
              "Alarm1Mode = 3 inside\n"
              "Alarm2Mode = 4 outside\n"
              "Output1Type = 4-20mA\n"
              "Output2Type = 0-20mA\n"
              "Alarm1HighExtra = 9\n"
              "Alarm1LowExtra = 8\n"
              "Output1MinExtra = 0\n"
              "Output1MaxExtra = 0\n"
              "Buzzer = AL2\n"
              "LoggerMode = Stop\n"
              "RecordInterval = 1h\n"
              "RecordIntervalAl1 = 5min\n"
              "RecordIntervalAl2 = 12h\n"
              "Alarm1High = 22.5\n"
              "Alarm1Low = -5\n"
              "Alarm2High = 0\n"
              "Alarm2Low = 0\n"
              "Output1Min = 0\n"
              "Output1Max = 0\n"
              "Output2Min = 0\n"
              "Output2Max = 0\n"
              "CleaningInterval = 48 h\n"
              "ManualTemperature = 22.5 °C\n"
              "Pressure = 1 bar\n");
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Measurement), 0u);
    EXPECT_EQ(QDir(work_.path()).entryList(QDir::Files), QStringList()) << "no log, no record";
}

TEST_F(HeadlessProgramTest, DumpLoggerWritesTheLinesButton4Writes) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    instrument.SetLoggerRecord(7, kRecord7);
    {
        QFile old(Work("logged.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(20000, 'x'));
    }
    auto run =
        Run(HYGROMETER_PATH, {"--headless", "--dump-logger", "--port", instrument.SlavePath()});
    EXPECT_EQ(run->WaitExit(120s), 0) << run->Err().toStdString();

    const QByteArray dump = ReadWork("logged.txt");
    QByteArray expected;
    for (int i = 0; i < 256; ++i) {
        // What the window's dump test expects of Button4, record by record.
        expected += i == 7 ? "7\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n" : kDefaultLoggerDump[i];
    }
    EXPECT_EQ(dump, expected);
    EXPECT_TRUE(run->Out().endsWith("Zapisano rekordów: 256 do logged.txt\n"))
        << run->Out().toStdString();
    EXPECT_EQ(run->Err(), "") << "no progress line: standard error is no terminal";
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::LoggerRecord), 256u);
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Measurement), 0u);
    EXPECT_FALSE(QFile::exists(Work("jrt1.txt")));
}

TEST_F(HeadlessProgramTest, ANodeGoneFromAQuietPortIsALossAndItsLinkLeadsToTheNewName) {
    sim::InstrumentSimulator& instrument = AddInstrument("by-id-instrument");
    const std::string firstName = instrument.SlavePath();
    auto run = Run(HYGROMETER_PATH,
                   {"--headless", "--port", Work("by-id-instrument").toStdString(), "--no-csv"});
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return Lines("jrt1.txt").size() >= 2; }, 20s))
        << run->Err().toStdString();

    // The instrument falls silent, so the port stays quiet: no hang-up tells of the loss.
    instrument.SetSilent();
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run->Err().contains("nie odpowiada"); }, 20s))
        << run->Err().toStdString();
    const qsizetype quiet = Lines("jrt1.txt").size();
    ASSERT_TRUE(QFile::remove(Work("by-id-instrument")));
    const QByteArray lost = "Utracono połączenie z " + Work("by-id-instrument").toUtf8();
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run->Err().contains(lost); }, 20s))
        << run->Err().toStdString();

    // It comes back under another name (another device took its old one), its link moved
    // there.
    instrument.ClearFaults();
    ASSERT_TRUE(instrument.Unplug());
    AddInstrument();
    instrument.Replug();
    ASSERT_TRUE(instrument.WaitUntilPlugged(20s));
    EXPECT_NE(instrument.SlavePath(), firstName);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return Lines("jrt1.txt").size() >= quiet + 2; }, 30s))
        << run->Err().toStdString();
    EXPECT_TRUE(run->Err().contains("Połączono ponownie: " + Work("by-id-instrument").toUtf8()))
        << run->Err().toStdString();
    EXPECT_EQ(run->Err().count(lost), 1) << run->Err().toStdString();

    run->Signal(SIGTERM);
    EXPECT_EQ(run->WaitExit(10s), 0) << run->Err().toStdString();
    const QList<QByteArray> lines = Lines("jrt1.txt");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].split('\t').front().toLongLong(), i + 1) << "numbered on, no gap";
    }
}

}  // namespace
