#pragma once
// The chart's points in a range of time as CSV, for a spreadsheet or a script. A header row
// ("time" and each series' column name), then one row per time at which any series has a
// point, in time order: the local date and time as in the dated record (ISO 8601 with
// milliseconds and the UTC offset), then each series' value there ("." before decimals,
// the shortest text that reads back as the same number; empty where the series has no
// point at that time). Lines end with LF, as in the dated record.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "chart/series_points.h"
#include "series/series_table.h"

using ChartColumns = std::array<const SeriesPoints*, kSeriesCount>;

// Hands the text to `write` in pieces, in order, for the points with from <= x <= to; stops
// at the first piece `write` refuses. Returns the data rows written, or -1 when a piece was
// refused.
std::int64_t WriteChartDataCsv(const ChartColumns& series, double from, double to,
                               const std::function<bool(std::string_view)>& write);
// The same, `write` also told how many points (of all series) the text so far holds, out
// of CountChartPoints.
std::int64_t WriteChartDataCsv(
    const ChartColumns& series, double from, double to,
    const std::function<bool(std::string_view, std::int64_t points)>& write);
// The points of all series with from <= x <= to.
std::int64_t CountChartPoints(const ChartColumns& series, double from, double to);
