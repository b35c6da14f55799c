// The log and the dated record of a headless run when their files are taken away, renamed
// or cannot be written: started again and said so, lines held and written late, and the
// exit status telling whether a line was lost for good.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "common/local_http.h"
#include "common/program_run.h"
#include "sim/instrument_simulator.h"

using namespace std::chrono_literals;

namespace {

class LogFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(work_.isValid());
        std::string why;
        ASSERT_TRUE(instrument_.Start(&why)) << why;
    }

    std::unique_ptr<ProgramRun> Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--headless", "--quiet", "--port", instrument_.SlavePath()});
        auto run = std::make_unique<ProgramRun>(HYGROMETER_PATH, args, work_.path());
        EXPECT_TRUE(run->Started());
        return run;
    }

    QString Work(const QString& name) const { return work_.filePath(name); }
    // The sample numbers of a log's lines, or of a record's rows (past its header).
    QList<int> Numbers(const QString& name, bool record = false) const {
        QList<QByteArray> lines = ProgramRun::Read(Work(name).toStdString()).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) {
            lines.removeLast();
        }
        QList<int> numbers;
        for (qsizetype i = record ? 1 : 0; i < lines.size(); ++i) {
            numbers
                << (record ? lines[i].split(',').value(1) : lines[i].split('\t').value(0)).toInt();
        }
        return numbers;
    }
    QStringList RecordFiles() const {
        return QDir(work_.path()).entryList({"hygrometer-*.csv"}, QDir::Files);
    }
    static QList<int> Range(int first, int last) {
        QList<int> numbers;
        for (int n = first; n <= last; ++n) {
            numbers << n;
        }
        return numbers;
    }
    // The sample a "started again" message names for `file`, 0 before there is one.
    static int StartedAgainAt(const QString& err, const QString& file) {
        const QRegularExpression said(QRegularExpression::escape(file) +
                                      " został usunięty; zaczęto go od nowa od próbki (\\d+)\n");
        const QRegularExpressionMatch match = said.match(err);
        return match.hasMatch() ? match.captured(1).toInt() : 0;
    }

    // A value of the metrics a run serves, the port taken from its standard output; -1 when
    // it cannot be read.
    static double Metric(const ProgramRun& run, const QString& name) {
        const QRegularExpressionMatch served = QRegularExpression("http://127\\.0\\.0\\.1:(\\d+)/")
                                                   .match(QString::fromUtf8(run.Out()));
        if (!served.hasMatch()) {
            return -1;
        }
        const std::optional<HttpAnswer> scrape =
            HttpGet(static_cast<std::uint16_t>(served.captured(1).toUInt()), "/metrics");
        if (!scrape || scrape->status != 200) {
            return -1;
        }
        const QRegularExpressionMatch value =
            QRegularExpression("^" + name + "(\\{[^}]*\\})? (\\S+)$",
                               QRegularExpression::MultilineOption)
                .match(QString::fromUtf8(scrape->body));
        return value.hasMatch() ? value.captured(2).toDouble() : -1;
    }

    QTemporaryDir work_;
    sim::InstrumentSimulator instrument_;
};

