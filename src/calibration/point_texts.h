#pragma once
// The value texts of the points file, the dated record's conventions: "." before decimals
// whatever the locale, six significant digits, ISO times with their offset. Read back
// strictly, so a text reads as the value it was written from. This is the one place the
// calibration room takes the record's texts from.

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

namespace calibration {

// As the record writes a quantity: six significant digits, plain decimals, empty for none.
QString NumberText(std::optional<double> value);
// "2026-12-10T13:15:00.123+01:00".
QString TimeText(const QDateTime& time);

// The value a number text stands for. Empty text: `value` empty and `valid` true; a text
// that is no plain decimal number ("-12.34", "5e-05" too; no blanks, no "," or grouping,
// no value of 1e15 or more in magnitude): `valid` false.
struct ParsedNumber {
    bool valid = false;
    std::optional<double> value;
};
ParsedNumber ParseNumber(QStringView text);

// The time of a TimeText; empty for any other text.
std::optional<QDateTime> ParseTime(QStringView text);

// The value as the file gives it back: what NumberText writes, read again. Points keep their
// numbers so, and what is computed from them comes out the same before and after a file.
double AsWritten(double value);
std::optional<double> AsWritten(std::optional<double> value);

}  // namespace calibration
