#pragma once
// The newest points of a stream, at most a given number of them: a file longer than a
// series can hold is read whole, yet only the points the series would keep are stored.

#include <algorithm>
#include <cstddef>
#include <vector>

class NewestPoints {
  public:
    explicit NewestPoints(std::size_t capacity) : capacity_(capacity) {}

    void Add(double x, double y) {
        if (xs_.size() < capacity_) {
            if (xs_.size() == xs_.capacity() && xs_.size() >= kGrowFirst &&
                capacity_ <= kMaxReserved) {
                // A long file: room for all the points kept, at once, rather than copies of
                // ever more of them (pages not yet written cost nothing).
                xs_.reserve(capacity_);
                ys_.reserve(capacity_);
            }
            xs_.push_back(x);
            ys_.push_back(y);
            return;
        }
        if (capacity_ == 0) {
            return;
        }
        // Full: the newest takes the place of the oldest.
        xs_[next_] = x;
        ys_[next_] = y;
        next_ = next_ + 1 == capacity_ ? 0 : next_ + 1;
    }

    // Hands the points over, oldest first, and starts empty.
    void MoveTo(std::vector<double>& xs, std::vector<double>& ys) {
        std::rotate(xs_.begin(), xs_.begin() + static_cast<std::ptrdiff_t>(next_), xs_.end());
        std::rotate(ys_.begin(), ys_.begin() + static_cast<std::ptrdiff_t>(next_), ys_.end());
        xs = std::move(xs_);
        ys = std::move(ys_);
        xs_.clear();
        ys_.clear();
        next_ = 0;
    }

  private:
    static constexpr std::size_t kGrowFirst = std::size_t{1} << 16;
    static constexpr std::size_t kMaxReserved = std::size_t{1} << 26;

    std::size_t capacity_;
    std::size_t next_ = 0;
    std::vector<double> xs_;
    std::vector<double> ys_;
};
