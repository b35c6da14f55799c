// One chunk of a series: its points and the extent of every run of them after each kind of
// change (appending, inserting on either side, dropping the oldest, splitting, turning
// exact), against a plain list.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <deque>
#include <memory>

#include "chart/series_chunk.h"
#include "random_points.h"

namespace {

using random_points::Generator;
using random_points::Mix;

ValueExtent Extent(const std::deque<SeriesPoint>& list, int from, int to) {
    ValueExtent extent;
    for (int i = from; i < to; ++i) {
        extent.Add(list[static_cast<std::size_t>(i)].value);
    }
    return extent;
}

void ExpectSame(const SeriesChunk& chunk, const std::deque<SeriesPoint>& list, int step,
                Generator& random) {
    const int size = chunk.Size();
    ASSERT_EQ(size, static_cast<int>(list.size())) << "step " << step;
    for (int i = 0; i < size; ++i) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(chunk.X(i)),
                  std::bit_cast<std::uint64_t>(list[std::size_t(i)].key))
            << "step " << step << ", point " << i;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(chunk.Y(i)),
                  std::bit_cast<std::uint64_t>(list[std::size_t(i)].value))
            << "step " << step << ", point " << i;
    }
    ASSERT_EQ(chunk.AllValues(), Extent(list, 0, size)) << "step " << step;
    // Every run of a small chunk; some runs of a large one.
    const auto check = [&](int from, int to) {
        ASSERT_EQ(chunk.Values(from, to), Extent(list, from, to))
            << "step " << step << ", points " << from << " to " << to;
    };
    if (chunk.Capacity() <= 128) {
        for (int from = 0; from < size; ++from) {
            ValueExtent extent;
            for (int to = from + 1; to <= size; ++to) {
                extent.Add(list[std::size_t(to - 1)].value);
                ASSERT_EQ(chunk.Values(from, to), extent)
                    << "step " << step << ", points " << from << " to " << to;
            }
        }
        return;
    }
    for (int run = 0; run < 30; ++run) {
        const auto a = static_cast<int>(random.Int(0, size));
        const auto b = static_cast<int>(random.Int(0, size));
        ASSERT_NO_FATAL_FAILURE(check(std::min(a, b), std::max(a, b)));
    }
}

TEST(SeriesChunkTest, EveryRunsExtentAfterEveryKindOfChange) {
    struct Case {
        const char* name;
        int capacity;
        Mix mix;
        int steps;
    };
    const Case cases[] = {
        {"compact, one level of blocks", 64, {}, 800},
        {"turning exact on the way", 64, {0.002, 0.002, 0.01}, 800},
        {"exact", 128, {1.0, 1.0, 0.05}, 400},
        {"two levels of blocks", 2048, {}, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Generator random(static_cast<unsigned>(c.capacity), c.mix);
        auto chunk = std::make_unique<SeriesChunk>(c.capacity, 100.0);
        std::deque<SeriesPoint> list;
        // Appended x values two seconds apart leave room for insertions between them.
        long second = 0;
        const auto ms = [](const SeriesPoint& p) { return FirstMillisecondFrom(p.key, false); };
        for (int step = 0; step < c.steps; ++step) {
            const long kind = random.Int(0, 19);
            if (kind <= 7 && chunk->RoomAtEnd()) {
                second += 2;
                // Within +-3.28, below what insertions bring.
                const double y = random.Y();
                const SeriesPoint p{random.X(second), std::isfinite(y) ? std::round(y) / 100 : y};
                chunk->Append(p.key, p.value);
                list.push_back(p);
            } else if (kind <= 15 && !chunk->Full()) {
                // Before any point: on the side with room, or the shorter one.
                const auto i = static_cast<std::size_t>(random.Int(0, chunk->Size()));
                const std::int64_t before =
                    i > 0 ? ms(list[i - 1])
                          : (list.empty() ? random_points::kStartMs : ms(list.front()) - 1000);
                const std::int64_t after = i < list.size() ? ms(list[i]) : before + 1;
                // A new extreme each time: a block that missed it would show.
                const double y = (step % 2 == 0 ? 400.0 + step : -400.0 - step) / 100.0;
                const SeriesPoint p{random.XAt(before + (after - before) / 2), y};
                chunk->Insert(static_cast<int>(i), p.key, p.value);
                list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), p);
            } else if (kind <= 18 && chunk->Size() > 0) {
                const int count = static_cast<int>(random.Int(1, 3));
                chunk->DropFront(count);
                for (int i = 0; i < count && !list.empty(); ++i) {
                    list.pop_front();
                }
            } else if (chunk->Size() > chunk->Capacity() / 2) {
                // Keep one half or the other.
                const int from = static_cast<int>(random.Int(1, chunk->Size() - 1));
                std::unique_ptr<SeriesChunk> upper = chunk->SplitOff(from);
                if (random.Chance(0.5)) {
                    chunk = std::move(upper);
                    list.erase(list.begin(), list.begin() + from);
                } else {
                    list.erase(list.begin() + from, list.end());
                }
            }
            ASSERT_NO_FATAL_FAILURE(ExpectSame(*chunk, list, step, random));
        }
    }
}

}  // namespace
