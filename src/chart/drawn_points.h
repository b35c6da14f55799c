#pragma once
// What a line through a series looks like at a given width, from few points: the series'
// points between two x values as they fall into pixel columns. When the range holds no
// more points than there are columns, that is the points themselves. Otherwise it is,
// for each column that holds points, its first and last point and the extent of its
// values: a line drawn through those covers in every column what the line through all
// the points covers there, so no spike is lost. The points just before and after the
// range come with it, so that the line runs on to the edges.
//
// Cost: O(columns x log n), whatever the number of points in the range.

#include <optional>
#include <vector>

#include "chart/series_points.h"

// One pixel column's share of a series.
struct ColumnSpan {
    int column = 0;
    SeriesPoint first;
    SeriesPoint last;  // the first again when the column holds one point
    ValueExtent values;
    bool onePoint = true;
};

struct DrawnSeries {
    std::optional<SeriesPoint> before;
    std::optional<SeriesPoint> after;
    // Either the points in the range, or the spans of the columns that hold points.
    std::vector<SeriesPoint> points;
    std::vector<ColumnSpan> columns;
    // Column c is centred on lower + c * columnWidth.
    double lower = 0.0;
    double columnWidth = 0.0;

    bool InColumns() const { return !columns.empty(); }
};

// `columns` pixels span [lower, upper], and a pixel is where the points round to that lie
// within half a pixel of its centre: column c, for c from 0 to `columns`, holds the points
// with x from lower + (c - 1/2) * width to lower + (c + 1/2) * width, where width is
// (upper - lower) / columns, the first from lower itself and the last up to upper itself.
DrawnSeries DrawnPoints(const SeriesPoints& points, double lower, double upper, int columns);
