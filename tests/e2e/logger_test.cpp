// The Logger tab against the simulated instrument: one record into the edits, the dump of
// all 256 into "logged.txt" while the worker polls, and each way a dump stops early.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <numeric>
#include <thread>

#include "common/default_logger_dump.h"
#include "common/e2e_fixture.h"
#include "logger/logger_record.h"

using namespace std::chrono_literals;

namespace {

// Record 7 of the worked example: 4512, -523, status 1, 9:19:4 on 5/3/2012, object 3.
const sim::LoggerRecordReply kRecord7 = {0x11, 0xA0, 0xFD, 0xF5, 0x01, 0x4A,
                                         0x62, 0x18, 0x65, 0x03, 0x07};

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines of a file, each with its CR LF; a last line without one is kept as it is.
QList<QByteArray> Lines(const QByteArray& content) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype end = content.indexOf("\r\n", start);
        const qsizetype next = end < 0 ? content.size() : end + 2;
        lines.append(content.mid(start, next - start));
        start = next;
    }
    return lines;
}

// The line the dump must write for record `i` of the simulator's factory records.
QByteArray ExpectedLine(int i) {
    return kDefaultLoggerDump[i];
}

std::vector<std::uint8_t> RequestBytes(std::uint8_t number) {
    const auto bytes = LoggerRequestBytes(number);
    return {bytes.begin(), bytes.end()};
}

std::vector<sim::ReceivedRequest> LoggerRequests(const sim::InstrumentSimulator& instrument) {
    std::vector<sim::ReceivedRequest> out;
    for (const sim::ReceivedRequest& r : instrument.Requests()) {
        if (r.kind == sim::RequestKind::LoggerRecord) {
            out.push_back(r);
        }
    }
    return out;
}

class LoggerTest : public E2eTest {
  protected:
    // A window connected to a fresh instrument, the connect's boxes cleared away.
    sim::InstrumentSimulator& Connected() {
        sim::InstrumentSimulator& instrument = AddInstrument();
        MakeWindow({instrument.SlavePath()});
        ClickConnect();
        EXPECT_FALSE(form_->HygrometerTab->ConnectButton->isEnabled()) << "not connected";
        modals_.clear();
        return instrument;
    }

    void ClickButton3(const QString& text) {
        form_->LoggerTab->ChosenRecordEdit->setText(text);
        ClickAndWait(form_->LoggerTab->ReadRecordButton);
    }
    void ClickButton4() { ClickAndWait(form_->LoggerTab->DumpButton); }

    std::vector<QString> LoggerEdits() const {
        return {
            form_->LoggerTab->HumidityEdit->text(),    form_->LoggerTab->TemperatureEdit->text(),
            form_->LoggerTab->StatusEdit->text(),      form_->LoggerTab->DateEdit->text(),
            form_->LoggerTab->TimeEdit->text(),        form_->LoggerTab->ObjectIdEdit->text(),
            form_->LoggerTab->RecordNumberEdit->text()};
    }
};

struct Button3Case {
    const char* text;
    std::uint8_t number;
    // HumidityEdit .. RecordNumberEdit
    std::vector<QString> edits;
};

