#include "support/decimal_reference.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr long long kSaturated = 1'000'000'000'000'000;

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Appends the run of ASCII digits at `pos` to `out` and steps over it; true when any.
bool CopyDigits(QStringView text, qsizetype& pos, std::string& out) {
    const qsizetype start = pos;
    while (pos < text.size() && IsAsciiDigit(text[pos])) {
        out.push_back(static_cast<char>(text[pos].unicode()));
        ++pos;
    }
    return pos > start;
}

void CopySign(QStringView text, qsizetype& pos, std::string& out) {
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        out.push_back(static_cast<char>(text[pos].unicode()));
        ++pos;
    }
}

QStringView Trimmed(QStringView text, bool (*isBlank)(QChar)) {
    while (!text.isEmpty() && isBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && isBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

bool IsSettingsBlank(QChar c) {
    return c.unicode() <= u' ';
}

}  // namespace

std::optional<double> ReferenceDecimal(QStringView text, QStringView separator) {
    const QStringView t = Trimmed(text, IsSettingsBlank);
    std::string ascii;
    qsizetype pos = 0;
    CopySign(t, pos, ascii);
    bool anyDigit = CopyDigits(t, pos, ascii);
    if (!separator.isEmpty() && t.sliced(pos).startsWith(separator)) {
        pos += separator.size();
        ascii.push_back('.');
        anyDigit = CopyDigits(t, pos, ascii) || anyDigit;
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (pos < t.size() && (t[pos] == u'e' || t[pos] == u'E')) {
        ++pos;
        ascii.push_back('e');
        CopySign(t, pos, ascii);
        if (!CopyDigits(t, pos, ascii)) {
            return std::nullopt;
        }
    }
    if (pos != t.size()) {
        return std::nullopt;
    }
    return std::strtod(ascii.c_str(), nullptr);
}

std::optional<long long> ReferenceInteger(QStringView text, bool (*isBlank)(QChar)) {
    const QStringView t = Trimmed(text, isBlank);
    qsizetype pos = 0;
    std::string sign;
    CopySign(t, pos, sign);
    std::string digits;
    if (!CopyDigits(t, pos, digits) || pos != t.size()) {
        return std::nullopt;
    }
    long long magnitude = 0;
    for (const char c : digits) {
        magnitude = std::min(kSaturated, magnitude * 10 + (c - '0'));
    }
    return sign == "-" ? -magnitude : magnitude;
}

std::optional<double> ReferenceSliceValue(std::string_view slice) {
    std::size_t pos = 0;
    while (pos < slice.size() && slice[pos] == ' ') {
        ++pos;
    }
    const std::size_t start = pos;
    if (pos < slice.size() && (slice[pos] == '-' || slice[pos] == '+')) {
        ++pos;
    }
    auto digitsAt = [&](std::size_t at) {
        std::size_t end = at;
        while (end < slice.size() && slice[end] >= '0' && slice[end] <= '9') {
            ++end;
        }
        return end - at;
    };
    std::size_t digits = digitsAt(pos);
    pos += digits;
    if (pos < slice.size() && slice[pos] == '.') {
        const std::size_t fraction = digitsAt(pos + 1);
        pos += 1 + fraction;
        digits += fraction;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (pos < slice.size() && (slice[pos] == 'e' || slice[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < slice.size() && (slice[exponent] == '-' || slice[exponent] == '+')) {
            ++exponent;
        }
        if (const std::size_t n = digitsAt(exponent); n > 0) {
            pos = exponent + n;
        }
    }
    const std::string number(slice.substr(start, pos - start));
    return std::strtod(number.c_str(), nullptr);
}
