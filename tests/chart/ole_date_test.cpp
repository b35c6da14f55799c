// The chart's x values: OLE dates from wall-clock fields, back to wall-clock fields, and the
// date a live sample belongs to.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/ole_date.h"
#include "local_zone.h"

namespace {

TEST(OleDateTest, DaysSinceTheOriginInWallClockTime) {
    struct Case {
        QDate date;
        QTime time;
        double oleDate;
    };
    const Case cases[] = {
        {QDate(1899, 12, 30), QTime(0, 0), 0.0},
        {QDate(1900, 1, 1), QTime(12, 0), 2.5},
        {QDate(1899, 12, 29), QTime(18, 0), -0.25},
        {QDate(2024, 1, 1), QTime(6, 0), 45292.25},
        // The day the clocks went forward: 01:30 and 03:00 are 1.5 hours apart on the chart,
        // as on the wall clock, though only half an hour passed.
        {QDate(2024, 3, 31), QTime(1, 30), 45382.0 + 1.5 / 24.0},
        {QDate(2024, 3, 31), QTime(3, 0), 45382.125},
        {QDate(2024, 3, 31), QTime(12, 0), 45382.5},
        // The day they went back: 02:30 is where the wall clock says, whichever of the two.
        {QDate(2024, 10, 27), QTime(2, 30), 45592.0 + 2.5 / 24.0},
        {QDate(2024, 10, 27), QTime(23, 59, 59, 999), 45592.0 + 86'399'999.0 / 86'400'000.0},
    };
    const ScopedLocalZone zone(kDstZone);
    ASSERT_NO_FATAL_FAILURE(ExpectDstZoneActive());
    for (const Case& c : cases) {
        SCOPED_TRACE(
            (c.date.toString(Qt::ISODate) + " " + c.time.toString("hh:mm:ss.zzz")).toStdString());
        EXPECT_DOUBLE_EQ(OleDate(c.date, c.time), c.oleDate);
        EXPECT_DOUBLE_EQ(OleDate(QDateTime(c.date, c.time)), c.oleDate);
    }
}

TEST(OleDateTest, BackToWallClockFields) {
    struct Case {
        double oleDate;
        QDate date;  // invalid: none
        QTime time;
    };
    const Case cases[] = {
        {0.0, QDate(1899, 12, 30), QTime(0, 0)},
        {2.5, QDate(1900, 1, 1), QTime(12, 0)},
        {-0.25, QDate(1899, 12, 29), QTime(18, 0)},
        {45382.125, QDate(2024, 3, 31), QTime(3, 0)},
        {45382.0 + 1.5 / 24.0, QDate(2024, 3, 31), QTime(1, 30)},
        // Rounded to the millisecond, into the next day when it comes to 24:00.
        {45382.0 + 36'000'000.4 / 86'400'000.0, QDate(2024, 3, 31), QTime(10, 0)},
        {45382.0 - 1e-10, QDate(2024, 3, 31), QTime(0, 0)},
        {std::numeric_limits<double>::quiet_NaN(), QDate(), QTime()},
        {std::numeric_limits<double>::infinity(), QDate(), QTime()},
        {1e300, QDate(), QTime()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.oleDate);
        const WallClock clock = OleDateToWallClock(c.oleDate);
        EXPECT_EQ(clock.date, c.date);
        EXPECT_EQ(clock.time, c.time);
    }
}

TEST(OleDateTest, SampleBelongsToTheDayItsTimeWasRead) {
    const QDate today(2024, 3, 31);
    struct Case {
        const char* name;
        QTime sampleTime;
        QTime now;
        QDate date;
    };
    const Case cases[] = {
        {"read a moment ago", QTime(10, 0, 0), QTime(10, 0, 0, 20), today},
        {"taken before midnight, delivered after", QTime(23, 59, 59, 990), QTime(0, 0, 0, 5),
         today.addDays(-1)},
        {"taken and delivered after midnight", QTime(0, 0, 0, 1), QTime(0, 0, 0, 5), today},
        {"clock set back a little", QTime(10, 0, 1), QTime(10, 0, 0), today},
        {"clock set back eleven hours", QTime(21, 0), QTime(10, 0), today},
        {"no sample time", QTime(), QTime(10, 0), today},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SampleDate(c.sampleTime, QDateTime(today, c.now)), c.date);
    }
}

}  // namespace
