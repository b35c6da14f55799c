// The window and the session together: the window never waits on the wire, and measuring
// survives an unplug.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <chrono>

#include "common/e2e_fixture.h"

using namespace std::chrono_literals;

namespace {

using SessionE2eTest = E2eTest;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The longest time the user-interface thread went without serving a short timer.
class GapMeter {
  public:
    GapMeter() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, sinceTick_.restart()); });
        Reset();
        timer_.start();
    }
    void Reset() {
        sinceTick_.start();
        longest_ = 0;
    }
    qint64 Longest() const { return longest_; }

  private:
    QTimer timer_;
    QElapsedTimer sinceTick_;
    qint64 longest_ = 0;
};

TEST_F(SessionE2eTest, TheWindowKeepsServingEventsDuringAScanAndASettingsRead) {
    std::vector<std::string> ports;
    for (int i = 0; i < 4; ++i) {
        sim::InstrumentSimulator& silent = AddInstrument();
        silent.SetSilent();
        ports.push_back(silent.SlavePath());
    }
    ports.push_back(AddInstrument().SlavePath());
    MakeWindow(ports);
    form_->show();

    GapMeter meter;
    QElapsedTimer scan;
    scan.start();
    ClickConnect();
    ASSERT_EQ(form_->TabSheet3->Connect->text(), "Pomiar trwa");
    // Four silent ports take 800 ms of waits, then the version and settings their 600 ms.
    ASSERT_GT(scan.elapsed(), 1400);
    EXPECT_LT(meter.Longest(), 200) << "the scan held up the window";

    meter.Reset();
    ClickAndWait(form_->TabSheet2->Button2);
    EXPECT_LT(meter.Longest(), 200) << "the settings read held up the window";
}

TEST_F(SessionE2eTest, AnUnplugAndReplugBehindAStableNameKeepsOneLogAndOneChart) {
    sim::InstrumentSimulator& instrument = AddInstrument("instrument");
    MakeWindow({WorkFile("instrument").toStdString()});
    QStringList statuses;
    QObject::connect(form_->StatusBar1, &QStatusBar::messageChanged,
                     [&](const QString& text) { statuses << text; });
    ClickConnect();
    InstrumentSession& session = controller_->session();
    ASSERT_TRUE(WaitFor([&] { return session.SampleCount() >= 2; }));

    statuses.clear();
    ASSERT_TRUE(instrument.Unplug());
    ASSERT_TRUE(WaitFor([&] { return form_->TabSheet3->Connect->isEnabled(); }));
    EXPECT_EQ(form_->TabSheet3->Connect->text(), "Połącz") << "Connect tries again at once";
    EXPECT_TRUE(statuses.last().startsWith("Połączenie utracone")) << statuses.last().toStdString();
    // The unplug is a lost connection, never first a silent instrument.
    EXPECT_TRUE(statuses.filter("brak danych").isEmpty()) << statuses.join(" | ").toStdString();
    EXPECT_NE(form_->TabSheet3->Edit20->text(), "Error");
    const int before = session.SampleCount();

    instrument.Replug(500ms);
    ASSERT_TRUE(instrument.WaitUntilPlugged(2000ms));
    QElapsedTimer sinceReplug;
    sinceReplug.start();
    ASSERT_TRUE(WaitFor([&] { return session.SampleCount() > before; }, 10000));
    EXPECT_LT(sinceReplug.elapsed(), 5000) << "polling resumes within 5 s";
    ASSERT_TRUE(WaitFor([&] { return session.SampleCount() >= before + 2; }));
    EXPECT_FALSE(form_->TabSheet3->Connect->isEnabled());
    EXPECT_EQ(form_->TabSheet3->Connect->text(), "Pomiar trwa");
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
        return static_cast<int>(form_->TabSheet1->Chart1->Points(DewPointSeries).size());
    };
    WaitFor([&] { return charted() == total; }, 1000);  // the last sample's points are queued
    EXPECT_EQ(charted(), total) << "the chart keeps the points from before the unplug";
}

}  // namespace
