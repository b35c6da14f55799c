#include "viewer/time_text.h"

#include <algorithm>
#include <utility>

#include <QLocale>
#include <QString>

namespace {

enum class DayHalf { None, Am, Pm };

// Any count of digits is read; the value saturates so that long digit runs cannot
// overflow and are then refused by the range checks.
constexpr unsigned kSaturated = 1'000'000;

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Markers match ignoring ASCII case; other characters must match exactly, as the locale
// writes them.
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[i]) != AsciiLower(prefix[i])) {
            return false;
        }
    }
    return true;
}

class TimeScanner {
  public:
    explicit TimeScanner(std::string_view text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') {
            ++pos_;
        }
    }

    bool Take(std::string_view token) {
        SkipBlanks();
        if (token.empty() || token.size() > text_.size() - pos_) {
            return false;
        }
        // Separators are a byte or two: a plain loop beats a call to memcmp.
        for (std::size_t i = 0; i < token.size(); ++i) {
            if (text_[pos_ + i] != token[i]) {
                return false;
            }
        }
        pos_ += token.size();
        return true;
    }

    std::optional<unsigned> Number() {
        SkipBlanks();
        const std::size_t start = pos_;
        unsigned value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            value = std::min(kSaturated, value * 10 + static_cast<unsigned>(text_[pos_] - '0'));
            ++pos_;
        }
        if (pos_ == start) {
            return std::nullopt;
        }
        return value;
    }

    // The longest of the four markers wins, so a locale text that begins like another
    // marker cannot cut it short.
    DayHalf Marker(const TimeTextRules& rules) {
        SkipBlanks();
        const std::string_view rest = text_.substr(pos_);
        const std::pair<std::string_view, DayHalf> markers[] = {
            {rules.amText, DayHalf::Am},
            {rules.pmText, DayHalf::Pm},
            {"AM", DayHalf::Am},
            {"PM", DayHalf::Pm},
        };
        DayHalf found = DayHalf::None;
        std::size_t length = 0;
        for (const auto& [marker, half] : markers) {
            if (marker.size() > length && StartsWithIgnoringAsciiCase(rest, marker)) {
                found = half;
                length = marker.size();
            }
        }
        pos_ += length;
        return found;
    }

    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Hours to the 24-hour clock, or nothing when out of range for the marker.
std::optional<unsigned> ClockHours(unsigned hours, DayHalf half) {
    if (half == DayHalf::None) {
        return hours < 24 ? std::optional<unsigned>(hours) : std::nullopt;
    }
    if (hours < 1 || hours > 12) {
        return std::nullopt;
    }
    const unsigned morning = hours == 12 ? 0 : hours;
    return half == DayHalf::Pm ? morning + 12 : morning;
}

constexpr double kMillisecondsPerDay = 86'400'000.0;

// Milliseconds of the day of a text "hh:mm:ss" (two digits each, the rules' separator
// between them) that is a valid time; nothing otherwise.
std::optional<unsigned> PlainTime(std::string_view text, const TimeTextRules& rules) {
    if (text.size() != 8 || rules.timeSeparator.size() != 1 || text[2] != rules.timeSeparator[0] ||
        text[5] != rules.timeSeparator[0]) {
        return std::nullopt;
    }
    unsigned parts[3];
    for (int part = 0; part < 3; ++part) {
        const char tens = text[3 * part];
        const char ones = text[3 * part + 1];
        if (tens < '0' || tens > '9' || ones < '0' || ones > '9') {
            return std::nullopt;
        }
        parts[part] = static_cast<unsigned>((tens - '0') * 10 + (ones - '0'));
    }
    if (parts[0] >= 24 || parts[1] >= 60 || parts[2] >= 60) {
        return std::nullopt;
    }
    return ((parts[0] * 60 + parts[1]) * 60 + parts[2]) * 1000;
}

std::string TimeSeparatorOf(const QString& format) {
    const std::string fallback = ":";
    qsizetype i = 0;
    while (i < format.size() && format[i] != u'h' && format[i] != u'H') {
        ++i;
    }
    while (i < format.size() && (format[i] == u'h' || format[i] == u'H')) {
        ++i;
    }
    QString between;
    for (; i < format.size() && format[i] != u'm'; ++i) {
        if (format[i] != u'\'' && format[i] != u' ') {
            between += format[i];
        }
    }
    if (i == format.size() || between.size() != 1 || between[0].isLetterOrNumber()) {
        return fallback;
    }
    return between.toStdString();
}

}  // namespace

TimeTextRules TimeTextRules::FromLocale(const QLocale& locale) {
    TimeTextRules rules;
    rules.timeSeparator = TimeSeparatorOf(locale.timeFormat(QLocale::LongFormat));
    if (const QString point = locale.decimalPoint(); !point.isEmpty()) {
        rules.decimalSeparator = point.toStdString();
    }
    rules.amText = locale.amText().toStdString();
    rules.pmText = locale.pmText().toStdString();
    return rules;
}

std::optional<double> ParseTimeOfDay(std::string_view text, const TimeTextRules& rules) {
    // The usual "hh:mm:ss" of eight characters, read directly; anything else, and any
    // such text out of range, goes the general way.
    if (const std::optional<unsigned> total = PlainTime(text, rules)) {
        return *total / kMillisecondsPerDay;
    }
    TimeScanner scan(text);
    DayHalf half = scan.Marker(rules);
    const std::optional<unsigned> hours = scan.Number();
    if (!hours) {
        return std::nullopt;
    }
    unsigned minutes = 0;
    unsigned seconds = 0;
    unsigned milliseconds = 0;
    if (scan.Take(rules.timeSeparator)) {
        const auto m = scan.Number();
        if (!m) {
            return std::nullopt;
        }
        minutes = *m;
        if (scan.Take(rules.timeSeparator)) {
            const auto s = scan.Number();
            if (!s) {
                return std::nullopt;
            }
            seconds = *s;
            if (scan.Take(rules.decimalSeparator)) {
                const auto ms = scan.Number();
                if (!ms) {
                    return std::nullopt;
                }
                milliseconds = *ms;
            }
        }
    }
    if (half == DayHalf::None) {
        half = scan.Marker(rules);
    }
    if (!scan.AtEnd()) {
        return std::nullopt;
    }
    const std::optional<unsigned> clock = ClockHours(*hours, half);
    if (!clock || minutes >= 60 || seconds >= 60 || milliseconds >= 1000) {
        return std::nullopt;
    }
    // A whole number of milliseconds divided once, so equal times give equal values.
    const unsigned total = ((*clock * 60 + minutes) * 60 + seconds) * 1000 + milliseconds;
    return total / kMillisecondsPerDay;
}
