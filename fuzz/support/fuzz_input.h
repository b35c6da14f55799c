#pragma once
// Takes a fuzz input apart front to back; what runs out reads as zero or empty, so every
// input means something.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

    std::uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const std::uint8_t b = rest_.front();
        rest_ = rest_.subspan(1);
        return b;
    }

    std::uint16_t Word() {
        const auto high = Byte();
        return static_cast<std::uint16_t>(high << 8 | Byte());
    }

    std::span<const std::uint8_t> Bytes(std::size_t count) {
        const auto taken = rest_.first(std::min(count, rest_.size()));
        rest_ = rest_.subspan(taken.size());
        return taken;
    }

    // The bytes up to the next `end` byte, which is dropped; all that is left when there is
    // none.
    std::string_view Field(std::uint8_t end) {
        const auto stop = std::find(rest_.begin(), rest_.end(), end);
        const auto length = static_cast<std::size_t>(stop - rest_.begin());
        const std::string_view field(reinterpret_cast<const char*>(rest_.data()), length);
        rest_ = rest_.subspan(std::min(length + 1, rest_.size()));
        return field;
    }

    std::span<const std::uint8_t> Rest() {
        const auto all = rest_;
        rest_ = {};
        return all;
    }

  private:
    std::span<const std::uint8_t> rest_;
};
