// The instrument session against simulated instruments: connecting, keeping the old log,
// coming back after an unplug, the jobs an unplug interrupts, and stopping during each job.
#include <QThread>
#include <numeric>
#include <thread>

#include "common/session_fixture.h"
#include "logger/logger_record.h"

using namespace std::chrono_literals;

namespace {

std::vector<int> OneTo(int n) {
    std::vector<int> numbers(static_cast<std::size_t>(n));
    std::iota(numbers.begin(), numbers.end(), 1);
    return numbers;
}

TEST_F(SessionTest, FirstConnectKeepsTheOldLogAndStartsANewOne) {
    const QByteArray old("1\t09:00:00\t-50\r\n2\t09:00:01\t-51\r\n");
    {
        QFile file(QString::fromStdString(Path("jrt1.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    sim::InstrumentSimulator& instrument = AddInstrument();
    MakeSession({instrument.SlavePath()});
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_TRUE(WaitFor([&] { return samples_.size() >= 2; }));
    session_->Stop();

    EXPECT_EQ(events_, (std::vector<std::string>{"Identified", "Connected"}));
    ASSERT_EQ(keptLogs_.size(), 1u);
    QFile kept(QString::fromStdString(keptLogs_[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), old) << "byte for byte";
    EXPECT_EQ(LoggedNumbers(), OneTo(static_cast<int>(samples_.size())));
}

TEST_F(SessionTest, ALogThatCannotBeKeptIsNotEmptied) {
    // The dated name of a log whose name is near the system's limit is too long to exist.
    const std::string longName = std::string(240, 'j') + ".txt";
    {
        QFile file(QString::fromStdString(Path(longName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1\r\n");
    }
    sim::InstrumentSimulator& instrument = AddInstrument();
    MakeSession({instrument.SlavePath()}, kQuickWaits, longName);
    ASSERT_EQ(session_->Connect(), SessionRequest::Started);
    ASSERT_TRUE(WaitFor([&] { return events_.size() >= 2; }));

    EXPECT_EQ(events_,
              (std::vector<std::string>{"Identified", "ConnectFailed: Nieprawidłowa nazwa pliku"}));
    EXPECT_EQ(ReadFile(longName), "1\r\n");
    EXPECT_FALSE(session_->PortOpen());
    EXPECT_EQ(session_->State(), SessionState::NotConnected);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Measurement), 0u) << "nothing measured";
}

TEST_F(SessionTest, AnUnpluggedInstrumentIsFoundAgainAndTheLogGoesOn) {
    sim::InstrumentSimulator& instrument = AddInstrument("by-id-instrument");
    MakeSession({Path("by-id-instrument")});
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_TRUE(WaitFor([&] { return samples_.size() >= 3; }));

    ASSERT_TRUE(instrument.Unplug());
    ASSERT_TRUE(WaitFor([&] { return Saw("ConnectionLost"); }));
    EXPECT_EQ(session_->State(), SessionState::Lost);
    EXPECT_FALSE(session_->PortOpen()) << "closed at once, so the name can come back";
    const std::size_t before = samples_.size();

    instrument.Replug(300ms);
    ASSERT_TRUE(WaitFor([&] { return CountOf("Connected") == 2; }));
    ASSERT_TRUE(WaitFor([&] { return samples_.size() >= before + 3; }));
    session_->Stop();

    EXPECT_EQ(samples_, OneTo(static_cast<int>(samples_.size())));
    EXPECT_EQ(LoggedNumbers(), samples_) << "one log, numbered on without a gap or repeat";
    EXPECT_TRUE(keptLogs_.empty()) << "the reconnect appends; it keeps nothing away";
}

TEST_F(SessionTest, ConnectRetriesAtOnceWhileTheConnectionIsLost) {
    sim::InstrumentSimulator& instrument = AddInstrument("by-id-instrument");
    MakeSession({Path("by-id-instrument")}, kQuickWaits, "jrt1.txt", std::chrono::minutes(1));
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_TRUE(instrument.Unplug());
    ASSERT_TRUE(WaitFor([&] { return Saw("ConnectionLost"); }));
    instrument.Replug();
    ASSERT_TRUE(instrument.WaitUntilPlugged(2000ms));
    EXPECT_EQ(session_->Connect(), SessionRequest::Started);
    EXPECT_TRUE(WaitFor([&] { return CountOf("Connected") == 2; }, 1000));
}

// Each job the instrument can be pulled out of ends with its answer, and the session comes
// back once the instrument does.
TEST_F(SessionTest, AnUnplugEndsTheJobItInterruptsAndTheSessionRecovers) {
    struct Case {
        const char* job;
        std::function<void(InstrumentSession&, sim::InstrumentSimulator&)> start;
        sim::RequestKind unplugAfter;
        std::function<bool(SessionTest&)> ended;
    };
    const Case cases[] = {
        {"dump",
         [this](InstrumentSession& s, sim::InstrumentSimulator&) {
             s.DumpLogger(std::make_unique<LoggerDumpFile>(Path("logged.txt")));
         },
         sim::RequestKind::LoggerRecord,
         [](SessionTest& t) {
             return t.dumpEnds_.size() == 1 &&
                    t.dumpEnds_[0].end == LoggerDumpResult::End::PortGone;
         }},
        {"settings write",
         [](InstrumentSession& s, sim::InstrumentSimulator& i) {
             i.SetSettingsFrameAnswer(std::nullopt);
             s.ArmSettingsWrite(InstrumentSettings{});
         },
         sim::RequestKind::SettingsFrame, [](SessionTest& t) { return t.Saw("WriteUnconfirmed"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.job);
        sim::InstrumentSimulator& instrument = AddInstrument("instrument-" + std::string(c.job));
        events_.clear();
        dumpEnds_.clear();
        ProtocolWaits waits = kQuickWaits;
        waits.settingsAck = 300ms;  // room for the unplug inside the wait
        MakeSession({Path("instrument-" + std::string(c.job))}, waits);
        ASSERT_TRUE(ConnectAndWait());
        std::thread unplug([&] {
            if (instrument.WaitForRequests(c.unplugAfter, 1, 5000ms)) {
                instrument.Unplug();
            }
        });
        c.start(*session_, instrument);
        const bool ended = WaitFor([&] { return c.ended(*this); });
        unplug.join();
        ASSERT_TRUE(ended);
        ASSERT_TRUE(WaitFor([&] { return Saw("ConnectionLost"); }));
        instrument.Replug(100ms);
        EXPECT_TRUE(WaitFor([&] { return CountOf("Connected") == 2 && session_->Polling(); }));
        session_->Stop();
    }
}

TEST_F(SessionTest, AnUnplugDuringTheFirstScanEndsItWithNotFoundAndConnectWorksLater) {
    sim::InstrumentSimulator& silent = AddInstrument();
    silent.SetSilent();
    sim::InstrumentSimulator& instrument = AddInstrument("instrument");
    MakeSession({silent.SlavePath(), Path("instrument")});
    std::thread unplug([&] {
        if (silent.WaitForRequests(sim::RequestKind::Identification, 1, 5000ms)) {
            instrument.Unplug();
        }
    });
    ASSERT_EQ(session_->Connect(), SessionRequest::Started);
    // The scan's answers come before its end: Connect is refused until the job has ended.
    const bool ended = WaitFor([&] { return Saw("NotFound") && !session_->Busy(); });
    unplug.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(session_->State(), SessionState::NotConnected);

    instrument.Replug();
    ASSERT_TRUE(instrument.WaitUntilPlugged(2000ms));
    EXPECT_TRUE(ConnectAndWait());
}

// Stop while each job waits on the instrument returns within the exchange in progress,
// although that job's wait is long.
TEST_F(SessionTest, StopDuringEveryJobEndsItWithinOneExchange) {
    using Wait = std::chrono::milliseconds ProtocolWaits::*;
    struct Case {
        const char* job;
        Wait slowWait;  // the wait the job is stopped in
        std::function<void(SessionTest&)> start;
        sim::RequestKind startedWhen;
    };
    const Case cases[] = {
        {"scan", &ProtocolWaits::identification, [](SessionTest& t) { t.session_->Connect(); },
         sim::RequestKind::Identification},
        {"version", &ProtocolWaits::version, [](SessionTest& t) { t.session_->Connect(); },
         sim::RequestKind::Version},
        {"settings read", &ProtocolWaits::settingsRead,
         [](SessionTest& t) { t.session_->Connect(); }, sim::RequestKind::SettingsRead},
        {"poll", &ProtocolWaits::measurement, [](SessionTest& t) { t.session_->Connect(); },
         sim::RequestKind::Measurement},
        {"settings write", &ProtocolWaits::settingsAck,
         [](SessionTest& t) {
             ASSERT_TRUE(t.ConnectAndWait());
             t.session_->ArmSettingsWrite(InstrumentSettings{});
         },
         sim::RequestKind::SettingsFrame},
        {"logger record", &ProtocolWaits::loggerRecord,
         [](SessionTest& t) {
             ASSERT_TRUE(t.ConnectAndWait());
             EXPECT_EQ(t.session_->ReadLoggerRecord(1), SessionRequest::Started);
         },
         sim::RequestKind::LoggerRecord},
        {"dump", &ProtocolWaits::loggerDumpRecord,
         [](SessionTest& t) {
             ASSERT_TRUE(t.ConnectAndWait());
             EXPECT_EQ(
                 t.session_->DumpLogger(std::make_unique<LoggerDumpFile>(t.Path("logged.txt"))),
                 SessionRequest::Started);
         },
         sim::RequestKind::LoggerRecord},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.job);
        events_.clear();
        sim::InstrumentSimulator& instrument = AddInstrument();
        ProtocolWaits waits = kQuickWaits;
        waits.*c.slowWait = std::chrono::milliseconds(20000);
        MakeSession({instrument.SlavePath()}, waits);
        c.start(*this);
        ASSERT_TRUE(WaitFor([&] { return instrument.RequestCount(c.startedWhen) >= 1; }));
        std::this_thread::sleep_for(50ms);  // well inside the wait
        QElapsedTimer timer;
        timer.start();
        session_->Stop();
        EXPECT_LT(timer.elapsed(), 5000) << "a wait of 20 s was not cut short";
        EXPECT_EQ(session_->State(), SessionState::Stopped);
        EXPECT_FALSE(session_->PortOpen());
        EXPECT_FALSE(session_->Polling());
    }
}

TEST_F(SessionTest, StopWhileTheConnectionIsLost) {
    sim::InstrumentSimulator& instrument = AddInstrument("instrument");
    MakeSession({Path("instrument")});
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_TRUE(instrument.Unplug());
    ASSERT_TRUE(WaitFor([&] { return Saw("ConnectionLost"); }));
    session_->Stop();
    instrument.Replug();
    ASSERT_TRUE(instrument.WaitUntilPlugged(2000ms));
    const std::size_t asked = instrument.RequestCount(sim::RequestKind::Identification);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Identification), asked)
        << "no retry after Stop";
    EXPECT_EQ(CountOf("Connected"), 1u);
}

TEST_F(SessionTest, WithoutMeasuringAConnectReadsTheSettingsAndLeavesTheLogAlone) {
    const QByteArray old("1\t09:00:00\t-50\r\n");
    {
        QFile file(QString::fromStdString(Path("jrt1.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    sim::InstrumentSimulator& instrument = AddInstrument();
    SessionOptions options{{instrument.SlavePath()}, QLocale::c(), Path("jrt1.txt"), kQuickWaits};
    options.measure = false;
    MakeSessionWith(options);
    std::vector<SettingsReadResult> reads;
    QObject::connect(session_.get(), &InstrumentSession::SettingsRead,
                     [&](const SettingsReadResult& r) { reads.push_back(r); });
    std::vector<LoggerRequestResult> records;
    QObject::connect(session_.get(), &InstrumentSession::LoggerRecordRead,
                     [&](const LoggerRequestResult& r) { records.push_back(r); });
    ASSERT_TRUE(ConnectAndWait());
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].status, SettingsReplyStatus::Complete);

    // The jobs are there; the log and the poll are not.
    ASSERT_EQ(session_->ReadLoggerRecord(7), SessionRequest::Started);
    ASSERT_TRUE(WaitFor([&] { return records.size() == 1; }));
    EXPECT_EQ(records[0].record, DecodeLoggerRecord(instrument.LoggerRecord(7)));
    std::this_thread::sleep_for(300ms);
    session_->Stop();
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Measurement), 0u);
    EXPECT_TRUE(samples_.empty());
    EXPECT_TRUE(keptLogs_.empty());
    EXPECT_EQ(ReadFile("jrt1.txt"), old) << "neither kept away nor emptied";
}

}  // namespace
