// The compact form of a point: which times and values have one, and that it gives back
// the very same doubles.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "chart/compact_point.h"
#include "chart/ole_date.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t Bits(double d) {
    return std::bit_cast<std::uint64_t>(d);
}

TEST(CompactPointTest, TimesOfWholeMillisecondsAreCompactAndComeBackExactly) {
    struct Case {
        const char* name;
        double oleDate;
        bool compact;
    };
    const Case cases[] = {
        {"the origin", 0.0, true},
        {"a live time with milliseconds", OleDate(QDate(2024, 3, 31), QTime(10, 0, 0, 250)), true},
        {"the last millisecond of a day", OleDate(QDate(2024, 10, 27), QTime(23, 59, 59, 999)),
         true},
        {"before the origin", OleDate(QDate(1899, 12, 29), QTime(18, 0, 0, 1)), true},
        {"a loaded time: day counter plus time of day", 3.0 + 36'000'000.0 / 86'400'000.0, true},
        {"far in the future", OleDate(QDate(9999, 12, 31), QTime(23, 59, 59)), true},
        {"between two milliseconds", 45'000.0 + 0.5 / 86'400'000.0, false},
        {"a millisecond's worth off in the last bit",
         std::nextafter(OleDate(QDate(2024, 3, 31), QTime(10, 0)), 1e9), false},
        {"negative zero", -0.0, false},
        {"beyond some thousand years", 1e7, false},
        {"not a number", kNaN, false},
        {"infinite", kInf, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::int64_t> ms = WholeMilliseconds(c.oleDate);
        ASSERT_EQ(ms.has_value(), c.compact);
        if (ms) {
            EXPECT_EQ(Bits(OleDateOfMilliseconds(*ms)), Bits(c.oleDate));
        }
    }
}

TEST(CompactPointTest, ValuesOfWholeStepsWithin16BitsAreCompact) {
    struct Case {
        double y;
        double divisor;
        std::optional<std::int16_t> raw;
    };
    const Case cases[] = {
        {-12.34, 100.0, -1234},      {20.0, 10.0, 200},
        {25.5, 10.0, 255},           {0.1, 100.0, 10},
        {12.5, 100.0, 1250},         {327.67, 100.0, 32767},
        {-327.67, 100.0, -32767},    {327.68, 100.0, std::nullopt},
        {3276.7, 10.0, 32767},       {12.345, 100.0, std::nullopt},
        {0.05, 10.0, std::nullopt},  {1e-300, 100.0, std::nullopt},
        {-0.0, 100.0, std::nullopt}, {kNaN, 100.0, std::nullopt},
        {kInf, 100.0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << " / " << c.divisor);
        const std::optional<std::int16_t> raw = RawValue(c.y, c.divisor);
        EXPECT_EQ(raw, c.raw);
        if (raw) {
            EXPECT_EQ(Bits(ValueOfRaw(*raw, c.divisor)), Bits(c.y));
        }
    }
}

TEST(CompactPointTest, EveryReadingOfALiveSampleIsCompact) {
    for (const double divisor : {100.0, 10.0}) {
        for (int raw = -32767; raw <= 32767; ++raw) {
            const double y = static_cast<double>(raw) / divisor;
            ASSERT_EQ(RawValue(y, divisor), std::optional<std::int16_t>(raw)) << y;
        }
    }
}

TEST(CompactPointTest, FirstMillisecondFromIsTheFirstOneAtOrAfter) {
    std::mt19937_64 random(14);
    std::uniform_real_distribution<double> days(-1000.0, 60'000.0);
    for (int i = 0; i < 20'000; ++i) {
        // Any double, and exact whole milliseconds, whose answer is themselves.
        double x = days(random);
        if (i % 2 == 0) {
            x = OleDateOfMilliseconds(static_cast<std::int64_t>(std::floor(x * 86'400'000.0)));
        }
        for (const bool after : {false, true}) {
            SCOPED_TRACE(testing::Message() << std::hexfloat << x << (after ? " after" : ""));
            const std::int64_t ms = FirstMillisecondFrom(x, after);
            const double at = OleDateOfMilliseconds(ms);
            const double before = OleDateOfMilliseconds(ms - 1);
            ASSERT_TRUE(after ? at > x : at >= x);
            ASSERT_TRUE(after ? before <= x : before < x);
        }
    }
    EXPECT_GT(FirstMillisecondFrom(kInf, false), FirstMillisecondFrom(1e6, false));
    EXPECT_LT(FirstMillisecondFrom(-kInf, false), FirstMillisecondFrom(-1e6, false));
}

}  // namespace
