#pragma once
// The smallest and the largest of some values, counting only finite ones: what a pixel
// column of the chart must span, and what an automatic value axis must show.

#include <algorithm>
#include <cmath>
#include <limits>

struct ValueExtent {
    // Empty: lower above upper.
    double lower = std::numeric_limits<double>::infinity();
    double upper = -std::numeric_limits<double>::infinity();

    bool Empty() const { return lower > upper; }

    void Add(double y) {
        if (std::isfinite(y)) {
            lower = std::min(lower, y);
            upper = std::max(upper, y);
        }
    }
    void Add(const ValueExtent& other) {
        lower = std::min(lower, other.lower);
        upper = std::max(upper, other.upper);
    }
    // Whether dropping y could change the extent.
    bool AtEdge(double y) const { return y == lower || y == upper; }

    friend bool operator==(const ValueExtent&, const ValueExtent&) = default;
};
