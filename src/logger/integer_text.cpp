#include "logger/integer_text.h"

#include <limits>

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

}  // namespace

std::optional<std::int32_t> IntegerFromText(const QString& text) {
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && IsBlank(text[i])) {
        ++i;
    }
    while (end > i && IsBlank(text[end - 1])) {
        --end;
    }
    bool negative = false;
    if (i < end && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == end) {
        return std::nullopt;
    }
    // Accumulated as a magnitude so that the lowest value, whose magnitude has no positive
    // counterpart, still fits.
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

QString InvalidIntegerText(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}
