#pragma once
// The chart's x values: OLE Automation dates, days since 1899-12-30 00:00 with the time of
// day as the fraction of a day. They hold local wall-clock time: computed from the date and
// time fields, never from epoch seconds, so a daylight-saving change shifts nothing.

#include <QDate>
#include <QDateTime>
#include <QTime>

// The origin of the scale, day 0: 1899-12-30.
QDate OleDateOrigin();

double OleDate(QDate date, QTime time);
// The wall-clock fields of `dateTime` (in its own time zone setting), whatever its offset from UTC.
double OleDate(const QDateTime& dateTime);

struct WallClock {
    QDate date;
    QTime time;
};

// The inverse of OleDate, to the millisecond. Values below 0 count back from the origin
// continuously (-0.25 is 1899-12-29 18:00). Not finite or beyond some thousand years:
// invalid fields.
WallClock OleDateToWallClock(double oleDate);

// The date a sample taken at `sampleTime` (a time of day read a moment before `now`)
// belongs to: the day before when the sample was taken before midnight and `now` is read
// after it. A sample time up to 12 hours later than `now` (the clock set back) stays on
// today. An invalid sample time gives today.
QDate SampleDate(QTime sampleTime, const QDateTime& now);
