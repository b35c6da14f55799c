#pragma once
// Readings of number texts from their documented grammar and the C library's correctly
// rounded conversion: the standard the Settings, Logger and chart conversions are held to.

#include <QChar>
#include <QStringView>
#include <optional>
#include <string_view>

// The value of `text` as a Settings edit takes it: blanks (U+0020 and below) around, an
// optional sign, ASCII digits with `separator` and fraction digits (at least one digit in
// all), an optional exponent of e or E, a sign and digits. Nothing when the text is
// anything else.
std::optional<double> ReferenceDecimal(QStringView text, QStringView separator);

// The value of an integer text: an optional sign and ASCII digits, with characters for
// which `isBlank` holds around them. Magnitudes past 10^15 read as 10^15: out of every
// range the program knows.
std::optional<long long> ReferenceInteger(QStringView text, bool (*isBlank)(QChar));

// The longest leading number of a chart slice: blanks (spaces), an optional sign, digits
// with an optional "." and fraction, an optional exponent whose digits must follow; then
// converted by strtod. Nothing when no digit leads.
std::optional<double> ReferenceSliceValue(std::string_view slice);
