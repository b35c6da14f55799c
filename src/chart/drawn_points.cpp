#include "chart/drawn_points.h"

#include <algorithm>

namespace {

using Cursor = SeriesPoints::Cursor;

void AddColumn(const SeriesPoints& points, Cursor from, Cursor to, double middle,
               std::vector<SeriesPoint>& drawn) {
    const SeriesPoint first = points.At(from);
    const Cursor lastAt = points.Previous(to);
    if (lastAt == from) {
        drawn.push_back(first);
        return;
    }
    const SeriesPoint last = points.At(lastAt);
    const ValueExtent values = points.Values(from, to);
    drawn.push_back(first);
    if (!values.Empty()) {
        // Anywhere inside the column: it only needs to stay between the first and last x.
        const double x = std::clamp(middle, first.key, last.key);
        drawn.push_back({x, values.lower});
        drawn.push_back({x, values.upper});
    }
    drawn.push_back(last);
}

}  // namespace

std::vector<SeriesPoint> DrawnPoints(const SeriesPoints& points, double lower, double upper,
                                     int columns) {
    std::vector<SeriesPoint> drawn;
    if (points.isEmpty() || columns < 1 || !(lower <= upper)) {
        return drawn;
    }
    const Cursor first = points.Bound(lower, false);
    const Cursor end = points.Bound(upper, true, first);
    if (first != points.Begin()) {
        drawn.push_back(points.At(points.Previous(first)));
    }
    if (!points.MoreThan(first, end, columns)) {
        for (Cursor at = first; at != end; at = points.Next(at)) {
            drawn.push_back(points.At(at));
        }
    } else {
        drawn.reserve(4 * static_cast<std::size_t>(columns) + 2);
        const double width = (upper - lower) / columns;
        Cursor from = first;
        for (int c = 0; c < columns && from != end; ++c) {
            const Cursor to =
                c + 1 == columns
                    ? end
                    : std::min(end, points.Bound(lower + (c + 1) * width, false, from));
            if (to != from) {
                AddColumn(points, from, to, lower + (c + 0.5) * width, drawn);
                from = to;
            }
        }
    }
    if (end != points.End()) {
        drawn.push_back(points.At(end));
    }
    return drawn;
}
