#pragma once
// An InstrumentSession against in-process simulated instruments, with what it signals
// recorded in order. The protocol's waits are shortened: these tests are about the
// session's logic, not the instrument's timing.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/quick_waits.h"
#include "session/instrument_session.h"
#include "sim/instrument_simulator.h"

class SessionTest : public ::testing::Test {
  public:  // reached from the cases of table-driven tests
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    void TearDown() override {
        if (session_) {
            session_->Stop();
        }
    }

    // An instrument behind a symbolic link in the scratch directory, as a stable device
    // name leads to a real adapter.
    sim::InstrumentSimulator& AddInstrument(const std::string& linkName = {}) {
        sims_.push_back(std::make_unique<sim::InstrumentSimulator>());
        if (!linkName.empty()) {
            sims_.back()->SetLinkPath(Path(linkName));
        }
        std::string why;
        EXPECT_TRUE(sims_.back()->Start(&why)) << why;
        return *sims_.back();
    }

    std::string Path(const std::string& name) const {
        return QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString();
    }

    void MakeSession(std::vector<std::string> ports, ProtocolWaits waits = kQuickWaits,
                     std::string logName = "jrt1.txt",
                     std::chrono::milliseconds retryInterval = std::chrono::milliseconds(200)) {
        MakeSessionWith(
            SessionOptions{std::move(ports), QLocale::c(), Path(logName), waits, retryInterval});
    }

    // Without a port list the session scans an empty one: no test opens a port of the machine.
    void MakeSessionWith(SessionOptions options) {
        options.systemPorts = [] { return std::vector<std::string>{}; };
        session_ = std::make_unique<InstrumentSession>(std::move(options));
        InstrumentSession* s = session_.get();
        auto note = [this](std::string event) { events_.push_back(std::move(event)); };
        QObject::connect(s, &InstrumentSession::NotFound, [note] { note("NotFound"); });
        QObject::connect(s, &InstrumentSession::Identified, [note, s] {
            note("Identified");
            s->ContinueConnect();
        });
        QObject::connect(s, &InstrumentSession::ConnectFailed,
                         [note](const QString& m) { note("ConnectFailed: " + m.toStdString()); });
        QObject::connect(s, &InstrumentSession::OldLogKept,
                         [this](const QString& path) { keptLogs_.push_back(path.toStdString()); });
        QObject::connect(s, &InstrumentSession::Connected, [note] { note("Connected"); });
        QObject::connect(s, &InstrumentSession::ConnectionLost, [note] { note("ConnectionLost"); });
        QObject::connect(s, &InstrumentSession::SampleReady,
                         [this](const SampleUpdate& u) { samples_.push_back(u.sampleCount); });
        QObject::connect(s, &InstrumentSession::SettingsWritten,
                         [note](bool ok) { note(ok ? "Written" : "WriteUnconfirmed"); });
        QObject::connect(s, &InstrumentSession::DumpEnded,
                         [this](const LoggerDumpResult& r, int) { dumpEnds_.push_back(r); });
    }

    // Runs the event loop until `done` holds or `timeoutMs` passes.
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > timeoutMs) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
        return true;
    }

    bool Saw(const std::string& event) const {
        return std::find(events_.begin(), events_.end(), event) != events_.end();
    }
    std::size_t CountOf(const std::string& event) const {
        return static_cast<std::size_t>(std::count(events_.begin(), events_.end(), event));
    }

    bool ConnectAndWait() {
        if (session_->Connect() != SessionRequest::Started) {
            return false;
        }
        return WaitFor([&] { return Saw("Connected"); });
    }

    QByteArray ReadFile(const std::string& name) const {
        QFile file(QString::fromStdString(Path(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The sample numbers of the log's lines.
    std::vector<int> LoggedNumbers(const std::string& name = "jrt1.txt") const {
        std::vector<int> numbers;
        for (const QByteArray& line : ReadFile(name).split('\n')) {
            if (!line.isEmpty()) {
                numbers.push_back(line.left(line.indexOf('\t')).toInt());
            }
        }
        return numbers;
    }

    QTemporaryDir dir_;
    std::vector<std::unique_ptr<sim::InstrumentSimulator>> sims_;
    std::unique_ptr<InstrumentSession> session_;
    std::vector<std::string> events_;
    std::vector<std::string> keptLogs_;
    std::vector<int> samples_;
    std::vector<LoggerDumpResult> dumpEnds_;
};
