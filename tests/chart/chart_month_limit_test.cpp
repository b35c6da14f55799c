// The chart keeps a month at one sample a second, 31 days of 86 400 points, and not one
// point more: at the limit every point is there, one past it the oldest goes.
#include <gtest/gtest.h>

#include <vector>

#include "chart/hygro_chart.h"

namespace {

constexpr double kStart = 45352.0;  // 2024-03-01 00:00 as an OLE date
constexpr double kSecond = 1.0 / 86'400.0;
constexpr double kHalfAMillisecond = 0.5 / 86'400'000.0;

TEST(ChartMonthLimit, TheWindowsChartHoldsExactlyThirtyOneDaysOfSeconds) {
    HygroChart chart;  // as the Chart tab makes it
    for (std::size_t series = 0; series < kSeriesCount; ++series) {
        SCOPED_TRACE(series);
        EXPECT_EQ(chart.Points(static_cast<ChartSeries>(series)).Limit(), 2'678'400);
    }

    std::vector<double> xs, ys;
    xs.reserve(2'678'400);
    ys.reserve(2'678'400);
    for (int second = 0; second < 2'678'400; ++second) {
        xs.push_back(kStart + second * kSecond);
        ys.push_back((second % 500) / 100.0);
    }
    chart.AddPoints(DewPointSeries, xs, ys);
    const SeriesPoints& points = chart.Points(DewPointSeries);
    ASSERT_EQ(points.size(), 2'678'400) << "at the limit: every point";
    EXPECT_NEAR(points.Point(0).key, 45352.0, kHalfAMillisecond);
    EXPECT_DOUBLE_EQ(points.Point(0).value, 0.0);
    EXPECT_NEAR(points.Point(2'678'399).key, 45382.999988425925, kHalfAMillisecond)
        << "2024-03-31 23:59:59";
    EXPECT_DOUBLE_EQ(points.Point(2'678'399).value, 3.99);

    // One second past the month: the first second goes, the rest stay.
    EXPECT_EQ(chart.AddPoint(DewPointSeries, 45383.0, 7.25), 2'678'399);
    ASSERT_EQ(points.size(), 2'678'400) << "one past the limit";
    EXPECT_NEAR(points.Point(0).key, 45352.000011574074, kHalfAMillisecond)
        << "2024-03-01 00:00:01";
    EXPECT_DOUBLE_EQ(points.Point(0).value, 0.01);
    EXPECT_NEAR(points.Point(2'678'399).key, 45383.0, kHalfAMillisecond);
    EXPECT_DOUBLE_EQ(points.Point(2'678'399).value, 7.25);

    // A point older than the whole month is not kept.
    EXPECT_EQ(chart.AddPoint(DewPointSeries, 45351.5, 1.0), -1);
    EXPECT_EQ(points.size(), 2'678'400);
    EXPECT_NEAR(points.Point(0).key, 45352.000011574074, kHalfAMillisecond);
}

}  // namespace
