#include "chart/drawn_points.h"

#include <algorithm>

namespace {

using Cursor = SeriesPoints::Cursor;

ColumnSpan Span(const SeriesPoints& points, int column, Cursor from, Cursor to) {
    ColumnSpan span;
    span.column = column;
    span.first = points.At(from);
    const Cursor last = points.Previous(to);
    span.onePoint = last == from;
    span.last = span.onePoint ? span.first : points.At(last);
    span.values = points.Values(from, to);
    return span;
}

}  // namespace

DrawnSeries DrawnPoints(const SeriesPoints& points, double lower, double upper, int columns) {
    DrawnSeries drawn;
    if (points.isEmpty() || columns < 1 || !(lower <= upper)) {
        return drawn;
    }
    drawn.lower = lower;
    drawn.columnWidth = (upper - lower) / columns;
    const Cursor first = points.Bound(lower, false);
    const Cursor end = points.Bound(upper, true, first);
    if (first != points.Begin()) {
        drawn.before = points.At(points.Previous(first));
    }
    if (end != points.End()) {
        drawn.after = points.At(end);
    }
    if (!points.MoreThan(first, end, columns)) {
        for (Cursor at = first; at != end; at = points.Next(at)) {
            drawn.points.push_back(points.At(at));
        }
        return drawn;
    }
    drawn.columns.reserve(static_cast<std::size_t>(columns) + 1);
    Cursor from = first;
    for (int c = 0; c <= columns && from != end; ++c) {
        const Cursor to =
            c == columns
                ? end
                : std::min(end, points.Bound(lower + (c + 0.5) * drawn.columnWidth, false, from));
        if (to != from) {
            drawn.columns.push_back(Span(points, c, from, to));
            from = to;
        }
    }
    return drawn;
}
