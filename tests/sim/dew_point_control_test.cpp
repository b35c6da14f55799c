// The simulated dew point held steady or drifting: the readings it gives, the line commands
// that set it, and what they refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "sim/instrument_simulator.h"
#include "sim/instrument_state.h"
#include "sim/sim_commands.h"
#include "sim_test_port.h"

namespace sim {
namespace {

using namespace std::chrono_literals;
using testing::TestPort;

double Hundredths(const MeasurementReply& m, std::size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(m[at] << 8 | m[at + 1])) / 100.0;
}

struct Reading {
    double dewPoint, humidity, ambient, mirror, head;
};

Reading Read(const MeasurementReply& m) {
    return {Hundredths(m, 0), Hundredths(m, 10), Hundredths(m, 14), Hundredths(m, 16),
            Hundredths(m, 5)};
}

// What every reading must be, whatever the dew point does.
void ExpectPlausible(const Reading& r) {
    EXPECT_NEAR(r.mirror, r.dewPoint, 0.05);
    EXPECT_GE(r.ambient, r.dewPoint + 2.7);
    EXPECT_GE(r.ambient, 21.7);
    EXPECT_GE(r.humidity, 0.0);  // at -100 °C it reads 0.00
    EXPECT_LT(r.humidity, 100.0);
    EXPECT_GT(r.head, r.ambient);
}

TEST(DewPointCourse, HeldReadingsAreTheHeldValueAndTheRestStaysPlausible) {
    for (const double held : {-12.34, -99.5, 0.0, 9.5, 30.0, 85.25}) {
        SCOPED_TRACE(held);
        InstrumentState state;
        state.dewPointCourse = DewPointCourse{held, 0.0, 0.0};
        double ambientMin = 1e9;
        double ambientMax = -1e9;
        for (double t = 0.0; t <= 600.0; t += 1.0) {
            const Reading r = Read(state.Measure(t));
            ASSERT_EQ(r.dewPoint, held) << "at " << t;
            ExpectPlausible(r);
            ambientMin = std::min(ambientMin, r.ambient);
            ambientMax = std::max(ambientMax, r.ambient);
        }
        EXPECT_LT(ambientMin, ambientMax) << "the room's temperature still moves";
    }
}

// 36 °C an hour is a hundredth every second; the course stops at the ends of the range.
TEST(DewPointCourse, DriftsAtItsRateFromItsOrigin) {
    InstrumentState state;
    state.dewPointCourse = DewPointCourse{10.0, 36.0, 100.0};
    const struct {
        double t;
        double dewPoint;
    } cases[] = {{100.0, 10.0}, {101.0, 10.01}, {200.0, 11.0}, {50.0, 9.5}, {1100.0, 20.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const Reading r = Read(state.Measure(c.t));
        EXPECT_DOUBLE_EQ(r.dewPoint, c.dewPoint);
        ExpectPlausible(r);
    }
    state.dewPointCourse = DewPointCourse{99.0, 3600.0, 0.0};
    EXPECT_EQ(Read(state.Measure(10.0)).dewPoint, 100.0);
    state.dewPointCourse = DewPointCourse{-99.0, -3600.0, 0.0};
    EXPECT_EQ(Read(state.Measure(10.0)).dewPoint, -100.0);
}

class DewPointCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(simulator.Start(&why)) << why;
        port = std::make_unique<TestPort>(simulator.SlavePath());
        ASSERT_TRUE(port->IsOpen());
    }

    double DewPointRead() {
        const Bytes b = port->Exchange(TextRequest('t'), kMeasurementReplySize);
        EXPECT_EQ(b.size(), kMeasurementReplySize);
        MeasurementReply m{};
        std::copy_n(b.begin(), std::min(b.size(), m.size()), m.begin());
        return Read(m).dewPoint;
    }

    InstrumentSimulator simulator;
    SimCommands commands{simulator};
    std::unique_ptr<TestPort> port;
};

