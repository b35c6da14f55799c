#include "calibration/point_texts.h"

#include <charconv>
#include <cmath>
#include <string>

#include "measure/sample_columns.h"

namespace calibration {

namespace {

// Longer texts, and larger values, are no number this file writes: a bound also keeps a
// value read from "1e300" from growing to hundreds of digits when written again.
constexpr qsizetype kLongestNumber = 40;
constexpr double kLargestNumber = 1e15;

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// -?digits(.digits)?([eE][-+]?digits)?
bool IsPlainNumber(QStringView text) {
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype start = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        return i > start;
    };
    if (i < text.size() && text[i] == QLatin1Char('-')) {
        ++i;
    }
    if (!digits()) {
        return false;
    }
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        if (!digits()) {
            return false;
        }
    }
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
            ++i;
        }
        if (!digits()) {
            return false;
        }
    }
    return i == text.size();
}

}  // namespace

QString NumberText(std::optional<double> value) {
    return QuantityText(value);
}

QString TimeText(const QDateTime& time) {
    return IsoDateTimeText(time);
}

ParsedNumber ParseNumber(QStringView text) {
    if (text.isEmpty()) {
        return {true, std::nullopt};
    }
    if (text.size() > kLongestNumber || !IsPlainNumber(text)) {
        return {};
    }
    const std::string ascii = text.toLatin1().toStdString();
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value) ||
        std::fabs(value) >= kLargestNumber) {
        return {};
    }
    return {true, value};
}

std::optional<QDateTime> ParseTime(QStringView text) {
    const QDateTime time = QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
    // Only the form TimeText writes: the same text again, offset and milliseconds included.
    if (!time.isValid() || TimeText(time) != text) {
        return std::nullopt;
    }
    return time;
}

double AsWritten(double value) {
    return ParseNumber(NumberText(value)).value.value_or(value);
}

std::optional<double> AsWritten(std::optional<double> value) {
    if (!value) {
        return std::nullopt;
    }
    return ParseNumber(NumberText(value)).value;
}

}  // namespace calibration
