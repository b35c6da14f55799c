#pragma once
// Numbers of the Settings tab: the instrument's scaled integers shown as decimals in the
// operator's locale, and the operator's texts turned back into scaled integers.

#include <QLocale>
#include <QString>
#include <cstdint>

enum class SettingsNumberStatus {
    Ok,
    NotANumber,  // the text is no number at all (an empty text included)
    OutOfRange,  // a number, but its scaled value does not fit a signed 16-bit word
};

struct SettingsNumber {
    SettingsNumberStatus status = SettingsNumberStatus::NotANumber;
    std::int16_t value = 0;  // meaningful only when status is Ok
};

// value / 10^decimals in general decimal form: no exponent, no trailing zeros, no group
// separators, "-" for negatives, the locale's decimal separator ("22.5", "-5", "0").
QString FormatSettingsDecimal(std::int16_t value, int decimals, const QLocale& locale);

// The number in `text` times 10^decimals, rounded to nearest with ties to even. Accepts
// surrounding blanks, a sign, digits with the locale's decimal separator (no group
// separators) and an exponent. Works on the digits as typed, not on a binary double, so
// "0.35" at one decimal is exactly 3.5 and becomes 4, as the operator means it.
SettingsNumber ParseSettingsDecimal(const QString& text, int decimals, const QLocale& locale);

// A decimal integer with optional sign and surrounding blanks.
SettingsNumber ParseSettingsInteger(const QString& text);
