// The summary a redraw reads: the extent of any run of points, and the columns of a view,
// against brute force over the same points; a spike in a month at every zoom.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/drawn_points.h"
#include "chart/series_points.h"
#include "random_points.h"

namespace {

using random_points::Generator;
using random_points::Mix;
using random_points::SortedList;

constexpr double kSecond = 1.0 / 86'400.0;

struct Store {
    const char* name;
    int limit;
    int chunkPoints;
    long count;
    bool shuffled;
    Mix mix;
};

const Store kStores[] = {
    {"live, past the limit, small chunks", 3000, 16, 9000, false, {}},
    {"live, past the limit, blocks of blocks", 20'000, 4096, 30'000, false, {}},
    {"any order, odd values", 5000, 64, 6000, true, {0.2, 0.2, 0.05}},
    {"live with gaps and odd values, one chunk", 4000, 4096, 5000, false, {0.01, 0.05, 0.01}},
};

// Fills both; seconds with gaps now and then, so some columns are empty.
void Fill(const Store& s, Generator& random, SeriesPoints& points, SortedList& list) {
    long second = 0;
    for (long i = 0; i < s.count; ++i) {
        second = s.shuffled ? random.Int(0, s.count) : second + (random.Chance(0.01) ? 300 : 1);
        const double x = random.X(second);
        const double y = random.Y();
        points.Add(x, y);
        list.Add(x, y);
    }
}

TEST(SeriesSummaryTest, TheExtentOfAnyRunAgreesWithBruteForce) {
    for (const Store& s : kStores) {
        SCOPED_TRACE(s.name);
        Generator random(11, s.mix);
        SeriesPoints points(s.limit, 100.0, s.chunkPoints);
        SortedList list(s.limit);
        Fill(s, random, points, list);
        ASSERT_EQ(points.size(), list.size());
        const double first = list.points().front().key;
        const double last = list.points().back().key;
        for (int trial = 0; trial < 150; ++trial) {
            // Ranges of any length, short ones at point x values themselves.
            double lower = random.Uniform(first - 5 * kSecond, last + 5 * kSecond);
            double upper = lower + (last - first) * std::pow(random.Uniform(0, 1), 4);
            if (trial % 4 == 0) {
                const auto& p = list.points();
                lower = p[random.Int(0, list.size() - 1)].key;
                upper = p[random.Int(0, list.size() - 1)].key;
            }
            SCOPED_TRACE(testing::Message() << "trial " << trial);
            const SeriesPoints::Cursor from = points.Bound(lower, false);
            const SeriesPoints::Cursor to = points.Bound(upper, false, from);
            if (from != points.End()) {
                ASSERT_GE(points.At(from).key, lower);
            }
            if (from != points.Begin()) {
                ASSERT_LT(points.At(points.Previous(from)).key, lower);
            }
            ASSERT_EQ(points.Values(from, to), list.Values(lower, upper));
        }
    }
}

TEST(SeriesSummaryTest, EachColumnSpansWhatItsPointsSpan) {
    for (const Store& s : kStores) {
        SCOPED_TRACE(s.name);
        Generator random(12, s.mix);
        SeriesPoints points(s.limit, 100.0, s.chunkPoints);
        SortedList list(s.limit);
        Fill(s, random, points, list);
        const double first = list.points().front().key;
        const double last = list.points().back().key;
        for (int trial = 0; trial < 25; ++trial) {
            SCOPED_TRACE(testing::Message() << "trial " << trial);
            const double lower = random.Uniform(first - 60 * kSecond, last);
            const double upper = lower + (last - first) * std::pow(random.Uniform(0, 1), 3);
            const int columns = static_cast<int>(random.Int(1, 800));
            const DrawnSeries drawn = DrawnPoints(points, lower, upper, columns);

            const std::vector<SeriesPoint> inView = list.Between(lower, upper, true);
            const auto& all = list.points();
            const auto firstIn =
                std::lower_bound(all.begin(), all.end(), lower,
                                 [](const SeriesPoint& p, double key) { return p.key < key; });
            const auto firstAfter = firstIn + static_cast<std::ptrdiff_t>(inView.size());
            ASSERT_EQ(drawn.before.has_value(), firstIn != all.begin());
            if (drawn.before) {
                EXPECT_EQ(drawn.before->key, (firstIn - 1)->key);
            }
            ASSERT_EQ(drawn.after.has_value(), firstAfter != all.end());
            if (drawn.after) {
                EXPECT_EQ(drawn.after->key, firstAfter->key);
            }
            if (inView.size() <= static_cast<std::size_t>(columns)) {
                ASSERT_FALSE(drawn.InColumns());
                ASSERT_EQ(drawn.points.size(), inView.size());
                for (std::size_t i = 0; i < inView.size(); ++i) {
                    EXPECT_EQ(drawn.points[i].key, inView[i].key);
                }
                continue;
            }
            ASSERT_TRUE(drawn.InColumns());
            const double width = (upper - lower) / columns;
            std::size_t span = 0;
            for (int c = 0; c <= columns; ++c) {
                const std::vector<SeriesPoint> in =
                    list.Between(c == 0 ? lower : lower + (c - 0.5) * width,
                                 c == columns ? upper : lower + (c + 0.5) * width, c == columns);
                if (in.empty()) {
                    continue;
                }
                SCOPED_TRACE(testing::Message() << "column " << c);
                ASSERT_LT(span, drawn.columns.size());
                const ColumnSpan& got = drawn.columns[span++];
                ASSERT_EQ(got.column, c);
                EXPECT_EQ(got.first.key, in.front().key);
                EXPECT_EQ(got.last.key, in.back().key);
                EXPECT_EQ(got.onePoint, in.size() == 1);
                ValueExtent values;
                for (const SeriesPoint& p : in) {
                    values.Add(p.value);
                }
                EXPECT_EQ(got.values, values);
            }
            EXPECT_EQ(span, drawn.columns.size());
        }
    }
}

TEST(SeriesSummaryTest, ASpikeOfOnePointInAMonthIsDrawnAtEveryZoom) {
    // A month at one sample a second on a calm series, and one point far above the rest.
    constexpr long kMonth = SeriesPoints::kDefaultLimit;
    constexpr long kSpikeAt = 1'234'567;
    constexpr double kSpike = 99.99;
    std::vector<double> xs, ys;
    xs.reserve(kMonth);
    ys.reserve(kMonth);
    for (long second = 0; second < kMonth; ++second) {
        xs.push_back(OleDateOfMilliseconds(random_points::kStartMs + second * 1000));
        ys.push_back(second == kSpikeAt ? kSpike : static_cast<double>(second % 700) / 100.0);
    }
    SeriesPoints points;
    points.AddBatch(xs, ys);
    ASSERT_EQ(points.size(), kMonth);
    const double spikeX = xs[kSpikeAt];

    struct Zoom {
        const char* name;
        double span;  // days
    };
    const Zoom zooms[] = {{"a month", 31.0},
                          {"a week", 7.0},
                          {"a day", 1.0},
                          {"an hour", 1.0 / 24},
                          {"ten minutes", 1.0 / 144},
                          {"a minute", 1.0 / 1440},
                          {"ten seconds", 10 * kSecond}};
    constexpr int kColumns = 753;
    for (const Zoom& zoom : zooms) {
        // The spike in the middle, near either edge, and on a column's boundary.
        for (const double at : {0.5, 0.001, 0.999, 100.5 / kColumns}) {
            SCOPED_TRACE(testing::Message() << zoom.name << ", spike at " << at);
            const double lower = spikeX - at * zoom.span;
            const DrawnSeries drawn = DrawnPoints(points, lower, lower + zoom.span, kColumns);
            bool drawnInItsColumn = false;
            for (const ColumnSpan& span : drawn.columns) {
                if (span.first.key <= spikeX && spikeX <= span.last.key) {
                    drawnInItsColumn = span.values.upper == kSpike;
                }
            }
            for (const SeriesPoint& p : drawn.points) {
                drawnInItsColumn = drawnInItsColumn || (p.key == spikeX && p.value == kSpike);
            }
            EXPECT_TRUE(drawnInItsColumn);
        }
    }
}

}  // namespace
