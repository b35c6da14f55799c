#pragma once
// Strict conversion of an operator's text to a 32-bit integer, shared by every edit that
// takes a whole number.

#include <QString>
#include <cstdint>
#include <optional>

// Accepts optional blanks (spaces, tabs) around an optional sign and decimal digits 0-9,
// nothing else; empty when the text is anything else or the value does not fit 32 bits.
std::optional<std::int32_t> IntegerFromText(const QString& text);

// "'%s' is not a valid integer value" with the text as typed in place of %s.
QString InvalidIntegerText(const QString& text);
