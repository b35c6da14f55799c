// A series' points: ascending x, the bound on their number, batches, the tracked y range.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "chart/series_points.h"
#include "random_points.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct XY {
    double x, y;
};

std::vector<double> Keys(const SeriesPoints& points) {
    std::vector<double> keys;
    for (auto it = points.constBegin(); it != points.constEnd(); ++it) {
        keys.push_back(it->key);
    }
    return keys;
}

std::vector<double> Values(const SeriesPoints& points) {
    std::vector<double> values;
    for (auto it = points.constBegin(); it != points.constEnd(); ++it) {
        values.push_back(it->value);
    }
    return values;
}

TEST(SeriesPointsTest, KeepsXAscendingAndReturnsTheNewIndex) {
    struct Case {
        const char* name;
        int limit;
        std::vector<XY> added;
        std::vector<int> indices;
        std::vector<double> keys;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"appended in order", 10, {{1, 10}, {2, 20}, {3, 30}}, {0, 1, 2}, {1, 2, 3}, {10, 20, 30}},
        {"earlier x inserted in order",
         10,
         {{3, 30}, {1, 10}, {2, 20}, {5, 50}},
         {0, 0, 1, 3},
         {1, 2, 3, 5},
         {10, 20, 30, 50}},
        {"same x goes after the points it equals",
         10,
         {{1, 10}, {2, 20}, {3, 30}, {2, 21}, {3, 31}},
         {0, 1, 2, 2, 4},
         {1, 2, 2, 3, 3},
         {10, 20, 21, 30, 31}},
        {"beyond the limit the oldest go",
         3,
         {{1, 10}, {2, 20}, {3, 30}, {4, 40}, {5, 50}},
         {0, 1, 2, 2, 2},
         {3, 4, 5},
         {30, 40, 50}},
        {"full, and older than every point: not kept",
         3,
         {{1, 10}, {2, 20}, {3, 30}, {0, 99}},
         {0, 1, 2, -1},
         {1, 2, 3},
         {10, 20, 30}},
        {"full, inserted in the middle",
         3,
         {{1, 10}, {2, 20}, {3, 30}, {2.5, 25}},
         {0, 1, 2, 1},
         {2, 2.5, 3},
         {20, 25, 30}},
        {"x not finite: not kept",
         10,
         {{1, 10}, {kNaN, 5}, {std::numeric_limits<double>::infinity(), 6}},
         {0, -1, -1},
         {1},
         {10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesPoints points(c.limit);
        std::vector<int> indices;
        for (const XY& p : c.added) {
            indices.push_back(points.Add(p.x, p.y));
        }
        EXPECT_EQ(indices, c.indices);
        EXPECT_EQ(Keys(points), c.keys);
        EXPECT_EQ(Values(points), c.values);
    }
}

TEST(SeriesPointsTest, BatchesMergeInXOrderAndKeepTheNewest) {
    struct Case {
        const char* name;
        int limit;
        std::vector<XY> before;
        std::vector<double> xs, ys;
        std::vector<double> keys;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"into an empty series", 10, {}, {1, 2, 3}, {10, 20, 30}, {1, 2, 3}, {10, 20, 30}},
        {"after the points there", 10, {{1, 10}}, {2, 3}, {20, 30}, {1, 2, 3}, {10, 20, 30}},
        {"among the points there, after equal x",
         10,
         {{1, 10}, {3, 30}, {5, 50}},
         {2, 3, 6},
         {20, 31, 60},
         {1, 2, 3, 3, 5, 6},
         {10, 20, 30, 31, 50, 60}},
        {"out of order: sorted, equal x in the batch's order",
         10,
         {},
         {4, 0, 2, 0},
         {40, 1, 20, 2},
         {0, 0, 2, 4},
         {1, 2, 20, 40}},
        {"beyond the limit the oldest go",
         4,
         {{5, 50}, {7, 70}},
         {1, 6, 8, 9},
         {10, 60, 80, 90},
         {6, 7, 8, 9},
         {60, 70, 80, 90}},
        {"a batch larger than the limit", 2, {}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {4, 5}, {4, 5}},
        {"pairs past the shorter span, and x not finite, left out",
         10,
         {},
         {1, kNaN, 3, 4},
         {10, 20, 30},
         {1, 3},
         {10, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesPoints points(c.limit);
        for (const XY& p : c.before) {
            points.Add(p.x, p.y);
        }
        points.AddBatch(c.xs, c.ys);
        EXPECT_EQ(Keys(points), c.keys);
        EXPECT_EQ(Values(points), c.values);
    }
}

TEST(SeriesPointsTest, StorageStaysWithinTheBoundHoweverLongItRuns) {
    struct Case {
        const char* name;
        int limit;
        int points;
        bool batch;
        bool descending;  // each point older than the rest: never kept once full
    };
    const Case cases[] = {
        {"one at a time, well past the limit", 1000, 100'000, false, false},
        {"one at a time, up to the limit", 1000, 1000, false, false},
        {"one at a time, each older than the rest", 1000, 1000, false, true},
        {"one large batch", 1000, 50'000, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesPoints points(c.limit);
        std::vector<double> xs, ys;
        for (int i = 0; i < c.points; ++i) {
            xs.push_back(c.descending ? c.points - 1 - i : i);
            ys.push_back(-i);
        }
        if (c.batch) {
            points.AddBatch(xs, ys);
        } else {
            for (int i = 0; i < c.points; ++i) {
                points.Add(xs[i], ys[i]);
                ASSERT_LE(points.Capacity(), points.MaxCapacity()) << "after point " << i;
            }
        }
        const int kept = std::min(c.points, c.limit);
        ASSERT_EQ(points.size(), kept);
        EXPECT_LE(points.Capacity(), points.MaxCapacity());
        EXPECT_LE(points.MaxCapacity(), c.limit + c.limit / 4 + 2 * points.ChunkPoints());
        if (!c.descending) {
            // In order, only the oldest and the newest chunk are partly empty.
            EXPECT_LE(points.Capacity(), kept + 2 * points.ChunkPoints());
        }
        EXPECT_EQ(points.Point(0).key, c.points - kept);
        EXPECT_EQ(points.Point(kept - 1).key, c.points - 1);
        // A series added to one at a time after a load keeps within the bound too.
        points.Add(c.points, 0.0);
        EXPECT_LE(points.Capacity(), points.MaxCapacity());
    }
}

TEST(SeriesPointsTest, ValueRangeFollowsThePointsThatAreKept) {
    struct Case {
        const char* name;
        int limit;
        std::vector<XY> added;
        bool clear;
        bool found;
        double lower, upper;
    };
    const Case cases[] = {
        {"empty", 3, {}, false, false, 0, 0},
        {"all points", 3, {{1, 10}, {2, 1}, {3, 5}}, false, true, 1, 10},
        {"the dropped maximum no longer counts",
         3,
         {{1, 10}, {2, 1}, {3, 5}, {4, 7}},
         false,
         true,
         1,
         7},
        {"the dropped minimum no longer counts",
         3,
         {{1, 10}, {2, 1}, {3, 5}, {4, 7}, {5, 6}},
         false,
         true,
         5,
         7},
        {"values that are not finite do not count",
         3,
         {{1, kNaN}, {2, 4}, {3, std::numeric_limits<double>::infinity()}},
         false,
         true,
         4,
         4},
        {"cleared", 3, {{1, 10}, {2, 1}}, true, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesPoints points(c.limit);
        for (const XY& p : c.added) {
            points.Add(p.x, p.y);
        }
        if (c.clear) {
            points.Clear();
        }
        bool found = !c.found;
        const ValueExtent range = points.ValueRange(found);
        EXPECT_EQ(found, c.found);
        if (c.found) {
            EXPECT_EQ(range.lower, c.lower);
            EXPECT_EQ(range.upper, c.upper);
        }
    }
}

TEST(SeriesPointsTest, ValueRangeAfterABatchAndLaterPoints) {
    SeriesPoints points(4);
    points.Add(1, 100);
    const std::vector<double> xs{2, 3, 4, 5};
    const std::vector<double> ys{-3, 8, 2, 1};
    points.AddBatch(xs, ys);
    bool found = false;
    ValueExtent range = points.ValueRange(found);
    ASSERT_TRUE(found);
    EXPECT_EQ(range.lower, -3);
    EXPECT_EQ(range.upper, 8);
    points.Add(6, 9);  // drops x 2, the minimum
    range = points.ValueRange(found);
    EXPECT_EQ(range.lower, 1);
    EXPECT_EQ(range.upper, 9);
}

using random_points::Generator;
using random_points::Mix;
using random_points::SortedList;

std::uint64_t Bits(double d) {
    return std::bit_cast<std::uint64_t>(d);
}

void ExpectSamePoints(const SeriesPoints& points, const SortedList& list) {
    ASSERT_EQ(points.size(), list.size());
    std::size_t i = 0;
    for (const SeriesPoint p : points) {
        const SeriesPoint& expected = list.points()[i];
        ASSERT_EQ(Bits(p.key), Bits(expected.key)) << "point " << i;
        ASSERT_EQ(Bits(p.value), Bits(expected.value)) << "point " << i;
        ++i;
    }
    bool found = false;
    const ValueExtent keys = points.KeyRange(found);
    ASSERT_EQ(found, list.size() > 0);
    if (found) {
        EXPECT_EQ(keys.lower, list.points().front().key);
        EXPECT_EQ(keys.upper, list.points().back().key);
    }
    const ValueExtent values = points.ValueRange(found);
    const ValueExtent expected = list.Values(-INFINITY, INFINITY);
    EXPECT_EQ(found, !expected.Empty());
    EXPECT_EQ(values, expected);
    EXPECT_LE(points.Capacity(), points.MaxCapacity());
    // The extents of runs of points, after whatever moved the points inside their storage.
    std::mt19937 random(list.size());
    std::uniform_int_distribution<int> index(0, std::max(list.size() - 1, 0));
    for (int run = 0; run < 25 && list.size() > 0; ++run) {
        const double lower = list.points()[index(random)].key;
        const double upper = list.points()[index(random)].key;
        const SeriesPoints::Cursor from = points.Bound(lower, false);
        ASSERT_EQ(points.Values(from, points.Bound(upper, false, from)), list.Values(lower, upper))
            << lower << " to " << upper;
    }
}

enum class Order { Ascending, Descending, Shuffled, ClockSetBack, WithBatches };

TEST(SeriesPointsTest, KeepsWhatASortedListKeepsDroppingExactlyTheOldest) {
    struct Case {
        const char* name;
        int limit;
        int chunkPoints;
        long count;
        Order order;
        Mix mix;
    };
    const Case cases[] = {
        {"live, well past the limit", 500, 16, 4000, Order::Ascending, {}},
        {"live, chunks larger than the limit", 500, 4096, 3000, Order::Ascending, {}},
        {"each older than the rest", 700, 32, 2000, Order::Descending, {}},
        {"any order, equal x among them", 800, 16, 3000, Order::Shuffled, {0.1, 0.1, 0.02}},
        {"any order past the limit, in blocks", 1500, 256, 6000, Order::Shuffled, {}},
        {"the clock set back now and then", 3000, 64, 12'000, Order::ClockSetBack, {}},
        {"the clock set back, odd times and values",
         3000,
         64,
         8000,
         Order::ClockSetBack,
         {0.3, 0.3, 0.05}},
        {"the clock set back, blocks of blocks", 6000, 2048, 12'000, Order::ClockSetBack, {}},
        {"points and batches, any order", 2000, 16, 6000, Order::WithBatches, {0.2, 0.2, 0.05}},
        {"batches past a large chunk", 5000, 1024, 20'000, Order::WithBatches, {0.05, 0.05, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Generator random(static_cast<unsigned>(c.count), c.mix);
        SeriesPoints points(c.limit, 100.0, c.chunkPoints);
        SortedList list(c.limit);
        long clock = 0;
        for (long i = 0; i < c.count; ++i) {
            long second = i;
            switch (c.order) {
                case Order::Ascending:
                    break;
                case Order::Descending:
                    second = c.count - i;
                    break;
                case Order::Shuffled:
                    second = random.Int(0, c.count / 2);
                    break;
                case Order::ClockSetBack:
                    clock += random.Chance(0.002) ? -random.Int(0, 3600) : 1;
                    second = clock;
                    break;
                case Order::WithBatches:
                    second = random.Int(0, c.count);
                    if (random.Chance(0.02)) {
                        std::vector<double> xs, ys;
                        const long size = random.Int(0, 300);
                        const long from = random.Int(0, c.count);
                        for (long b = 0; b < size; ++b) {
                            xs.push_back(random.Chance(0.01) ? kNaN
                                                             : random.X(from + random.Int(0, 400)));
                            ys.push_back(random.Y());
                        }
                        if (random.Chance(0.5)) {
                            std::sort(xs.begin(), xs.end());
                        }
                        if (!ys.empty() && random.Chance(0.5)) {
                            ys.pop_back();  // pairs beyond the shorter span are left out
                        }
                        points.AddBatch(xs, ys);
                        list.AddBatch(xs, ys);
                        if (random.Chance(0.1)) {
                            ASSERT_NO_FATAL_FAILURE(ExpectSamePoints(points, list)) << "op " << i;
                        }
                    }
                    break;
            }
            const double x = random.X(second);
            const double y = random.Y();
            ASSERT_EQ(points.Add(x, y), list.Add(x, y)) << "op " << i;
            if (i % 499 == 0) {
                ASSERT_NO_FATAL_FAILURE(ExpectSamePoints(points, list)) << "op " << i;
            }
        }
        ASSERT_NO_FATAL_FAILURE(ExpectSamePoints(points, list));
        EXPECT_LE(points.size(), c.limit);
        for (int index : {0, points.size() / 2, points.size() - 1}) {
            EXPECT_EQ(Bits(points.Point(index).key), Bits(list.points()[index].key));
        }
    }
}

TEST(SeriesPointsTest, LoadedAndLivePointsInterleaveInXOrderAndStayExact) {
    SeriesPoints points(10'000, 100.0, 64);
    SortedList list(10'000);
    Generator random(7, {});
    const auto live = [&](long from, long count) {
        for (long second = from; second < from + count; ++second) {
            const double x = random.X(second);
            const double y = random.Y();
            ASSERT_EQ(points.Add(x, y), list.Add(x, y));
        }
    };
    // A loaded file: a day counter plus odd times of day, and values of any decimals.
    const auto load = [&](double firstDay, long count) {
        std::vector<double> xs, ys;
        for (long i = 0; i < count; ++i) {
            xs.push_back(firstDay + (i * 1.37 + 0.123) / 86'400.0);
            ys.push_back(i % 3 == 0 ? 12.345 + i : -3.25);
        }
        points.AddBatch(xs, ys);
        list.AddBatch(xs, ys);
    };
    ASSERT_NO_FATAL_FAILURE(live(0, 3000));
    load(0.4, 2000);
    ASSERT_NO_FATAL_FAILURE(live(3000, 1000));
    // A second file among the points of the first.
    load(0.41, 1500);
    ASSERT_NO_FATAL_FAILURE(live(4000, 1000));
    ASSERT_NO_FATAL_FAILURE(ExpectSamePoints(points, list));
    EXPECT_EQ(points.size(), 8500);
}

TEST(SeriesPointsTest, WhatAPointCosts) {
    struct Case {
        const char* name;
        Mix mix;
        double bytesPerPoint;  // at most
    };
    const Case cases[] = {
        {"live: whole milliseconds, 16-bit readings", {}, 6.6},
        {"loaded: odd times and values", {1.0, 1.0, 0.0}, 17.1},
    };
    constexpr long kPoints = 200'000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Generator random(3, c.mix);
        SeriesPoints points;
        for (long second = 0; second < kPoints; ++second) {
            points.Add(random.X(second), random.Y());
        }
        const double perPoint = static_cast<double>(points.StorageBytes()) / kPoints;
        EXPECT_LE(perPoint, c.bytesPerPoint);
        EXPECT_GT(perPoint, 6.0);
    }
}

}  // namespace

namespace {

// Forty points x = 1 ... 40, y = 10 x, sixteen to a chunk: two full chunks and one partly
// filled.
void AddForty(SeriesPoints& points) {
    for (int x = 1; x <= 40; ++x) {
        points.Add(x, 10.0 * x);
    }
}

std::vector<double> OneTo(int last) {
    std::vector<double> keys;
    for (int x = 1; x <= last; ++x) {
        keys.push_back(x);
    }
    return keys;
}

}  // namespace

TEST(SeriesPointsTest, ASharedRangeKeepsThePointsItWasTakenWithWhateverComesLater) {
    struct Case {
        const char* name;
        int limit;
        std::function<void(SeriesPoints&)> change;
        // The changed series: its size and a key it holds only after the change.
        int size;
        double newKey;
    };
    const Case cases[] = {
        {"appended into the shared last chunk", 100, [](SeriesPoints& p) { p.Add(41, 1); }, 41, 41},
        {"inserted into a shared full chunk, which splits", 100,
         [](SeriesPoints& p) { p.Add(20.5, 1); }, 41, 20.5},
        {"inserted into the shared last chunk", 100, [](SeriesPoints& p) { p.Add(35.5, 1); }, 41,
         35.5},
        {"before every point, into the shared first chunk", 100,
         [](SeriesPoints& p) { p.Add(0.5, 1); }, 41, 0.5},
        {"the oldest dropped from the shared first chunk", 40,
         [](SeriesPoints& p) { p.Add(41, 1); }, 40, 41},
        {"a thousand appended and the oldest dropped", 40,
         [](SeriesPoints& p) {
             for (int x = 41; x <= 1040; ++x) {
                 p.Add(x, 1);
             }
         },
         40, 1040},
        {"a batch merged in", 100,
         [](SeriesPoints& p) {
             const std::vector<double> xs{2.5, 50};
             const std::vector<double> ys{1, 1};
             p.AddBatch(xs, ys);
         },
         42, 2.5},
        {"emptied", 100, [](SeriesPoints& p) { p.Clear(); }, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesPoints points(c.limit, 100.0, 16);
        AddForty(points);
        const std::unique_ptr<const SeriesPoints> shared = points.ShareRange(10, 45);
        c.change(points);

        EXPECT_EQ(shared->size(), 40);
        EXPECT_EQ(Keys(*shared), OneTo(40));
        EXPECT_EQ(Values(*shared)[0], 10.0);
        EXPECT_EQ(Values(*shared)[39], 400.0);
        bool found = false;
        const ValueExtent values = shared->ValueRange(found);
        EXPECT_TRUE(found);
        EXPECT_EQ(values.lower, 10.0);
        EXPECT_EQ(values.upper, 400.0);
        const SeriesPoints::Cursor at = shared->Bound(20, true);
        EXPECT_EQ(shared->At(at).key, 21.0);

        EXPECT_EQ(points.size(), c.size);
        if (c.size > 0) {
            const std::vector<double> keys = Keys(points);
            EXPECT_NE(std::find(keys.begin(), keys.end(), c.newKey), keys.end());
            EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
        }
    }
}

TEST(SeriesPointsTest, ASharedRangeHoldsTheChunksAroundTheRangeOnly) {
    struct Case {
        const char* name;
        double from, to;
        std::vector<double> keys;
    };
    std::vector<double> middle;
    for (int x = 17; x <= 32; ++x) {
        middle.push_back(x);
    }
    const Case cases[] = {
        {"inside the second chunk", 18, 30, middle},
        {"the second chunk's ends exactly", 17, 32, middle},
        {"all of it", 0, 100, OneTo(40)},
        {"the first two chunks", 1, 20, OneTo(32)},
        {"before every point", -5, 0.5, {}},
        {"after every point", 41, 50, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesPoints points(100, 100.0, 16);
        AddForty(points);
        EXPECT_EQ(Keys(*points.ShareRange(c.from, c.to)), c.keys);
    }
}
