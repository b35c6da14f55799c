#include "chart/compact_point.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// OLE dates further out than this (some thousand years) are never compact; their
// millisecond counts stay far inside 64 bits.
constexpr double kMaxDays = 3.0e6;
constexpr std::int64_t kBeyondEveryTime = std::int64_t{1} << 62;

// Rounds to the nearest integer, halves away from zero; the round trip checks the result,
// so a value near a half that rounded the other way is merely not compact.
std::int64_t Nearest(double v) {
    return static_cast<std::int64_t>(v + std::copysign(0.5, v));
}

bool SameDouble(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

}  // namespace

double OleDateOfMilliseconds(std::int64_t milliseconds) {
    const std::int64_t day = FloorDiv(milliseconds, kMsPerDay);
    const std::int64_t ofDay = milliseconds - day * kMsPerDay;
    return static_cast<double>(day) + static_cast<double>(ofDay) / static_cast<double>(kMsPerDay);
}

std::optional<std::int64_t> WholeMilliseconds(double oleDate) {
    if (!(std::fabs(oleDate) <= kMaxDays)) {
        return std::nullopt;
    }
    const double day = std::floor(oleDate);
    const auto ms = static_cast<std::int64_t>(day) * kMsPerDay +
                    Nearest((oleDate - day) * static_cast<double>(kMsPerDay));
    if (!SameDouble(OleDateOfMilliseconds(ms), oleDate)) {
        return std::nullopt;
    }
    return ms;
}

std::int64_t FirstMillisecondFrom(double oleDate, bool after) {
    if (std::isnan(oleDate) || oleDate > kMaxDays) {
        return kBeyondEveryTime;
    }
    if (oleDate < -kMaxDays) {
        return -kBeyondEveryTime;
    }
    const auto before = [&](std::int64_t ms) {
        const double at = OleDateOfMilliseconds(ms);
        return after ? at <= oleDate : at < oleDate;
    };
    // A guess within a millisecond or two, then exact steps: the scale is monotonic.
    const double day = std::floor(oleDate);
    std::int64_t ms = static_cast<std::int64_t>(day) * kMsPerDay +
                      static_cast<std::int64_t>((oleDate - day) * static_cast<double>(kMsPerDay));
    while (!before(ms - 1)) {
        --ms;
    }
    while (before(ms)) {
        ++ms;
    }
    return ms;
}

std::optional<std::int16_t> RawValue(double y, double divisor) {
    const double scaled = y * divisor;
    if (!(std::fabs(scaled) <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    const auto raw = static_cast<std::int16_t>(Nearest(scaled));
    if (!SameDouble(ValueOfRaw(raw, divisor), y)) {
        return std::nullopt;
    }
    return raw;
}
