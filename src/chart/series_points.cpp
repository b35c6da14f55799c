#include "chart/series_points.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr qsizetype kFirstCapacity = 1024;

bool KeyLess(const QCPGraphData& a, const QCPGraphData& b) {
    return a.key < b.key;
}

}  // namespace

SeriesPoints::SeriesPoints(int limit) : limit_(std::max(limit, 1)), slack_(limit_ / 64 + 1) {
    setAutoSqueeze(false);
}

int SeriesPoints::Add(double x, double y) {
    if (!std::isfinite(x)) {
        return -1;
    }
    if (mData.size() == mData.capacity()) {
        MakeRoomForOne();
    }
    const QCPGraphData point(x, y);
    qsizetype index = size();
    if (isEmpty() || x >= (constEnd() - 1)->key) {
        mData.append(point);
    } else {
        index = std::upper_bound(constBegin(), constEnd(), point, KeyLess) - constBegin();
        // Into the room at the end, then rotated into place: QList's own insert at the front
        // would allocate anew, past the bound.
        mData.append(point);
        std::rotate(begin() + index, end() - 1, end());
    }
    NoteValue(y);
    if (size() > limit_) {
        DropOldest();
        --index;
    }
    return static_cast<int>(index);
}

void SeriesPoints::AddBatch(std::span<const double> xs, std::span<const double> ys) {
    const std::size_t count = std::min(xs.size(), ys.size());
    std::vector<QCPGraphData> batch;
    batch.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (std::isfinite(xs[i])) {
            batch.emplace_back(xs[i], ys[i]);
        }
    }
    if (batch.empty()) {
        return;
    }
    if (!std::is_sorted(batch.begin(), batch.end(), KeyLess)) {
        std::stable_sort(batch.begin(), batch.end(), KeyLess);
    }
    // Merged from the largest x down, so that only the points that are kept are copied and
    // a batch of any size needs no more than the limit's storage.
    const qsizetype kept = std::min<qsizetype>(size() + qsizetype(batch.size()), limit_);
    QList<QCPGraphData> merged;
    merged.reserve(kept);
    merged.resize(kept);
    auto out = merged.end();
    auto old = constEnd();
    auto added = batch.cend();
    while (out != merged.begin()) {
        if (added != batch.cbegin() &&
            (old == constBegin() || (added - 1)->key >= (old - 1)->key)) {
            *--out = *--added;
        } else {
            *--out = *--old;
        }
    }
    mData = std::move(merged);
    mPreallocSize = 0;
    valueRangeKnown_ = false;
}

void SeriesPoints::Clear() {
    mData = QList<QCPGraphData>();
    mPreallocSize = 0;
    valueRangeKnown_ = true;
    anyValue_ = false;
}

QCPRange SeriesPoints::KeyRange(bool& found) const {
    found = !isEmpty();
    return found ? QCPRange(constBegin()->key, (constEnd() - 1)->key) : QCPRange();
}

QCPRange SeriesPoints::ValueRange(bool& found) const {
    if (!valueRangeKnown_) {
        anyValue_ = false;
        valueRangeKnown_ = true;
        for (auto it = constBegin(); it != constEnd(); ++it) {
            NoteValue(it->value);
        }
    }
    found = anyValue_;
    return found ? valueRange_ : QCPRange();
}

void SeriesPoints::MakeRoomForOne() {
    // Moving the points back is worth it once the dropped ones make up the slack; before
    // that (a series that has not yet reached its limit) the storage grows instead.
    if (mPreallocSize >= slack_ || mData.capacity() >= MaxCapacity()) {
        Compact();
    }
    if (mData.size() == mData.capacity()) {
        Compact();
        // Straight to the most it will need once doubling would reach the limit, so a full
        // series is never copied into a larger block (pages not yet written cost nothing).
        const qsizetype doubled =
            std::max({mData.capacity() * 2, kFirstCapacity, qsizetype{size() + 1}});
        mData.reserve(doubled >= limit_ ? MaxCapacity() : doubled);
    }
}

void SeriesPoints::Compact() {
    if (mPreallocSize > 0) {
        std::copy(constBegin(), constEnd(), mData.begin());
        mData.resize(size());
        mPreallocSize = 0;
    }
}

void SeriesPoints::DropOldest() {
    const double y = constBegin()->value;
    ++mPreallocSize;
    if (valueRangeKnown_ && anyValue_ && (y <= valueRange_.lower || y >= valueRange_.upper)) {
        valueRangeKnown_ = false;
    }
}

void SeriesPoints::NoteValue(double y) const {
    if (!valueRangeKnown_ || !std::isfinite(y)) {
        return;
    }
    if (!anyValue_) {
        valueRange_ = QCPRange(y, y);
        anyValue_ = true;
    } else {
        valueRange_.lower = std::min(valueRange_.lower, y);
        valueRange_.upper = std::max(valueRange_.upper, y);
    }
}
