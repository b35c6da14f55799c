#pragma once
// Random series for the store's and the summary's tests, and a plain sorted list that
// keeps the same points the slow, obvious way.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "chart/compact_point.h"
#include "chart/series_points.h"

namespace random_points {

// Whole seconds from here on are compact (see compact_point.h).
inline const std::int64_t kStartMs = *WholeMilliseconds(45'000.0);

struct Mix {
    double exactX = 0.0;      // share of x values that are not whole milliseconds
    double exactY = 0.0;      // share of y values that are not whole 1/100 steps in 16 bits
    double notFiniteY = 0.0;  // share of y values that are NaN or infinite
};

class Generator {
  public:
    Generator(unsigned seed, Mix mix) : random_(seed), mix_(mix) {}

    // x of second `second` after kStartMs, sometimes moved off the whole millisecond.
    double X(long second) { return XAt(kStartMs + second * 1000); }
    double XAt(std::int64_t milliseconds) {
        const double x = OleDateOfMilliseconds(milliseconds);
        return Chance(mix_.exactX) ? x + Uniform(0.0, 0.9) / 86'400'000.0 : x;
    }

    double Y() {
        if (Chance(mix_.notFiniteY)) {
            return Chance(0.5) ? std::numeric_limits<double>::quiet_NaN()
                               : -std::numeric_limits<double>::infinity();
        }
        if (Chance(mix_.exactY)) {
            return Uniform(-1000.0, 1000.0);
        }
        return static_cast<double>(std::uniform_int_distribution<int>(-32767, 32767)(random_)) /
               100.0;
    }

    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p; }
    double Uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random_);
    }
    long Int(long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(random_); }

  private:
    std::mt19937_64 random_;
    Mix mix_;
};

// The points a series keeps, as a sorted list that drops its oldest beyond the limit.
class SortedList {
  public:
    explicit SortedList(int limit) : limit_(limit) {}

    int Add(double x, double y) {
        if (!std::isfinite(x) || (size() == limit_ && x < points_.front().key)) {
            return -1;
        }
        auto at = std::upper_bound(points_.begin(), points_.end(), x,
                                   [](double key, const SeriesPoint& p) { return key < p.key; });
        int index = static_cast<int>(at - points_.begin());
        points_.insert(at, {x, y});
        if (size() > limit_) {
            points_.pop_front();
            --index;
        }
        return index;
    }

    void AddBatch(const std::vector<double>& xs, const std::vector<double>& ys) {
        std::vector<SeriesPoint> batch;
        for (std::size_t i = 0; i < std::min(xs.size(), ys.size()); ++i) {
            if (std::isfinite(xs[i])) {
                batch.push_back({xs[i], ys[i]});
            }
        }
        std::stable_sort(batch.begin(), batch.end(), KeyLess);
        std::deque<SeriesPoint> merged;
        std::merge(points_.begin(), points_.end(), batch.begin(), batch.end(),
                   std::back_inserter(merged), KeyLess);
        if (merged.size() > std::size_t(limit_)) {
            merged.erase(merged.begin(), merged.end() - limit_);
        }
        points_ = std::move(merged);
    }

    int size() const { return static_cast<int>(points_.size()); }
    const std::deque<SeriesPoint>& points() const { return points_; }

    // The points with lower <= x < upper (x <= upper too when `withUpper`).
    std::vector<SeriesPoint> Between(double lower, double upper, bool withUpper = false) const {
        std::vector<SeriesPoint> in;
        for (auto at = First(lower); at != points_.end() && Before(*at, upper, withUpper); ++at) {
            in.push_back(*at);
        }
        return in;
    }

    // The extent of the points with lower <= x < upper, one by one.
    ValueExtent Values(double lower, double upper) const {
        ValueExtent extent;
        for (auto at = First(lower); at != points_.end() && Before(*at, upper, false); ++at) {
            extent.Add(at->value);
        }
        return extent;
    }

  private:
    std::deque<SeriesPoint>::const_iterator First(double lower) const {
        return std::lower_bound(points_.begin(), points_.end(), lower,
                                [](const SeriesPoint& p, double key) { return p.key < key; });
    }
    static bool Before(const SeriesPoint& p, double upper, bool withUpper) {
        return p.key < upper || (withUpper && p.key == upper);
    }
    static bool KeyLess(const SeriesPoint& a, const SeriesPoint& b) { return a.key < b.key; }

    int limit_;
    std::deque<SeriesPoint> points_;
};

}  // namespace random_points
