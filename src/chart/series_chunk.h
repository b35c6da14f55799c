#pragma once
// A run of consecutive points of one series, in x order, in storage of a fixed number of
// slots. While every point fits the compact form (see compact_point.h) the chunk keeps a
// 32-bit millisecond offset from its base time and a 16-bit reading, 6 bytes a point;
// the first point that does not fit turns the chunk exact, two doubles a point.
//
// The points occupy slots [begin, end): dropping the oldest moves only begin, appending
// fills the slot at end, and an insertion moves the shorter side. Over the slots lies a
// pyramid of value extents, blocks of 32 slots and blocks of 32 such blocks, so that the
// extent of any run of points costs O(log capacity) steps. A block's extent is exact
// whenever all its slots hold points; a block only partly in use is never read.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/value_extent.h"

class SeriesChunk {
  public:
    // `capacity`: a power of two, at least 16. `divisor`: readings are steps of 1/divisor.
    SeriesChunk(int capacity, double divisor);

    int Size() const { return end_ - begin_; }
    int Capacity() const { return capacity_; }
    bool Full() const { return Size() == capacity_; }
    bool RoomAtEnd() const { return end_ < capacity_; }
    bool IsExact() const { return xs_ != nullptr; }
    // Bytes held for the points and their extents.
    std::size_t StorageBytes() const;

    // Point i, from 0 (the oldest in the chunk) to Size() - 1.
    double X(int i) const;
    double Y(int i) const;
    // The first point with X at or after x (`after`: strictly after), Size() when none.
    int Bound(double x, bool after) const;

    // The extent of points [from, to).
    ValueExtent Values(int from, int to) const;
    const ValueExtent& AllValues() const { return all_; }

    // Needs RoomAtEnd(); x not before the last point.
    void Append(double x, double y);
    // Inserts before point i; needs !Full().
    void Insert(int i, double x, double y);
    void DropFront(int count);
    // Moves points [from, Size()) into a new chunk.
    std::unique_ptr<SeriesChunk> SplitOff(int from);

    // A chunk handed to a reader on another thread is shared: from then on it is only read,
    // and its owner changes a copy instead. The mark stays for the chunk's life; only the
    // owner's thread sets or reads it.
    void MarkShared() { shared_ = true; }
    bool Shared() const { return shared_; }
    // The same points in storage of its own, not shared.
    std::unique_ptr<SeriesChunk> Clone() const;

  private:
    static constexpr int kFanShift = 5;  // 32 slots a block, 32 blocks a block
    static constexpr int kMaxLevels = 3;

    struct Encoded {
        std::int32_t offset;
        std::int16_t raw;
    };
    // Makes sure (x, y) can be stored: compact when it fits, else the chunk turns exact.
    // Returns whether it is to be stored compact, with its encoding.
    bool Encode(double x, double y, Encoded& encoded);
    void Allocate(bool exact);
    void TurnExact();
    void Write(int slot, double x, double y, const Encoded& encoded);
    void MoveSlots(int from, int to, int count);
    double SlotX(int slot) const;
    double SlotY(int slot) const;
    ValueExtent& Block(int level, int index) { return blocks_[levelStart_[level] + index]; }
    const ValueExtent& Block(int level, int index) const {
        return blocks_[levelStart_[level] + index];
    }
    int BlockCount(int level) const { return levelStart_[level + 1] - levelStart_[level]; }
    // The extent of items [from, to) of a level, -1 being the slots themselves.
    void AddItems(int level, int from, int to, ValueExtent& extent) const;
    // Recomputes the blocks over slots [from, to) from the points in use.
    void RefreshBlocks(int from, int to);
    void RecomputeAll();

    int capacity_;
    double divisor_;
    int begin_ = 0;
    int end_ = 0;
    // Compact form: time = base_ + offsets_[slot] milliseconds, value = raws_[slot] / divisor.
    std::int64_t base_ = 0;
    std::unique_ptr<std::int32_t[]> offsets_;
    std::unique_ptr<std::int16_t[]> raws_;
    // Exact form.
    std::unique_ptr<double[]> xs_;
    std::unique_ptr<double[]> ys_;

    int levels_ = 0;
    std::array<int, kMaxLevels + 1> levelStart_{};
    std::vector<ValueExtent> blocks_;
    ValueExtent all_;
    bool shared_ = false;
};