TEST_F(LogFilesTest, RenamedLogAndDeletedRecordStartAgainAndNothingIsLost) {
    auto run = Run({});
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return Numbers("jrt1.txt").size() >= 2; }, 20s))
        << run->Err().toStdString();
    ASSERT_TRUE(QFile::rename(Work("jrt1.txt"), Work("moved.txt")));
    int logAgain = 0;
    ASSERT_TRUE(ProgramRun::WaitUntil(
        [&] { return (logAgain = StartedAgainAt(run->Err(), "jrt1.txt")) > 0; }, 20s))
        << run->Err().toStdString();

    const QStringList records = RecordFiles();
    ASSERT_EQ(records.size(), 1);
    ASSERT_TRUE(QFile::remove(Work(records[0])));
    int recordAgain = 0;
    ASSERT_TRUE(ProgramRun::WaitUntil(
        [&] { return (recordAgain = StartedAgainAt(run->Err(), records[0])) > 0; }, 20s))
        << run->Err().toStdString();
    ASSERT_TRUE(ProgramRun::WaitUntil(
        [&] { return Numbers("jrt1.txt").size() >= recordAgain - logAgain + 2; }, 20s));

    run->Signal(SIGTERM);
    EXPECT_EQ(run->WaitExit(10s), 0) << run->Err().toStdString();
    // Said once each, and nothing else: no failure, since nothing was lost.
    const QString err = QString::fromUtf8(run->Err());
    EXPECT_EQ(err, QString("jrt1.txt został usunięty; zaczęto go od nowa od próbki %1\n"
                           "%2 został usunięty; zaczęto go od nowa od próbki %3\n")
                       .arg(logAgain)
                       .arg(records[0])
                       .arg(recordAgain));

    // The log's lines, the renamed file's and the new one's, number on without a gap.
    const QList<int> moved = Numbers("moved.txt");
    const QList<int> log = Numbers("jrt1.txt");
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(moved, Range(1, logAgain - 1));
    EXPECT_EQ(log, Range(logAgain, log.last()));
    // The record started again with its header, from the sample it named, to the last.
    EXPECT_EQ(RecordFiles(), records) << "under its name";
    EXPECT_TRUE(ProgramRun::Read(Work(records[0]).toStdString()).startsWith("time,"));
    EXPECT_EQ(Numbers(records[0], true), Range(recordAgain, log.last()));
}

TEST_F(LogFilesTest, AFullDiskEndsWithOneAndTheLinesLost) {
    if (!QFile::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    ASSERT_TRUE(QFile::link("/dev/full", Work("jrt1.txt")));
    auto run = Run({"--no-csv"});
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run->Err().contains("jrt1.txt: "); }, 20s))
        << run->Err().toStdString();
    run->Signal(SIGTERM);
    EXPECT_EQ(run->WaitExit(10s), 1) << run->Err().toStdString();
    const QString err = QString::fromUtf8(run->Err());
    const QRegularExpression said(
        "^jrt1.txt: Dysk pełny; wierszy czekających w pamięci: 1, pomiar trwa dalej\n"
        "jrt1.txt: utracono wierszy: (\\d+)\n$");
    const QRegularExpressionMatch match = said.match(err);
    ASSERT_TRUE(match.hasMatch()) << err.toStdString();
    EXPECT_GE(match.captured(1).toInt(), 1);
}

TEST_F(LogFilesTest, AFullDiskThatRecoversWritesEveryLineLateAndEndsWithZero) {
    if (!QFile::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    ASSERT_TRUE(QFile::link("/dev/full", Work("jrt1.txt")));
    auto run = Run({"--no-csv"});
    const QByteArray began = "jrt1.txt: Dysk pełny; wierszy czekających w pamięci: 1, ";
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run->Err().contains(began); }, 20s))
        << run->Err().toStdString();
    // Space again: the file is made anew and takes every line held, then the next.
    ASSERT_TRUE(QFile::remove(Work("jrt1.txt")));
    ASSERT_TRUE(
        ProgramRun::WaitUntil([&] { return run->Err().contains("jrt1.txt znów zapisywany"); }, 20s))
        << run->Err().toStdString();
    run->Signal(SIGTERM);
    EXPECT_EQ(run->WaitExit(10s), 0) << run->Err().toStdString();

    const QList<int> log = Numbers("jrt1.txt");
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log, Range(1, log.last())) << "every sample from the first";
    const QString err = QString::fromUtf8(run->Err());
    const QRegularExpression said(
        "^jrt1.txt: Dysk pełny; wierszy czekających w pamięci: 1, pomiar trwa dalej\n"
        "jrt1.txt został usunięty; zaczęto go od nowa od próbki 1\n"
        "jrt1.txt znów zapisywany: wierszy dopisanych z opóźnieniem: (\\d+), utraconych: 0\n$");
    const QRegularExpressionMatch match = said.match(err);
    ASSERT_TRUE(match.hasMatch()) << err.toStdString();
    EXPECT_GE(match.captured(1).toInt(), 1);
}

}  // namespace
