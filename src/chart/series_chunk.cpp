#include "chart/series_chunk.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>

#include "chart/compact_point.h"

namespace {

constexpr int kFan = 32;

template <typename T>
std::unique_ptr<T[]> Slots(int capacity) {
    return std::make_unique_for_overwrite<T[]>(static_cast<std::size_t>(capacity));
}

}  // namespace

SeriesChunk::SeriesChunk(int capacity, double divisor) : capacity_(capacity), divisor_(divisor) {
    assert(capacity >= 16 && (capacity & (capacity - 1)) == 0);
    int total = 0;
    for (int blockSlots = kFan; blockSlots < capacity_ && levels_ < kMaxLevels;
         blockSlots *= kFan) {
        levelStart_[levels_] = total;
        total += capacity_ / blockSlots;
        ++levels_;
    }
    levelStart_[levels_] = total;
    blocks_.assign(static_cast<std::size_t>(total), ValueExtent{});
}

std::size_t SeriesChunk::StorageBytes() const {
    const std::size_t perPoint = IsExact()  ? 2 * sizeof(double)
                                 : offsets_ ? sizeof(std::int32_t) + sizeof(std::int16_t)
                                            : 0;
    return perPoint * static_cast<std::size_t>(capacity_) + blocks_.size() * sizeof(ValueExtent) +
           sizeof(*this);
}

double SeriesChunk::SlotX(int slot) const {
    return IsExact() ? xs_[slot] : OleDateOfMilliseconds(base_ + offsets_[slot]);
}

double SeriesChunk::SlotY(int slot) const {
    return IsExact() ? ys_[slot] : ValueOfRaw(raws_[slot], divisor_);
}

double SeriesChunk::X(int i) const {
    return SlotX(begin_ + i);
}

double SeriesChunk::Y(int i) const {
    return SlotY(begin_ + i);
}

int SeriesChunk::Bound(double x, bool after) const {
    if (IsExact()) {
        const double* first = xs_.get() + begin_;
        const double* last = xs_.get() + end_;
        return static_cast<int>(
            (after ? std::upper_bound(first, last, x) : std::lower_bound(first, last, x)) - first);
    }
    if (Size() == 0) {
        return 0;
    }
    // Compared as whole milliseconds: the first slot at or after the first millisecond that
    // counts. Live points come a second apart, so the slot is guessed from the times at the
    // ends, and the guess widened in doubling steps until it holds the slot: O(1) probes
    // for evenly spaced times, O(log n) at worst.
    const std::int64_t t = FirstMillisecondFrom(x, after) - base_;
    const std::int32_t* offsets = offsets_.get();
    const auto below = [&](int slot) { return offsets[slot] < t; };
    if (!below(begin_)) {
        return 0;
    }
    if (below(end_ - 1)) {
        return Size();
    }
    // Now offsets[begin_] < t <= offsets[end_ - 1]; find lo < slot <= hi.
    const std::int64_t span = std::int64_t{offsets[end_ - 1]} - offsets[begin_];
    const int guess = begin_ + static_cast<int>((t - offsets[begin_]) * (end_ - 1 - begin_) / span);
    int lo = begin_;
    int hi = end_ - 1;
    if (below(guess)) {
        lo = guess;
        for (int step = 1; lo + step < hi; step *= 2) {
            if (!below(lo + step)) {
                hi = lo + step;
                break;
            }
            lo += step;
        }
    } else {
        hi = guess;
        for (int step = 1; hi - step > lo; step *= 2) {
            if (below(hi - step)) {
                lo = hi - step;
                break;
            }
            hi -= step;
        }
    }
    const std::int32_t* found =
        std::lower_bound(offsets + lo + 1, offsets + hi, t,
                         [](std::int32_t offset, std::int64_t time) { return offset < time; });
    return static_cast<int>(found - offsets) - begin_;
}

