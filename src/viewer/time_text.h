#pragma once
// Reading the time column of a chart file as a time of day.

#include <optional>
#include <string>
#include <string_view>

class QLocale;

// The regional pieces a time text is read with. Taken from the locale once per load, so
// reading a line never touches QLocale. All texts are UTF-8.
struct TimeTextRules {
    std::string timeSeparator = ":";
    std::string decimalSeparator = ".";
    // "AM" and "PM" are accepted besides these.
    std::string amText = "AM";
    std::string pmText = "PM";

    // The separator comes from the locale's long time format (":" where the format has no
    // plain one-character separator between hours and minutes).
    static TimeTextRules FromLocale(const QLocale& locale);
};

// Hours, optionally separator + minutes, optionally separator + seconds, optionally decimal
// separator + milliseconds; blanks (spaces) before any part and at the end; an AM/PM marker
// before or after the numbers. Hours below 24, or 1 to 12 with a marker; minutes and seconds
// below 60, milliseconds below 1000. Returns the fraction of the day, in [0, 1), or nothing
// when the whole text is not such a time.
std::optional<double> ParseTimeOfDay(std::string_view text, const TimeTextRules& rules);
