// The bottom axis: tick steps at round times, labels in wall-clock "hh:mm".
#include <gtest/gtest.h>

#include <limits>

#include "chart/time_axis_ticker.h"
#include "local_zone.h"

namespace {

constexpr double kMinute = 1.0 / 1440.0;

TEST(TimeAxisTickerTest, StepIsTheSmallestRoundTimeThatKeepsToTheTickCount) {
    struct Case {
        double spanDays;
        int tickCount;
        double step;
    };
    const Case cases[] = {
        {0.0, 8, kMinute},
        {3 * kMinute, 8, kMinute},
        {10 * kMinute, 8, 2 * kMinute},
        {60 * kMinute, 8, 10 * kMinute},
        {60 * kMinute, 4, 15 * kMinute},
        {1.0, 8, 180 * kMinute},
        {1.0, 2, 720 * kMinute},
        {7.0, 8, 1.0},
        {30.0, 8, 5.0},
        {120.0, 8, 20.0},
        {45'000.0, 8, 10'000.0},
        {std::numeric_limits<double>::infinity(), 8, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.spanDays << " days, " << c.tickCount << " ticks");
        EXPECT_NEAR(TimeTickStep(c.spanDays, c.tickCount), c.step, 1e-12);
    }
}

TEST(TimeAxisTickerTest, LabelsShowWallClockTimeWhateverTheZone) {
    struct Case {
        double oleDate;
        const char* label;
    };
    const Case cases[] = {
        {0.0, "00:00"},
        {0.5, "12:00"},
        {1.000115, "00:00"},
        {0.99988, "23:59"},
        // 03:00 on the day the clocks went forward; from epoch seconds it would be 05:00.
        {45382.125, "03:00"},
        {45592.0 + 2.5 / 24.0, "02:30"},
        {45382.0 - 1e-10, "00:00"},
        {std::numeric_limits<double>::quiet_NaN(), ""},
    };
    const ScopedLocalZone zone(kDstZone);
    ASSERT_NO_FATAL_FAILURE(ExpectDstZoneActive());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.oleDate);
        EXPECT_EQ(TimeTickLabel(c.oleDate), c.label);
    }
}

}  // namespace