TEST_F(DewPointCommandsTest, HoldDriftWanderAndReset) {
    EXPECT_EQ(commands.Run("dew-point -5.5"), "ok");
    EXPECT_EQ(DewPointRead(), -5.5);
    EXPECT_EQ(DewPointRead(), -5.5);

    // A drift starts from where the dew point is.
    EXPECT_EQ(commands.Run("dew-drift 0.75"), "ok");
    std::optional<DewPointCourse> course = simulator.GetDewPointCourse();
    ASSERT_TRUE(course.has_value());
    EXPECT_EQ(course->celsius, -5.5);
    EXPECT_EQ(course->perHour, 0.75);
    // ... and 0 holds it where the drift has brought it.
    EXPECT_EQ(commands.Run("dew-drift 0"), "ok");
    course = simulator.GetDewPointCourse();
    ASSERT_TRUE(course.has_value());
    EXPECT_EQ(course->perHour, 0.0);
    EXPECT_GE(course->celsius, -5.5);
    EXPECT_LT(course->celsius, -5.0);

    // A steep fall is seen in the readings: the second at least 100 ms (0.1 °C) after the
    // first, less a hundredth for their rounding.
    EXPECT_EQ(commands.Run("dew-point 20"), "ok");
    EXPECT_EQ(commands.Run("dew-drift -3600"), "ok");
    const double first = DewPointRead();
    std::this_thread::sleep_for(100ms);
    const double second = DewPointRead();
    EXPECT_LE(first, 20.0);
    EXPECT_LE(second, first - 0.05);

    EXPECT_EQ(commands.Run("dew-point wander"), "ok");
    EXPECT_FALSE(simulator.GetDewPointCourse().has_value());
    const double wandering = DewPointRead();
    EXPECT_GT(wandering, 9.0);
    EXPECT_LT(wandering, 10.0);

    EXPECT_EQ(commands.Run("dew-point 1"), "ok");
    EXPECT_EQ(commands.Run("reset"), "ok");
    EXPECT_FALSE(simulator.GetDewPointCourse().has_value()) << "wandering, as at the start";
}

TEST_F(DewPointCommandsTest, RefusesWhatIsNotADewPointOrARate) {
    const struct {
        const char* line;
        const char* reply;
    } cases[] = {
        {"dew-point", "error dew-point needs wander or degrees C from -100 to 100"},
        {"dew-point 100.01", "error dew-point needs wander or degrees C from -100 to 100"},
        {"dew-point -101", "error dew-point needs wander or degrees C from -100 to 100"},
        {"dew-point 1e1", "error dew-point needs wander or degrees C from -100 to 100"},
        {"dew-point 5,5", "error dew-point needs wander or degrees C from -100 to 100"},
        {"dew-point nan", "error dew-point needs wander or degrees C from -100 to 100"},
        {"dew-point 5 ", "error dew-point needs wander or degrees C from -100 to 100"},
        {"dew-point .", "error dew-point needs wander or degrees C from -100 to 100"},
        {"dew-drift", "error dew-drift needs degrees C an hour from -3600 to 3600"},
        {"dew-drift 3600.5", "error dew-drift needs degrees C an hour from -3600 to 3600"},
        {"dew-drift fast", "error dew-drift needs degrees C an hour from -3600 to 3600"},
        {"dew-drift 1-2", "error dew-drift needs degrees C an hour from -3600 to 3600"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(commands.Run(c.line), c.reply);
    }
    EXPECT_FALSE(simulator.GetDewPointCourse().has_value()) << "nothing refused changed it";
    EXPECT_EQ(commands.Run("dew-point -100"), "ok");
    EXPECT_EQ(commands.Run("dew-point +100"), "ok");
    EXPECT_EQ(commands.Run("dew-drift -3600"), "ok");
}

// A course set before the simulator's commands exist (the command line's) is what "reset"
// comes back to.
TEST(DewPointCommands, ResetRestoresTheCourseOfTheStart) {
    InstrumentSimulator simulator;
    simulator.HoldDewPoint(-30.0, 0.5);
    std::string why;
    ASSERT_TRUE(simulator.Start(&why)) << why;
    SimCommands commands(simulator);
    EXPECT_EQ(commands.Run("dew-point wander"), "ok");
    EXPECT_EQ(commands.Run("reset"), "ok");
    EXPECT_EQ(simulator.GetDewPointCourse(), (DewPointCourse{-30.0, 0.5, 0.0}));
}

}  // namespace
}  // namespace sim
