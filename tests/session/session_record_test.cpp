// The session's dated record: every sample in one file that goes on across a reconnect,
// numbers with "." whatever the log's locale, and a failing directory said once.
#include <QDir>
#include <QRegularExpression>

#include "common/session_fixture.h"
#include "measure/log_line.h"
#include "measure/record_row.h"

using namespace std::chrono_literals;

namespace {

class SessionRecordTest : public SessionTest {
  protected:
    // A session recording into `directory` (under the scratch directory), whose samples,
    // record starts and record failures are kept.
    void MakeRecordingSession(const std::string& port, const std::string& directory,
                              const QLocale& locale = QLocale::c()) {
        SessionOptions options{{port}, locale, Path("jrt1.txt"), kQuickWaits, 200ms};
        options.recordDirectory = Path(directory);
        MakeSessionWith(options);
        QObject::connect(session_.get(), &InstrumentSession::SampleReady,
                         [this](const SampleUpdate& u) { updates_.push_back(u); });
        QObject::connect(session_.get(), &InstrumentSession::RecordStarted,
                         [this](const QString& path) { started_ << path; });
        QObject::connect(session_.get(), &InstrumentSession::RecordFailed,
                         [this](const QString& message) { failures_ << message; });
        QObject::connect(session_.get(), &InstrumentSession::LogNote,
                         [this](const QString& message) { notes_ << message; });
    }

    void StopAndDrain() {
        session_->Stop();
        QCoreApplication::processEvents();  // samples signalled before the stop
    }

    QStringList RecordFiles(const std::string& directory) const {
        return QDir(QString::fromStdString(Path(directory)))
            .entryList({"hygrometer-*.csv"}, QDir::Files);
    }

    std::vector<SampleUpdate> updates_;
    QStringList started_;
    QStringList failures_;
    QStringList notes_;
};

TEST_F(SessionRecordTest, EverySampleGoesIntoOneRecordThatGoesOnAfterAReconnect) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("records"));
    sim::InstrumentSimulator& instrument = AddInstrument("by-id-instrument");
    MakeRecordingSession(Path("by-id-instrument"), "records");
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_TRUE(WaitFor([&] { return updates_.size() >= 3; }));
    ASSERT_TRUE(instrument.Unplug());
    ASSERT_TRUE(WaitFor([&] { return Saw("ConnectionLost"); }));
    const std::size_t before = updates_.size();
    instrument.Replug(100ms);
    ASSERT_TRUE(WaitFor([&] { return updates_.size() >= before + 3; }));
    StopAndDrain();

    const QStringList files = RecordFiles("records");
    ASSERT_EQ(files.size(), 1) << files.join(' ').toStdString();
    const QDateTime first = updates_.front().dateTime;
    EXPECT_EQ(files[0], "hygrometer-" + first.toString("yyyyMMdd-HHmmss") + ".csv");
    EXPECT_EQ(started_,
              QStringList{QString::fromStdString(Path("records/" + files[0].toStdString()))})
        << "said once";

    QByteArray expected = RecordHeader();
    for (const SampleUpdate& u : updates_) {
        ASSERT_TRUE(u.humidity.has_value()) << "every sample has its humidity";
        expected += RecordRow({u.dateTime, u.sampleCount, u.sample, u.replyBytes, u.humidity});
    }
    EXPECT_EQ(ReadFile("records/" + files[0].toStdString()), expected)
        << "every sample handed out, in order, numbered on across the reconnect";
    EXPECT_EQ(LoggedNumbers().size(), updates_.size()) << "a row for each log line";
    EXPECT_TRUE(failures_.isEmpty());
}

