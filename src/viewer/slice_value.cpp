#include "viewer/slice_value.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Powers of ten that a double holds exactly: a product or quotient of such a power and an
// exact mantissa is rounded once, so it equals the correctly rounded decimal value.
constexpr int kExactPowers = 22;
constexpr std::array<double, kExactPowers + 1> kPowersOfTen = [] {
    std::array<double, kExactPowers + 1> powers{};
    double p = 1.0;
    for (double& power : powers) {
        power = p;
        p *= 10.0;
    }
    return powers;
}();
// Mantissas up to 15 digits are exact in a double.
constexpr int kExactDigits = 15;
// Exponents are read up to this size; larger ones overflow or underflow regardless.
constexpr int kExponentCap = 100'000;

}  // namespace

double ParseSliceValue(std::string_view slice) {
    const std::size_t n = slice.size();
    std::size_t i = 0;
    while (i < n && slice[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < n && (slice[i] == '+' || slice[i] == '-')) {
        negative = slice[i] == '-';
        ++i;
    }
    const std::size_t unsignedStart = i;

    std::uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    bool exact = true;
    auto addDigit = [&](char c) {
        if (mantissa == 0 && c == '0') {
            return;  // leading zeros add no precision
        }
        if (++digits > kExactDigits) {
            exact = false;
            return;
        }
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
    };
    bool anyDigit = false;
    for (; i < n && IsDigit(slice[i]); ++i) {
        addDigit(slice[i]);
        anyDigit = true;
    }
    if (i < n && slice[i] == '.') {
        ++i;
        for (; i < n && IsDigit(slice[i]); ++i) {
            addDigit(slice[i]);
            ++fractionDigits;
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    int exponent = 0;
    if (i < n && (slice[i] == 'e' || slice[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (slice[j] == '+' || slice[j] == '-')) {
            negativeExponent = slice[j] == '-';
            ++j;
        }
        if (j < n && IsDigit(slice[j])) {
            for (; j < n && IsDigit(slice[j]); ++j) {
                exponent = std::min(kExponentCap, exponent * 10 + (slice[j] - '0'));
            }
            if (negativeExponent) {
                exponent = -exponent;
            }
            i = j;
        }
    }

    const int scale = exponent - fractionDigits;
    if (exact && scale >= -kExactPowers && scale <= kExactPowers) {
        const double m = static_cast<double>(mantissa);
        const double value = scale < 0 ? m / kPowersOfTen[-scale] : m * kPowersOfTen[scale];
        return negative ? -value : value;
    }
    // Long mantissas and large exponents: the library's correctly rounded conversion of the
    // same characters (it takes no sign, so the sign is applied here).
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(slice.data() + unsignedStart, slice.data() + i, value);
    if (error != std::errc() || end != slice.data() + i) {
        return 0.0;
    }
    return negative ? -value : value;
}
