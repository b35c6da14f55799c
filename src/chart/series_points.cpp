#include "chart/series_points.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

constexpr int kMinChunkPoints = 16;

// About a sixteenth of the limit, so that a small series spreads over several chunks too.
int ChunkPointsFor(int limit) {
    const auto wanted = static_cast<int>(std::bit_floor(static_cast<unsigned>(limit / 16 + 1)));
    return std::clamp(wanted, kMinChunkPoints, SeriesPoints::kMaxChunkPoints);
}

}  // namespace

SeriesPoints::SeriesPoints(int limit, double divisor, int chunkPoints)
    : limit_(std::max(limit, 1)),
      divisor_(divisor),
      chunkPoints_(chunkPoints > 0 ? chunkPoints : ChunkPointsFor(limit_)) {
    extents_.Reset({});
}

std::int64_t SeriesPoints::MaxCapacity() const {
    return Roomy(limit_);
}

std::size_t SeriesPoints::StorageBytes() const {
    std::size_t bytes = lastX_.capacity() * sizeof(double) +
                        chunks_.capacity() * sizeof(std::shared_ptr<SeriesChunk>) +
                        2 * std::bit_ceil(chunks_.size() + 1) * sizeof(ValueExtent);
    for (const auto& chunk : chunks_) {
        bytes += chunk->StorageBytes();
    }
    return bytes;
}

std::int64_t SeriesPoints::Roomy(std::int64_t points) const {
    // Points that come in order leave room in two chunks at most (the oldest partly
    // emptied, the newest partly filled); insertions in the middle leave room in the chunks
    // they split, up to a quarter of the points before all are packed anew.
    return points + points / 4 + 2 * std::int64_t{chunkPoints_};
}

SeriesChunk& SeriesPoints::NewChunk(std::size_t at) {
    const auto it = chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(at),
                                   std::make_shared<SeriesChunk>(chunkPoints_, divisor_));
    return **it;
}

SeriesChunk& SeriesPoints::Own(std::size_t at) {
    if (chunks_[at]->Shared()) {
        chunks_[at] = chunks_[at]->Clone();
    }
    return *chunks_[at];
}

std::unique_ptr<const SeriesPoints> SeriesPoints::ShareRange(double from, double to) {
    auto shared = std::make_unique<SeriesPoints>(limit_, divisor_, chunkPoints_);
    const Cursor first = Bound(from, false);
    const Cursor last = Bound(to, true, first);
    const std::size_t end = last.index > 0 ? last.chunk + 1 : last.chunk;
    for (std::size_t k = first.chunk; k < end; ++k) {
        chunks_[k]->MarkShared();
        shared->chunks_.push_back(chunks_[k]);
        shared->size_ += chunks_[k]->Size();
    }
    shared->Reindex();
    return shared;
}

int SeriesPoints::Add(double x, double y) {
    if (!std::isfinite(x)) {
        return -1;
    }
    if (size_ == limit_ && x < chunks_.front()->X(0)) {
        return -1;
    }
    int index = size_;
    if (chunks_.empty() || x >= lastX_.back()) {
        if (chunks_.empty() || !chunks_.back()->RoomAtEnd()) {
            NewChunk(chunks_.size()).Append(x, y);
            Reindex();
        } else {
            Own(chunks_.size() - 1).Append(x, y);
            Noted(chunks_.size() - 1);
        }
    } else {
        index = InsertInside(x, y);
    }
    ++size_;
    if (size_ > limit_) {
        DropOldest();
        --index;
    }
    if (Capacity() > Roomy(size_)) {
        Repack();
    }
    return index;
}

int SeriesPoints::InsertInside(double x, double y) {
    const Cursor at = Bound(x, true);
    std::size_t chunk = at.chunk;
    int i = at.index;
    bool split = false;
    if (i == 0 && chunk > 0 && chunks_[chunk - 1]->RoomAtEnd()) {
        --chunk;
        i = chunks_[chunk]->Size();
    } else if (chunks_[chunk]->Full()) {
        const int half = chunkPoints_ / 2;
        std::shared_ptr<SeriesChunk> upper = Own(chunk).SplitOff(half);
        chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, std::move(upper));
        split = true;
        if (i > half) {
            ++chunk;
            i -= half;
        }
    }
    Own(chunk).Insert(i, x, y);
    if (split) {
        Reindex();
    } else {
        Noted(chunk);
    }
    int index = i;
    for (std::size_t k = 0; k < chunk; ++k) {
        index += chunks_[k]->Size();
    }
    return index;
}

