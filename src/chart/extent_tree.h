#pragma once
// The value extents of a row of items (the chunks of a series) in a binary tree, so that
// the extent of any run of items takes O(log n), and a changed item O(log n) to note.

#include <cstddef>
#include <vector>

#include "chart/value_extent.h"

class ExtentTree {
  public:
    // Replaces every item.
    void Reset(const std::vector<ValueExtent>& items);
    void Set(std::size_t item, const ValueExtent& extent);
    // Items [from, to).
    ValueExtent Between(std::size_t from, std::size_t to) const;
    ValueExtent All() const { return nodes_.size() > 1 ? nodes_[1] : ValueExtent{}; }

  private:
    // nodes_[leaves_ + i] is item i; nodes_[n] joins nodes_[2n] and nodes_[2n + 1].
    std::size_t leaves_ = 0;
    std::vector<ValueExtent> nodes_;
};