TEST_F(LoggerTest, Button3ShowsTheRecordAskedFor) {
    sim::InstrumentSimulator& instrument = Connected();
    instrument.SetLoggerRecord(7, kRecord7);
    instrument.SetLoggerRecord(0, {0xFF, 0x9C, 0x80, 0x00, 0xFF, 0x00, 0x00, 0x0E, 0x65, 0, 0});
    instrument.SetLoggerRecord(255, {0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    const Button3Case cases[] = {
        {"7", 7, {"4512", "-523", "1", "5/3/2012", "9:19:4", "3", "7"}},
        {"256", 0, {"-100", "-32768", "255", "5/3/207", "0:0:0", "0", "0"}},
        {"-1", 255, {"0", "0", "0", "31/15/20127", "31:63:62", "255", "255"}},
    };
    for (const Button3Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::size_t before = instrument.RequestCount(sim::RequestKind::LoggerRecord);
        ClickButton3(c.text);
        EXPECT_TRUE(modals_.boxes().isEmpty());
        EXPECT_EQ(LoggerEdits(), c.edits);
        const auto requests = LoggerRequests(instrument);
        ASSERT_EQ(requests.size(), before + 1);
        EXPECT_EQ(requests.back().bytes, RequestBytes(c.number));
    }
}

TEST_F(LoggerTest, Button3RefusesTextThatIsNotAnInteger) {
    sim::InstrumentSimulator& instrument = Connected();
    form_->LoggerTab->HumidityEdit->setText("earlier");
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "'abc' is not a valid integer value."},
        {"", "'' is not a valid integer value."},
    };
    for (auto [text, message] : cases) {
        SCOPED_TRACE(text);
        modals_.clear();
        ClickButton3(text);
        ASSERT_EQ(modals_.boxes().size(), 1);
        EXPECT_EQ(modals_.boxes()[0].objectName, "ErrorBox");
        EXPECT_EQ(modals_.boxes()[0].text, message);
        EXPECT_EQ(modals_.boxes()[0].format, Qt::PlainText);
        EXPECT_EQ(form_->LoggerTab->HumidityEdit->text(), "earlier");
    }
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::LoggerRecord), 0u);
}

struct RefusalCase {
    const char* name;
    bool dump;  // DumpButton, else ReadRecordButton with a valid number
    bool englishUi;
    const char* message;
};

TEST_F(LoggerTest, BothButtonsAreRefusedBeforeConnect) {
    const RefusalCase cases[] = {
        {"Button3", false, false, "Brak połączenia z urządzeniem: najpierw naciśnij „Połącz”."},
        {"Button4", true, false, "Brak połączenia z urządzeniem: najpierw naciśnij „Połącz”."},
        {"Button4 in English", true, true, "No instrument connected: press \"Connect\" first."},
    };
    sim::InstrumentSimulator& instrument = AddInstrument();
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        MakeWindow({instrument.SlavePath()}, c.englishUi);
        modals_.clear();
        if (c.dump) {
            ClickButton4();
        } else {
            ClickButton3("7");
        }
        ASSERT_EQ(modals_.boxes().size(), 1);
        EXPECT_EQ(modals_.boxes()[0].text, QString::fromUtf8(c.message));
        EXPECT_TRUE(form_->LoggerTab->DumpProgressBar->isHidden());
        EXPECT_FALSE(QFile::exists(WorkFile("logged.txt")));
        EXPECT_EQ(LoggerEdits(), std::vector<QString>(7));
        controller_.reset();
    }
    EXPECT_TRUE(instrument.Requests().empty());
}

// Measurement reply bytes no logger record shares: dew point -12.34, RH 45.12, ambient 22.10,
// mirror 20.00.
sim::MeasurementReply FixedMeasurement() {
    sim::MeasurementReply r{};
    const std::pair<int, int> bytes[] = {{0, 0xFB},  {1, 0x2E},  {10, 0x11}, {11, 0xA0},
                                         {14, 0x08}, {15, 0xA2}, {16, 0x07}, {17, 0xD0}};
    for (auto [offset, value] : bytes) {
        r[offset] = static_cast<std::uint8_t>(value);
    }
    return r;
}

// What the controls said while the dump ran.
struct DuringDump {
    bool sampled = false;
    bool button3 = true, button4 = true, edit31 = true, tabBar = true;
    bool barEnabled = false, barVisible = false;
};

