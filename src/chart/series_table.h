#pragma once
// The seven series of the chart: how each looks and which value of a sample it plots.

#include <QColor>
#include <array>
#include <cstddef>

#include "measure/measurement_record.h"

inline constexpr std::size_t kSeriesCount = 7;

// Series1 .. Series7, the index into the table.
enum ChartSeries : std::size_t {
    Series1,
    Series2,
    Series3,
    Series4,
    Series5,
    Series6,
    Series7,
};

struct SeriesLook {
    const char* title;  // UTF-8, the same in both interface languages
    QColor colour;
    int lineWidth;
    bool shown;  // no series is shown or hidden after start
    // The sample's value, single-byte fields as 0..255, before the divisor.
    int (*field)(const MeasurementSample&);
    double divisor;
};

const std::array<SeriesLook, kSeriesCount>& SeriesTable();

// One y value per series for a sample, in series order.
std::array<double, kSeriesCount> SeriesValues(const MeasurementSample& sample);
