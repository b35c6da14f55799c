#include "chart/extent_tree.h"

#include <algorithm>
#include <bit>

void ExtentTree::Reset(const std::vector<ValueExtent>& items) {
    leaves_ = std::bit_ceil(std::max<std::size_t>(items.size(), 1));
    nodes_.assign(2 * leaves_, ValueExtent{});
    std::copy(items.begin(), items.end(), nodes_.begin() + static_cast<std::ptrdiff_t>(leaves_));
    for (std::size_t n = leaves_ - 1; n > 0; --n) {
        nodes_[n] = nodes_[2 * n];
        nodes_[n].Add(nodes_[2 * n + 1]);
    }
}

void ExtentTree::Set(std::size_t item, const ValueExtent& extent) {
    std::size_t n = leaves_ + item;
    nodes_[n] = extent;
    for (n /= 2; n > 0; n /= 2) {
        nodes_[n] = nodes_[2 * n];
        nodes_[n].Add(nodes_[2 * n + 1]);
    }
}

ValueExtent ExtentTree::Between(std::size_t from, std::size_t to) const {
    ValueExtent extent;
    for (std::size_t lo = from + leaves_, hi = to + leaves_; lo < hi; lo /= 2, hi /= 2) {
        if (lo & 1) {
            extent.Add(nodes_[lo++]);
        }
        if (hi & 1) {
            extent.Add(nodes_[--hi]);
        }
    }
    return extent;
}
