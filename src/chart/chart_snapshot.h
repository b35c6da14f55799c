#pragma once
// The chart's points in a range of time as they were at one moment, for writing out on
// another thread while the live points keep arriving (see SeriesPoints::ShareRange).

#include <array>
#include <cstdint>
#include <memory>

#include "chart/chart_data_csv.h"
#include "chart/series_points.h"
#include "series/series_table.h"

struct ChartSnapshot {
    std::array<std::unique_ptr<const SeriesPoints>, kSeriesCount> series;
    // The range: from <= x <= to.
    double from = 0.0;
    double to = 0.0;

    ChartColumns Columns() const {
        ChartColumns columns{};
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            columns[i] = series[i].get();
        }
        return columns;
    }
};
