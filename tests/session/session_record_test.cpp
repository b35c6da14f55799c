// The session's dated record: every sample in one file that goes on across a reconnect,
// numbers with "." whatever the log's locale, and a failing directory said once.
#include <QDir>
#include <QRegularExpression>

#include "common/session_fixture.h"
#include "measure/log_line.h"
#include "measure/record_row.h"

using namespace std::chrono_literals;

namespace {

// A steady reading: dew point 10.00, ambient 20.00, RH 52.50, head 25.00, mirror 10.00,
// mirror dew level 118, Peltier power 116, frost level 2.
const sim::MeasurementReply kTenAndTwenty = {0x03, 0xE8, 0,    0,    0,    0x09, 0xC4, 118,  116,
                                             0,    0x14, 0x82, 0x00, 0x02, 0x07, 0xD0, 0x03, 0xE8};

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
    instrument.SetFixedMeasurement(kTenAndTwenty);
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

    const QList<QByteArray> rows = ReadFile("records/" + files[0].toStdString()).split('\n');
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(updates_.size()) + 2)
        << "the header, a row for every sample handed out, the empty end";
    EXPECT_EQ(rows[0],
              "time,sample,dew_point,ambient_temperature,relative_humidity,head_temperature,"
              "mirror_temperature,mirror_dew_level,peltier_power,frost_level,aux_value_1,"
              "aux_value_2,aux_value_3,aux_value_4,run_half_days,run_hours,run_seconds,"
              "reply_bytes,vapour_pressure_pa,frost_point,relative_humidity_calculated,"
              "relative_humidity_ice,absolute_humidity_g_m3,mixing_ratio_g_kg,ppmv,pressure_hpa,"
              "dew_point_mean,dew_point_sd,dew_point_drift_per_h,stable");
    EXPECT_EQ(rows.back(), "");
    for (std::size_t i = 0; i < updates_.size(); ++i) {
        SCOPED_TRACE(i);
        const QByteArray& row = rows[static_cast<qsizetype>(i) + 1];
        const qsizetype comma = row.indexOf(',');
        ASSERT_GT(comma, 0) << row.toStdString();
        EXPECT_EQ(QDateTime::fromString(QString::fromLatin1(row.first(comma)), Qt::ISODateWithMs),
                  updates_[i].dateTime)
            << "the time the sample was handed out with";
        // Ten degrees over a 1.00 bar instrument: saturation over water 1228.14 Pa (ITS-90),
        // times the enhancement factor 1.004676 at 1000 hPa; 52.5011 % of 2339.26 Pa at 20 °C.
        // The window's sd and drift need a second sample.
        EXPECT_EQ(row.sliced(comma + 1),
                  QByteArray::number(static_cast<qulonglong>(i) + 1) +
                      ",10.00,20.00,52.50,25.00,10.00,118,116,2,0,0,0,0,0,0,0,32,"
                      "1233.88,,52.5011,,9.12012,7.77038,12493.0,1000.00,10.0000," +
                      (i == 0 ? ",,0" : "0,0,0"))
            << "every sample handed out, in order, numbered on across the reconnect";
    }
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