void SeriesPoints::DropOldest() {
    Own(0).DropFront(1);
    --size_;
    if (chunks_.front()->Size() == 0) {
        chunks_.erase(chunks_.begin());
        Reindex();
    } else {
        Noted(0);
    }
}

void SeriesPoints::AddBatch(std::span<const double> xs, std::span<const double> ys) {
    std::size_t count = std::min(xs.size(), ys.size());
    xs = xs.first(count);
    ys = ys.first(count);
    // A file gives its points finite and ascending: they are read where they are. Any
    // other batch is filtered and sorted into a copy.
    std::vector<double> sortedX, sortedY;
    const bool ordered =
        std::all_of(xs.begin(), xs.end(), [](double x) { return std::isfinite(x); }) &&
        std::is_sorted(xs.begin(), xs.end());
    if (!ordered) {
        std::vector<SeriesPoint> copy;
        for (std::size_t i = 0; i < count; ++i) {
            if (std::isfinite(xs[i])) {
                copy.push_back({xs[i], ys[i]});
            }
        }
        std::stable_sort(copy.begin(), copy.end(),
                         [](const SeriesPoint& a, const SeriesPoint& b) { return a.key < b.key; });
        for (const SeriesPoint& p : copy) {
            sortedX.push_back(p.key);
            sortedY.push_back(p.value);
        }
        xs = sortedX;
        ys = sortedY;
        count = xs.size();
    }
    if (count == 0) {
        return;
    }

    // Merged in x order (a batch point after the points of the same x), the oldest beyond
    // the limit skipped; the old chunks are freed as they are read.
    const std::size_t total = std::size_t(size_) + count;
    const std::size_t kept = std::min(total, std::size_t(limit_));
    std::vector<std::shared_ptr<SeriesChunk>> old = std::move(chunks_);
    chunks_.clear();
    std::size_t oldChunk = 0;
    int oldIndex = 0;
    std::size_t added = 0;
    for (std::size_t produced = 0; produced < total; ++produced) {
        if (oldChunk == old.size() && produced < total - kept) {
            added += total - kept - produced;
            produced = total - kept - 1;
            continue;
        }
        const bool fromBatch =
            added < count && (oldChunk == old.size() || xs[added] < old[oldChunk]->X(oldIndex));
        double x, y;
        if (fromBatch) {
            x = xs[added];
            y = ys[added];
            ++added;
        } else {
            x = old[oldChunk]->X(oldIndex);
            y = old[oldChunk]->Y(oldIndex);
            if (++oldIndex == old[oldChunk]->Size()) {
                old[oldChunk++].reset();
                oldIndex = 0;
            }
        }
        if (produced >= total - kept) {
            if (chunks_.empty() || !chunks_.back()->RoomAtEnd()) {
                NewChunk(chunks_.size());
            }
            chunks_.back()->Append(x, y);
        }
    }
    size_ = static_cast<int>(kept);
    Reindex();
}

void SeriesPoints::Repack() {
    // Each chunk keeps an eighth free, so that further insertions do not split every chunk
    // they meet at once.
    const int fill = chunkPoints_ - chunkPoints_ / 8;
    std::vector<std::shared_ptr<SeriesChunk>> old = std::move(chunks_);
    chunks_.clear();
    for (auto& chunk : old) {
        for (int i = 0; i < chunk->Size(); ++i) {
            if (chunks_.empty() || chunks_.back()->Size() == fill) {
                NewChunk(chunks_.size());
            }
            chunks_.back()->Append(chunk->X(i), chunk->Y(i));
        }
        chunk.reset();
    }
    Reindex();
}

