#pragma once
// What a line through a series looks like at a given width, from few points: the series'
// points between two x values as they fall into pixel columns. A column with several
// points gives its first point, its smallest and largest value, and its last point, so
// the line drawn through the result covers in every column exactly what the line through
// all the points covers, and no spike is lost. When the range holds no more points than
// there are columns, the result is the points themselves. One point beyond each end of
// the range is added, so that the line runs on to the edges.
//
// Cost: O(columns x log n), whatever the number of points in the range.

#include <vector>

#include "chart/series_points.h"

// Columns split [lower, upper] evenly: column c holds the points with x from
// lower + c * width to lower + (c + 1) * width, the last one up to upper itself.
std::vector<SeriesPoint> DrawnPoints(const SeriesPoints& points, double lower, double upper,
                                     int columns);