TEST_F(LoggerTest, FullDumpWhileTheWorkerPollsReplacesTheFileWithAllRecords) {
    {
        QFile old(WorkFile("logged.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(20000, 'x'));
    }
    sim::InstrumentSimulator& instrument = AddInstrument();
    instrument.SetFixedMeasurement(FixedMeasurement());
    instrument.SetLoggerRecord(7, kRecord7);
    MakeWindow({instrument.SlavePath()});
    ClickConnect();
    ASSERT_FALSE(form_->HygrometerTab->ConnectButton->isEnabled());
    modals_.clear();

    std::vector<int> positions;
    DuringDump during;
    QObject::connect(form_->LoggerTab->DumpProgressBar, &QProgressBar::valueChanged,
                     [&](int value) {
                         positions.push_back(value);
                         if (value == 100) {
                             during = {true,
                                       form_->LoggerTab->ReadRecordButton->isEnabled(),
                                       form_->LoggerTab->DumpButton->isEnabled(),
                                       form_->LoggerTab->ChosenRecordEdit->isEnabled(),
                                       form_->Tabs->tabBar()->isEnabled(),
                                       form_->LoggerTab->DumpProgressBar->isEnabled(),
                                       form_->LoggerTab->DumpProgressBar->isVisible()};
                         }
                     });
    form_->Tabs->setCurrentWidget(form_->LoggerTab);
    form_->show();
    ClickButton4();

    // The end is said, with the number of records written.
    ASSERT_EQ(modals_.boxes().size(), 1);
    EXPECT_EQ(modals_.boxes()[0].text, "Zapisano 256 rekordów w pliku logged.txt.");
    EXPECT_TRUE(form_->LoggerTab->DumpProgressBar->isHidden());
    EXPECT_EQ(form_->LoggerTab->DumpProgressBar->maximum(), 255);
    std::vector<int> expectedPositions(256);
    std::iota(expectedPositions.begin(), expectedPositions.end(), 0);
    EXPECT_EQ(positions, expectedPositions);

    // Only what would ask for a record waited; the tabs stayed in use, and all came back.
    EXPECT_TRUE(during.sampled);
    EXPECT_FALSE(during.button3);
    EXPECT_FALSE(during.button4);
    EXPECT_FALSE(during.edit31);
    EXPECT_TRUE(during.tabBar);
    EXPECT_TRUE(during.barEnabled);
    EXPECT_TRUE(during.barVisible);
    EXPECT_TRUE(form_->LoggerTab->ReadRecordButton->isEnabled());
    EXPECT_TRUE(form_->LoggerTab->DumpButton->isEnabled());
    EXPECT_TRUE(form_->Tabs->tabBar()->isEnabled());

    const QList<QByteArray> lines = Lines(ReadFile(WorkFile("logged.txt")));
    ASSERT_EQ(lines.size(), 256);
    EXPECT_EQ(lines[7], "7\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n");
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        if (i != 7) {
            EXPECT_EQ(lines[i], ExpectedLine(i));
        }
    }

    // One request per record, in order, and polls went on between them.
    const std::vector<sim::ReceivedRequest> all = instrument.Requests();
    std::vector<sim::Bytes> loggerBytes;
    std::size_t polls = 0;
    for (const sim::ReceivedRequest& r : all) {
        if (r.kind == sim::RequestKind::LoggerRecord) {
            loggerBytes.push_back(r.bytes);
        } else if (r.kind == sim::RequestKind::Measurement && !loggerBytes.empty() &&
                   loggerBytes.size() < 256) {
            ++polls;
        }
    }
    ASSERT_EQ(loggerBytes.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(loggerBytes[i], RequestBytes(static_cast<std::uint8_t>(i)));
    }
    EXPECT_GT(polls, 0u);

    // Every poll decoded its own reply, never a record's.
    const QByteArray expectedTail = "-1234\t4512\t2210\t-12.34\t45.12\t22.10\t20.00\t0\t0\r\n";
    const QList<QByteArray> log = Lines(ReadFile(WorkFile("jrt1.txt")));
    EXPECT_GE(log.size(), static_cast<qsizetype>(polls));
    for (const QByteArray& line : log) {
        EXPECT_EQ(line.split('\t').mid(2).join('\t'), expectedTail) << line.toStdString();
    }
    EXPECT_EQ(form_->HygrometerTab->DewPointReadout->text(), "-12.34");
}

struct FileErrorCase {
    const char* name;
    bool directory;  // "logged.txt" is a directory, else a link to a full disk
    const char* message;
    std::size_t requests;
    bool barVisible;
};

TEST_F(LoggerTest, FileErrorsStopTheDumpWithTheErrorBox) {
    // Both hold as root, where a read-only directory would not stop the writes.
    const FileErrorCase cases[] = {
        {"logged.txt is a directory", true, "Błąd wejścia/wyjścia 21.", 0, false},
        {"the disk is full", false, "Dysk pełny.", 1, true},
    };
    sim::InstrumentSimulator& instrument = Connected();
    for (const FileErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        QDir work(workDir_.path());
        work.rmdir("logged.txt");
        work.remove("logged.txt");
        if (c.directory) {
            ASSERT_TRUE(work.mkdir("logged.txt"));
        } else {
            if (!QFile::exists("/dev/full")) {
                // The last case: the ones before it have run.
                GTEST_SKIP() << "no /dev/full here: the full disk was not tried";
            }
            ASSERT_TRUE(QFile::link("/dev/full", WorkFile("logged.txt")));
        }
        instrument.ClearRequests();
        modals_.clear();
        ClickButton4();
        ASSERT_EQ(modals_.boxes().size(), 1);
        EXPECT_EQ(modals_.boxes()[0].objectName, "ErrorBox");
        EXPECT_EQ(modals_.boxes()[0].text, c.message);
        EXPECT_EQ(instrument.RequestCount(sim::RequestKind::LoggerRecord), c.requests);
        EXPECT_EQ(!form_->LoggerTab->DumpProgressBar->isHidden(), c.barVisible);
        EXPECT_TRUE(form_->LoggerTab->DumpButton->isEnabled());
    }
}

TEST_F(LoggerTest, HangUpMidDumpStopsAtTheRecordReachedAndKeepsTheLinesBefore) {
    sim::InstrumentSimulator& instrument = Connected();
    constexpr int kAfter = 5;
    std::thread unplug([&] {
        if (instrument.WaitForRequests(sim::RequestKind::LoggerRecord, kAfter, 20s)) {
            instrument.HangUp();
        }
    });
    ClickButton4();
    unplug.join();

    const QList<QByteArray> lines = Lines(ReadFile(WorkFile("logged.txt")));
    const int reached = static_cast<int>(lines.size());
    // The record being fetched when the line went dead gets no line.
    EXPECT_GE(reached, kAfter - 1);
    EXPECT_LT(reached,
              static_cast<int>(instrument.RequestCount(sim::RequestKind::LoggerRecord)) + 1);
    for (int i = 0; i < reached; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i], ExpectedLine(i));
    }
    ASSERT_EQ(modals_.boxes().size(), 1);
    EXPECT_EQ(modals_.boxes()[0].text,
              QString("Połączenie z urządzeniem zostało przerwane przy rekordzie %1. "
                      "Plik logged.txt zawiera rekordy od 0 do %2.")
                  .arg(reached)
                  .arg(reached - 1));
    EXPECT_TRUE(form_->LoggerTab->DumpProgressBar->isHidden());
    EXPECT_TRUE(form_->LoggerTab->DumpButton->isEnabled());
}

TEST_F(LoggerTest, ClosingTheWindowDuringADumpEndsItWithinOneRecord) {
    sim::InstrumentSimulator& instrument = Connected();
    form_->show();
    QObject::connect(form_->LoggerTab->DumpProgressBar, &QProgressBar::valueChanged,
                     [&](int value) {
                         if (value == 3) {
                             form_->close();
                         }
                     });
    ClickButton4();

    EXPECT_TRUE(modals_.boxes().isEmpty());
    EXPECT_FALSE(controller_->session().Polling());
    const QList<QByteArray> lines = Lines(ReadFile(WorkFile("logged.txt")));
    const std::size_t requested = instrument.RequestCount(sim::RequestKind::LoggerRecord);
    EXPECT_LT(lines.size(), 256);
    // At most the record in progress was asked for without getting its line.
    EXPECT_GE(requested, static_cast<std::size_t>(lines.size()));
    EXPECT_LE(requested, static_cast<std::size_t>(lines.size()) + 1);
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], ExpectedLine(i));
    }
}

}  // namespace
