#pragma once
// The calibration point a stable dew point gives: the window's statistics and the humidity
// quantities at its means, as named fields with the dated record's names and value texts
// ("." before decimals whatever the locale, empty for a quantity that cannot be computed), so
// that a script or a calibration sheet reads the same names everywhere. The headless program
// prints them as one line of name=value pairs; the window copies them as a header line and a
// value line, tab-separated.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

#include "humidity/humidity_tracker.h"

struct CalibrationField {
    QString name;
    QString value;
};

// `time`: when the point was taken (the newest sample's time).
std::vector<CalibrationField> CalibrationPointFields(const QDateTime& time,
                                                     const humidity::SampleHumidity& humidity);

// "dew_point_mean=20.0000 dew_point_sd=0.00100000 ...": one line, no line end.
QString CalibrationPointLine(const std::vector<CalibrationField>& fields);

// The names, a line end, the values: tab-separated, with a line end after each line.
QString CalibrationPointTable(const std::vector<CalibrationField>& fields);
