// --until-stable against the simulator holding the dew point: a steady one ends the run with
// the calibration point on one line; one drifting faster than the limit never is stable, and
// the duration ends the run with status 4. A short window keeps these runs to seconds.
#include <gtest/gtest.h>

#include <QMap>
#include <QTemporaryDir>
#include <cmath>

#include "common/program_run.h"
#include "sim/instrument_simulator.h"

using namespace std::chrono_literals;

namespace {

class UntilStableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(work_.isValid());
        std::string why;
        ASSERT_TRUE(instrument_.Start(&why)) << why;
    }

    std::unique_ptr<ProgramRun> Run(const char* program, const std::vector<std::string>& options) {
        std::vector<std::string> args = {"--headless", "--port", instrument_.SlavePath(),
                                         "--no-csv", "--quiet"};
        args.insert(args.end(), options.begin(), options.end());
        auto run = std::make_unique<ProgramRun>(program, args, work_.path());
        EXPECT_TRUE(run->Started());
        return run;
    }

    QTemporaryDir work_;
    sim::InstrumentSimulator instrument_;
};

// The last line of standard output as name=value pairs.
QMap<QString, QString> PointOf(const QByteArray& out) {
    const QList<QByteArray> lines = out.trimmed().split('\n');
    QMap<QString, QString> fields;
    for (const QString& pair : QString::fromUtf8(lines.last()).split(' ')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0) {
            fields[pair.left(equals)] = pair.mid(equals + 1);
        }
    }
    return fields;
}

// 10 °C held exactly: the steam tables' ew(10 °C) = 1228.1 Pa, at the simulator's 1.00 bar
// f = 1.004676, so e = 1233.84 Pa; 20 °C of ambient temperature or more.
TEST_F(UntilStableTest, ASteadyDewPointEndsTheRunWithThePoint) {
    instrument_.HoldDewPoint(10.0);
    auto run =
        Run(HYGROMETER_EN_PATH, {"--until-stable", "--stable-window", "3", "--duration", "120"});
    EXPECT_EQ(run->WaitExit(60s), 0) << run->Err().toStdString();
    EXPECT_EQ(run->Err(), "");
    const QMap<QString, QString> point = PointOf(run->Out());
    EXPECT_EQ(point.value("stable"), "1") << run->Out().toStdString();
    EXPECT_EQ(point.value("dew_point_mean"), "10.0000");
    EXPECT_EQ(point.value("dew_point_sd"), "0");
    EXPECT_EQ(point.value("dew_point_drift_per_h"), "0");
    EXPECT_EQ(point.value("temperature_unit"), "°C");
    EXPECT_EQ(point.value("pressure_hpa"), "1000.00");
    EXPECT_GE(point.value("samples").toInt(), 3);
    // The oldest sample held may be up to one poll (about a second) inside the window, the
    // one before it having just left.
    EXPECT_GE(point.value("span_s").toDouble(), 1.5) << "about the whole window";
    EXPECT_LE(point.value("span_s").toDouble(), 3.0);
    EXPECT_NEAR(point.value("vapour_pressure_pa").toDouble(), 1233.84, 1233.84 * 1e-4);
    EXPECT_EQ(point.value("frost_point"), "") << "a dew point above 0 °C has none";
}

// 72 °C an hour is 0.02 °C a second: beyond both the band and the drift limit in any window.
TEST_F(UntilStableTest, ADriftingDewPointNeverIsAndTheDurationEndsWithFour) {
    instrument_.HoldDewPoint(-5.0, 72.0);
    auto run = Run(HYGROMETER_PATH, {"--until-stable", "--stable-window", "2", "--duration", "5"});
    EXPECT_EQ(run->WaitExit(60s), 4) << run->Err().toStdString();
    EXPECT_EQ(run->Err(), "Punkt rosy nie ustabilizował się w ciągu 5 s\n");
    EXPECT_FALSE(run->Out().contains("stable=")) << run->Out().toStdString();
}

}  // namespace
