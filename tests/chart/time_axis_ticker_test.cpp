// The bottom axis: tick steps at round times, labels in wall-clock time, and at least three
// readable labels at every span a run or a loaded file may have.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <limits>
#include <vector>

#include "chart/hygro_chart.h"
#include "chart/time_axis_ticker.h"
#include "local_zone.h"

namespace {

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kSecond = kMinute / 60.0;

TEST(TimeAxisTickerTest, StepIsTheSmallestRoundTimeThatKeepsToTheTickCount) {
    struct Case {
        double spanDays;
        int tickCount;
        double step;
    };
    const Case cases[] = {
        {0.0, 8, kSecond},
        {10 * kSecond, 8, 2 * kSecond},
        {3 * kMinute, 8, 30 * kSecond},
        {10 * kMinute, 8, 2 * kMinute},
        {60 * kMinute, 8, 10 * kMinute},
        {60 * kMinute, 4, 15 * kMinute},
        {1.0, 8, 180 * kMinute},
        {1.0, 2, 360 * kMinute},  // never fewer than three ticks
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

TEST(TimeAxisTickerTest, LabelFormFollowsTheStepAndMidnight) {
    struct Case {
        const char* name;
        double lower, upper, step;
        TimeLabelForm form;
        const char* label;  // of 45000.75 + 30 s
    };
    const double day = 45000.0;
    const Case cases[] = {
        {"seconds apart", day + 0.5, day + 0.5 + 10 * kSecond, 2 * kSecond, TimeLabelForm::Seconds,
         "18:00:30"},
        {"minutes apart", day + 0.5, day + 0.6, 2 * kMinute, TimeLabelForm::Minutes, "18:00"},
        {"across midnight", day + 0.9, day + 1.2, 60 * kMinute, TimeLabelForm::DateAndMinutes,
         "15.03 18:00"},
        {"days apart", day, day + 10, 1.0, TimeLabelForm::Date, "15.03.2023"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TimeLabelForm form = TimeLabelFormFor(c.lower, c.upper, c.step);
        EXPECT_EQ(form, c.form);
        EXPECT_EQ(TimeTickLabel(day + 0.75 + 30 * kSecond, form), c.label);
    }
}

// On the chart itself: from seconds to days of points, the bottom axis says where on it a
// time is, with at least three labels in the form the span calls for.
TEST(TimeAxisTickerTest, TheChartLabelsItsTimeAxisAtEverySpan) {
    struct Case {
        const char* name;
        double span;
        const char* pattern;
    };
    const Case cases[] = {
        {"10 s", 10 * kSecond, "^\\d\\d:\\d\\d:\\d\\d$"},
        {"10 min", 10 * kMinute, "^\\d\\d:\\d\\d$"},
        {"10 h", 600 * kMinute, "^\\d\\d:\\d\\d$"},
        {"3 days", 3.0, "^\\d\\d\\.\\d\\d( \\d\\d:\\d\\d|\\.\\d{4})$"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HygroChart chart;
        chart.resize(753, 537);
        const double start = 45000.25;
        std::vector<double> xs, ys;
        for (int i = 0; i <= 20; ++i) {
            xs.push_back(start + c.span * i / 20);
            ys.push_back(i);
        }
        chart.AddPoints(DewPointSeries, xs, ys);
        chart.replot();
        const QVector<QString> labels = chart.xAxis->tickVectorLabels();
        const QRegularExpression form(c.pattern);
        int readable = 0;
        for (const QString& label : labels) {
            SCOPED_TRACE(label.toStdString());
            EXPECT_TRUE(form.match(label).hasMatch());
            readable += !label.isEmpty();
        }
        EXPECT_GE(readable, 3);
    }
}

}  // namespace
