#pragma once
// The seven series of the chart: how each looks and which value of a sample it plots.

#include <QColor>
#include <array>
#include <cstddef>

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
    bool shown;  // at start
    // Live readings come in whole steps of 1 / divisor.
    double divisor;
};

const std::array<SeriesLook, kSeriesCount>& SeriesTable();