void SeriesChunk::AddItems(int level, int from, int to, ValueExtent& extent) const {
    if (level >= 0) {
        for (int i = from; i < to; ++i) {
            extent.Add(Block(level, i));
        }
    } else if (IsExact()) {
        for (int i = from; i < to; ++i) {
            extent.Add(ys_[i]);
        }
    } else if (from < to) {
        const auto [low, high] = std::minmax_element(raws_.get() + from, raws_.get() + to);
        extent.Add(ValueOfRaw(*low, divisor_));
        extent.Add(ValueOfRaw(*high, divisor_));
    }
}

ValueExtent SeriesChunk::Values(int from, int to) const {
    ValueExtent extent;
    int lo = begin_ + from;
    int hi = begin_ + to;
    for (int level = -1; lo < hi; ++level) {
        const int up = (lo + kFan - 1) / kFan * kFan;
        const int down = hi / kFan * kFan;
        if (level + 1 == levels_ || up >= down) {
            AddItems(level, lo, hi, extent);
            break;
        }
        AddItems(level, lo, up, extent);
        AddItems(level, down, hi, extent);
        lo = up / kFan;
        hi = down / kFan;
    }
    return extent;
}

void SeriesChunk::Allocate(bool exact) {
    if (exact) {
        xs_ = Slots<double>(capacity_);
        ys_ = Slots<double>(capacity_);
    } else {
        offsets_ = Slots<std::int32_t>(capacity_);
        raws_ = Slots<std::int16_t>(capacity_);
    }
}

void SeriesChunk::TurnExact() {
    Allocate(true);
    for (int slot = begin_; slot < end_; ++slot) {
        xs_[slot] = OleDateOfMilliseconds(base_ + offsets_[slot]);
        ys_[slot] = ValueOfRaw(raws_[slot], divisor_);
    }
    offsets_.reset();
    raws_.reset();
}

bool SeriesChunk::Encode(double x, double y, Encoded& encoded) {
    if (IsExact()) {
        return false;
    }
    const std::optional<std::int64_t> ms = WholeMilliseconds(x);
    const std::optional<std::int16_t> raw = RawValue(y, divisor_);
    if (ms && raw) {
        if (!offsets_) {
            Allocate(false);
            base_ = *ms;
        } else if (Size() == 0) {
            base_ = *ms;
        }
        const std::int64_t offset = *ms - base_;
        if (offset >= std::numeric_limits<std::int32_t>::min() &&
            offset <= std::numeric_limits<std::int32_t>::max()) {
            encoded = {static_cast<std::int32_t>(offset), *raw};
            return true;
        }
    }
    if (offsets_) {
        TurnExact();
    } else {
        Allocate(true);
    }
    return false;
}

void SeriesChunk::Write(int slot, double x, double y, const Encoded& encoded) {
    if (IsExact()) {
        xs_[slot] = x;
        ys_[slot] = y;
    } else {
        offsets_[slot] = encoded.offset;
        raws_[slot] = encoded.raw;
    }
}

void SeriesChunk::MoveSlots(int from, int to, int count) {
    const auto move = [&](auto& slots) {
        using T = std::remove_reference_t<decltype(slots[0])>;
        std::memmove(slots.get() + to, slots.get() + from, sizeof(T) * count);
    };
    if (IsExact()) {
        move(xs_);
        move(ys_);
    } else {
        move(offsets_);
        move(raws_);
    }
}

void SeriesChunk::Append(double x, double y) {
    assert(RoomAtEnd());
    Encoded encoded{};
    Encode(x, y, encoded);
    const int slot = end_++;
    Write(slot, x, y, encoded);
    // A slot at the end adds to its blocks: none of them holds anything beyond the end.
    for (int level = 0, index = slot / kFan; level < levels_; ++level, index /= kFan) {
        Block(level, index).Add(y);
    }
    all_.Add(y);
}

