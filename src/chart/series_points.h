#pragma once
// The points of one chart series: x ascending (a point earlier than others is inserted in
// order, after points of the same x), at most Limit() of them, beyond which the oldest,
// those of smallest x, go.
//
// The points lie in chunks (series_chunk.h): a live point, an OLE date of whole
// milliseconds and a reading of 1/divisor steps, costs about 6.5 bytes (its compact form
// and its share of the extents); any other point costs about 16.5 bytes, exact. A tree over
// the chunks' extents gives the values of any run of points, and so of any pixel column,
// in O(log n) steps, whatever the number of points in it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "chart/extent_tree.h"
#include "chart/series_chunk.h"
#include "chart/value_extent.h"

struct SeriesPoint {
    double key = 0.0;
    double value = 0.0;
};

class SeriesPoints {
  public:
    // 31 days at one sample a second: a month-long run is kept whole at full resolution.
    static constexpr int kDefaultLimit = 31 * 86'400;
    // Points a chunk holds when the limit is large; smaller limits get smaller chunks.
    static constexpr int kMaxChunkPoints = 4096;

    // `divisor`: live readings are whole steps of 1/divisor (100 or 10). `chunkPoints`: a
    // power of two from 16, or 0 for one that suits the limit.
    explicit SeriesPoints(int limit = kDefaultLimit, double divisor = 100.0, int chunkPoints = 0);
    SeriesPoints(const SeriesPoints&) = delete;
    SeriesPoints& operator=(const SeriesPoints&) = delete;

    int Limit() const { return limit_; }
    int ChunkPoints() const { return chunkPoints_; }
    int size() const { return size_; }
    bool isEmpty() const { return size_ == 0; }
    // Points the storage has room for, and the most it ever has room for.
    std::int64_t Capacity() const { return std::int64_t(chunks_.size()) * chunkPoints_; }
    std::int64_t MaxCapacity() const;
    // Bytes held for the points, their extents and the chunks.
    std::size_t StorageBytes() const;

    // Returns the new point's index, or -1 when it is not kept: x not finite, or the series
    // full and x older than every point in it.
    int Add(double x, double y);
    // A batch, ascending in x as a loaded file gives it (any other order is sorted first);
    // pairs beyond the shorter span and pairs whose x is not finite are left out.
    void AddBatch(std::span<const double> xs, std::span<const double> ys);
    // Empties the series and gives its storage back.
    void Clear();

    // The points of the chunks that hold points with from <= x <= to (and so possibly a few
    // on either side), as they are now, for reading on another thread: the chunks are
    // shared, not copied, and this series changes copies of them from then on, so later
    // points never reach the result and nothing written here races with its reader.
    std::unique_ptr<const SeriesPoints> ShareRange(double from, double to);

    // Point `index`, from 0; O(number of chunks).
    SeriesPoint Point(int index) const;
    // The smallest and largest x; `found` false when empty.
    ValueExtent KeyRange(bool& found) const;
    // The smallest and largest finite y; `found` false when there is none.
    ValueExtent ValueRange(bool& found) const;

    // A place among the points: point `index` of chunk `chunk`; the end is {chunks, 0}.
    struct Cursor {
        std::size_t chunk = 0;
        int index = 0;
        friend auto operator<=>(const Cursor&, const Cursor&) = default;
    };
    Cursor Begin() const { return {}; }
    Cursor End() const { return {chunks_.size(), 0}; }
    // The first point with x at or after `x` (`after`: strictly after), searched from
    // `from` on: O(log n), less when `from` lies close before it.
    Cursor Bound(double x, bool after, Cursor from) const;
    Cursor Bound(double x, bool after) const { return Bound(x, after, Begin()); }
    Cursor Next(Cursor at) const;
    Cursor Previous(Cursor at) const;
    SeriesPoint At(Cursor at) const;
    // The extent of the points [from, to) in O(log n).
    ValueExtent Values(Cursor from, Cursor to) const;
    // Whether [from, to) holds more than `count` points, in O(count / chunk points + 1).
    bool MoreThan(Cursor from, Cursor to, int count) const;

    class ConstIterator {
      public:
        struct Arrow {
            SeriesPoint point;
            const SeriesPoint* operator->() const { return &point; }
        };
        ConstIterator(const SeriesPoints& points, Cursor at) : points_(&points), at_(at) {}
        SeriesPoint operator*() const { return points_->At(at_); }
        Arrow operator->() const { return {points_->At(at_)}; }
        ConstIterator& operator++() {
            at_ = points_->Next(at_);
            return *this;
        }
        friend bool operator==(const ConstIterator& a, const ConstIterator& b) {
            return a.at_ == b.at_;
        }

      private:
        const SeriesPoints* points_;
        Cursor at_;
    };
    ConstIterator constBegin() const { return {*this, Begin()}; }
    ConstIterator constEnd() const { return {*this, End()}; }
    ConstIterator begin() const { return constBegin(); }
    ConstIterator end() const { return constEnd(); }

  private:
    // Room for `points` and the slack that insertions may leave.
    std::int64_t Roomy(std::int64_t points) const;
    SeriesChunk& NewChunk(std::size_t at);
    // Chunk `at`, ready to be changed: a copy in place of a shared one.
    SeriesChunk& Own(std::size_t at);
    int InsertInside(double x, double y);
    void DropOldest();
    // Rebuilds the chunks' last x and the extent tree after chunks came or went.
    void Reindex();
    void Noted(std::size_t chunk);
    void Repack();

    int limit_;
    double divisor_;
    int chunkPoints_;
    int size_ = 0;
    std::vector<std::shared_ptr<SeriesChunk>> chunks_;
    // The x of each chunk's last point, for finding a chunk without decoding.
    std::vector<double> lastX_;
    ExtentTree extents_;
};
