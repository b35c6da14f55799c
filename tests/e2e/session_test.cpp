// The window and the session together: the window never waits on the wire, and measuring
// survives an unplug.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <chrono>
#include <functional>
#include <set>
#include <vector>

#include "common/e2e_fixture.h"

using namespace std::chrono_literals;

namespace {

using SessionE2eTest = E2eTest;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `look` on the user-interface thread every 10 ms while it lives: what the window's
// thread could see while a job ran elsewhere.
class TickWatcher {
  public:
    explicit TickWatcher(std::function<void()> look) : look_(std::move(look)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look_(); });
        timer_.start();
    }

  private:
    std::function<void()> look_;
    QTimer timer_;
};

TEST_F(SessionE2eTest, TheWindowKeepsServingEventsDuringAScanAndASettingsRead) {
    // Served events are seen by what they saw, not by how soon they came: a scan or a read
    // done on the window's thread would let no timer run while it is half-way.
    std::vector<sim::InstrumentSimulator*> silent;
    std::vector<std::string> ports;
    for (int i = 0; i < 4; ++i) {
        silent.push_back(&AddInstrument());
        silent.back()->SetSilent();
        ports.push_back(silent.back()->SlavePath());
    }
    sim::InstrumentSimulator& instrument = AddInstrument();
    ports.push_back(instrument.SlavePath());
    MakeWindow(ports);
    form_->show();

    std::set<std::size_t> askedSeenMidScan;  // how many silent ports had been asked, per tick
    int ticksDuringRead = 0;
    {
        TickWatcher watcher([&] {
            if (controller_->session().State() != SessionState::Scanning) {
                return;
            }
            std::size_t asked = 0;
            for (const sim::InstrumentSimulator* port : silent) {
                asked += port->RequestCount(sim::RequestKind::Identification);
            }
            if (asked >= 1 && asked <= silent.size()) {
                askedSeenMidScan.insert(asked);
            }
        });
        ClickConnect();
    }
    ASSERT_EQ(form_->HygrometerTab->ConnectButton->text(), "Pomiar trwa");
    EXPECT_FALSE(askedSeenMidScan.empty()) << "the scan held up the window";

    const std::size_t settingsReads = instrument.RequestCount(sim::RequestKind::SettingsRead);
    {
        TickWatcher watcher([&] {
            if (controller_->session().Busy() &&
                instrument.RequestCount(sim::RequestKind::SettingsRead) > settingsReads) {
                ++ticksDuringRead;  // asked, and the job not yet over
            }
        });
        ClickAndWait(form_->SettingsTab->ReadSettingsButton);
    }
    EXPECT_GT(instrument.RequestCount(sim::RequestKind::SettingsRead), settingsReads);
    EXPECT_GT(ticksDuringRead, 0) << "the settings read held up the window";
}

TEST_F(SessionE2eTest, AnUnplugAndReplugBehindAStableNameKeepsOneLogAndOneChart) {
    sim::InstrumentSimulator& instrument = AddInstrument("instrument");
    MakeWindow({WorkFile("instrument").toStdString()});
    QStringList statuses;
    QObject::connect(form_->StatusBar, &QStatusBar::messageChanged,
                     [&](const QString& text) { statuses << text; });
    ClickConnect();
    InstrumentSession& session = controller_->session();
    ASSERT_TRUE(WaitFor([&] { return session.SampleCount() >= 2; }));

    statuses.clear();
    ASSERT_TRUE(instrument.Unplug());
    ASSERT_TRUE(WaitFor([&] { return form_->HygrometerTab->ConnectButton->isEnabled(); }));
    EXPECT_EQ(form_->HygrometerTab->ConnectButton->text(), "Połącz")
        << "Connect tries again at once";
    EXPECT_TRUE(statuses.last().startsWith("Połączenie utracone")) << statuses.last().toStdString();
    // The unplug is a lost connection, never first a silent instrument.
    EXPECT_TRUE(statuses.filter("brak danych").isEmpty()) << statuses.join(" | ").toStdString();
    EXPECT_NE(form_->HygrometerTab->DewPointReadout->text(), "Error");
    const int before = session.SampleCount();

    instrument.Replug(500ms);
    ASSERT_TRUE(instrument.WaitUntilPlugged(2000ms));
    QElapsedTimer sinceReplug;
    sinceReplug.start();
    ASSERT_TRUE(WaitFor([&] { return session.SampleCount() > before; }, 10000));
    EXPECT_LT(sinceReplug.elapsed(), 5000) << "polling resumes within 5 s";
    ASSERT_TRUE(WaitFor([&] { return session.SampleCount() >= before + 2; }));
    EXPECT_FALSE(form_->HygrometerTab->ConnectButton->isEnabled());
    EXPECT_EQ(form_->HygrometerTab->ConnectButton->text(), "Pomiar trwa");
    EXPECT_TRUE(statuses.last().startsWith("Połączono: ")) << statuses.last().toStdString();
    form_->close();

    const int total = session.SampleCount();
    QList<int> numbers;
    for (const QByteArray& line : ReadFile(WorkFile("jrt1.txt")).split('\n')) {
        if (!line.isEmpty()) {
            numbers << line.left(line.indexOf('\t')).toInt();
        }
    }
    QList<int> expected;
    for (int i = 1; i <= total; ++i) {
        expected << i;
    }
    EXPECT_EQ(numbers, expected) << "every line from both sides, without a gap or repeat";
    const auto charted = [&] {
        return static_cast<int>(form_->ChartTab->Chart->Points(DewPointSeries).size());
    };
    WaitFor([&] { return charted() == total; }, 1000);  // the last sample's points are queued
    EXPECT_EQ(charted(), total) << "the chart keeps the points from before the unplug";
}

}  // namespace