TEST_F(SessionRecordTest, TheRecordKeepsAPointWhereTheLogTakesTheLocalesComma) {
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale before;
    QLocale::setDefault(polish);  // the record must not follow the default either
    sim::InstrumentSimulator& instrument = AddInstrument();
    sim::MeasurementReply reply{};
    reply[0] = 0xFB;  // dew point -12.34
    reply[1] = 0x2E;
    instrument.SetFixedMeasurement(reply);
    MakeRecordingSession(instrument.SlavePath(), "", polish);
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_TRUE(WaitFor([&] { return updates_.size() >= 2; }));
    StopAndDrain();
    QLocale::setDefault(before);

    const QList<QByteArray> logFields = ReadFile("jrt1.txt").split('\r').front().split('\t');
    ASSERT_EQ(logFields.size(), 11);
    EXPECT_EQ(logFields[5], "-12,34") << "the log follows the operator's locale";
    const QStringList files = RecordFiles("");
    ASSERT_EQ(files.size(), 1);
    const QList<QByteArray> rows = ReadFile(files[0].toStdString()).split('\n');
    ASSERT_GE(rows.size(), 3);
    const QList<QByteArray> fields = rows[1].split(',');
    ASSERT_EQ(fields.size(), static_cast<qsizetype>(kSampleColumnCount));
    EXPECT_EQ(fields[2], "-12.34");
    EXPECT_EQ(fields[3], "0.00");
    // The humidity columns follow reply_bytes, with "." too: a dew point of -12.34 °C is a
    // frost point of about -11.0 °C; the simulator's pressure setting is 1.00 bar.
    EXPECT_EQ(fields[17], "32");
    bool number = false;
    EXPECT_NEAR(fields[19].toDouble(&number), -11.0, 0.05) << fields[19].toStdString();
    EXPECT_TRUE(number) << fields[19].toStdString();
    EXPECT_EQ(fields[25], "1000.00");
}

TEST_F(SessionRecordTest, AFailingDirectoryIsSaidOnceAndMeasuringGoesOn) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    MakeRecordingSession(instrument.SlavePath(), "missing");
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_TRUE(WaitFor([&] { return updates_.size() >= 4; }));
    ASSERT_EQ(failures_.size(), 1) << failures_.join('\n').toStdString();
    EXPECT_EQ(failures_[0],
              QString::fromStdString(Path("missing")) +
                  ": Nie znaleziono pliku; wierszy czekających w pamięci: 1, pomiar trwa dalej");
    EXPECT_TRUE(started_.isEmpty());

    // The directory comes: the next sample starts the record, the rows held first.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("missing"));
    ASSERT_TRUE(WaitFor([&] { return started_.size() == 1; }));
    ASSERT_TRUE(WaitFor([&] { return notes_.size() == 1; }));
    EXPECT_TRUE(notes_[0].startsWith(started_[0] + " znów zapisywany: "))
        << notes_[0].toStdString();
    QFile record(started_[0]);

    // The file is taken away: started again with its header, and said so, not as a failure.
    ASSERT_TRUE(WaitFor([&] { return record.size() > RecordHeader().size(); }));
    ASSERT_TRUE(record.remove());
    ASSERT_TRUE(WaitFor([&] { return notes_.size() == 2; }));
    const std::size_t afterRemoval = updates_.size();
    ASSERT_TRUE(WaitFor([&] { return updates_.size() >= afterRemoval + 3; }));
    StopAndDrain();

    EXPECT_EQ(failures_.size(), 1) << "once for the failing spell";
    EXPECT_TRUE(
        notes_[1].startsWith(started_[0] + " został usunięty; zaczęto go od nowa od próbki "))
        << notes_[1].toStdString();
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = record.readAll().split('\n');
    EXPECT_EQ(rows.front() + '\n', RecordHeader());
    EXPECT_GE(rows.size(), 4);  // the header, three rows or more, the empty end
    // From the sample it was started again at, every row to the last.
    const int restartedAt = notes_[1].section(' ', -1).toInt();
    EXPECT_EQ(rows[1].split(',').value(1).toInt(), restartedAt);
    EXPECT_EQ(rows[rows.size() - 2].split(',').value(1).toInt(), static_cast<int>(updates_.size()));
    EXPECT_EQ(LoggedNumbers().size(), updates_.size()) << "the log missed nothing meanwhile";
}

}  // namespace