void SeriesPoints::Clear() {
    chunks_ = std::vector<std::shared_ptr<SeriesChunk>>();
    lastX_ = std::vector<double>();
    size_ = 0;
    extents_.Reset({});
}

void SeriesPoints::Reindex() {
    lastX_.resize(chunks_.size());
    std::vector<ValueExtent> extents(chunks_.size());
    for (std::size_t k = 0; k < chunks_.size(); ++k) {
        lastX_[k] = chunks_[k]->X(chunks_[k]->Size() - 1);
        extents[k] = chunks_[k]->AllValues();
    }
    extents_.Reset(extents);
}

void SeriesPoints::Noted(std::size_t chunk) {
    lastX_[chunk] = chunks_[chunk]->X(chunks_[chunk]->Size() - 1);
    extents_.Set(chunk, chunks_[chunk]->AllValues());
}

SeriesPoint SeriesPoints::Point(int index) const {
    for (const auto& chunk : chunks_) {
        if (index < chunk->Size()) {
            return {chunk->X(index), chunk->Y(index)};
        }
        index -= chunk->Size();
    }
    return {};
}

ValueExtent SeriesPoints::KeyRange(bool& found) const {
    found = size_ > 0;
    return found ? ValueExtent{chunks_.front()->X(0), lastX_.back()} : ValueExtent{};
}

ValueExtent SeriesPoints::ValueRange(bool& found) const {
    const ValueExtent values = extents_.All();
    found = !values.Empty();
    return values;
}

SeriesPoints::Cursor SeriesPoints::Bound(double x, bool after, Cursor from) const {
    const auto reaches = [&](double last) { return after ? last > x : last >= x; };
    std::size_t chunk = from.chunk;
    int first = from.index;
    if (chunk >= chunks_.size()) {
        return End();
    }
    if (!reaches(lastX_[chunk])) {
        const auto rest = lastX_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1;
        const auto found = after ? std::upper_bound(rest, lastX_.end(), x)
                                 : std::lower_bound(rest, lastX_.end(), x);
        chunk = static_cast<std::size_t>(found - lastX_.begin());
        if (chunk == chunks_.size()) {
            return End();
        }
        first = 0;
    }
    return {chunk, std::max(first, chunks_[chunk]->Bound(x, after))};
}

SeriesPoints::Cursor SeriesPoints::Next(Cursor at) const {
    if (at.index + 1 < chunks_[at.chunk]->Size()) {
        return {at.chunk, at.index + 1};
    }
    return {at.chunk + 1, 0};
}

SeriesPoints::Cursor SeriesPoints::Previous(Cursor at) const {
    if (at.index > 0) {
        return {at.chunk, at.index - 1};
    }
    return {at.chunk - 1, chunks_[at.chunk - 1]->Size() - 1};
}

SeriesPoint SeriesPoints::At(Cursor at) const {
    const SeriesChunk& chunk = *chunks_[at.chunk];
    return {chunk.X(at.index), chunk.Y(at.index)};
}

ValueExtent SeriesPoints::Values(Cursor from, Cursor to) const {
    if (from.chunk == to.chunk) {
        return from.index < to.index ? chunks_[from.chunk]->Values(from.index, to.index)
                                     : ValueExtent{};
    }
    if (from.chunk > to.chunk) {
        return {};
    }
    const SeriesChunk& first = *chunks_[from.chunk];
    ValueExtent extent =
        from.index == 0 ? first.AllValues() : first.Values(from.index, first.Size());
    extent.Add(extents_.Between(from.chunk + 1, to.chunk));
    if (to.chunk < chunks_.size()) {
        extent.Add(chunks_[to.chunk]->Values(0, to.index));
    }
    return extent;
}

bool SeriesPoints::MoreThan(Cursor from, Cursor to, int count) const {
    if (from.chunk == to.chunk) {
        return to.index - from.index > count;
    }
    long long total = -from.index;
    for (std::size_t k = from.chunk; k < to.chunk; ++k) {
        total += chunks_[k]->Size();
        if (total > count) {
            return true;
        }
    }
    return total + to.index > count;
}