void SeriesChunk::Insert(int i, double x, double y) {
    assert(!Full() && i >= 0 && i <= Size());
    if (i == Size() && RoomAtEnd()) {
        Append(x, y);
        return;
    }
    Encoded encoded{};
    Encode(x, y, encoded);
    const int slot = begin_ + i;
    const bool roomBefore = begin_ > 0;
    if (RoomAtEnd() && (!roomBefore || Size() - i <= i)) {
        MoveSlots(slot, slot + 1, end_ - slot);
        ++end_;
        Write(slot, x, y, encoded);
        RefreshBlocks(slot, end_);
    } else {
        MoveSlots(begin_, begin_ - 1, i);
        --begin_;
        Write(slot - 1, x, y, encoded);
        RefreshBlocks(begin_, slot);
    }
    all_.Add(y);
}

void SeriesChunk::DropFront(int count) {
    count = std::min(count, Size());
    bool edge = false;
    for (int slot = begin_; slot < begin_ + count && !edge; ++slot) {
        edge = all_.AtEdge(SlotY(slot));
    }
    begin_ += count;
    if (Size() == 0) {
        begin_ = end_ = 0;
        std::fill(blocks_.begin(), blocks_.end(), ValueExtent{});
        all_ = ValueExtent{};
    } else if (edge) {
        all_ = Values(0, Size());
    }
}

std::unique_ptr<SeriesChunk> SeriesChunk::Clone() const {
    auto copy = std::make_unique<SeriesChunk>(capacity_, divisor_);
    copy->begin_ = begin_;
    copy->end_ = end_;
    copy->base_ = base_;
    if (IsExact()) {
        copy->Allocate(true);
        std::copy_n(xs_.get() + begin_, Size(), copy->xs_.get() + begin_);
        std::copy_n(ys_.get() + begin_, Size(), copy->ys_.get() + begin_);
    } else if (offsets_) {
        copy->Allocate(false);
        std::copy_n(offsets_.get() + begin_, Size(), copy->offsets_.get() + begin_);
        std::copy_n(raws_.get() + begin_, Size(), copy->raws_.get() + begin_);
    }
    copy->blocks_ = blocks_;
    copy->all_ = all_;
    return copy;
}

std::unique_ptr<SeriesChunk> SeriesChunk::SplitOff(int from) {
    auto upper = std::make_unique<SeriesChunk>(capacity_, divisor_);
    const int count = Size() - from;
    const int first = begin_ + from;
    if (IsExact()) {
        upper->Allocate(true);
        std::copy_n(xs_.get() + first, count, upper->xs_.get());
        std::copy_n(ys_.get() + first, count, upper->ys_.get());
    } else if (offsets_) {
        upper->Allocate(false);
        upper->base_ = base_;
        std::copy_n(offsets_.get() + first, count, upper->offsets_.get());
        std::copy_n(raws_.get() + first, count, upper->raws_.get());
    }
    upper->end_ = count;
    upper->RecomputeAll();
    const int oldEnd = end_;
    end_ = first;
    RefreshBlocks(end_, oldEnd);
    all_ = Values(0, Size());
    return upper;
}

void SeriesChunk::RefreshBlocks(int from, int to) {
    if (from >= to) {
        return;
    }
    int lo = from / kFan;
    int hi = (to - 1) / kFan;
    for (int level = 0; level < levels_; ++level) {
        for (int index = lo; index <= hi; ++index) {
            ValueExtent extent;
            const int first = index * kFan;
            AddItems(level - 1, level == 0 ? std::max(first, begin_) : first,
                     level == 0 ? std::min(first + kFan, end_)
                                : std::min(first + kFan, BlockCount(level - 1)),
                     extent);
            Block(level, index) = extent;
        }
        lo /= kFan;
        hi /= kFan;
    }
}

void SeriesChunk::RecomputeAll() {
    std::fill(blocks_.begin(), blocks_.end(), ValueExtent{});
    RefreshBlocks(0, capacity_);
    all_ = Values(0, Size());
}
