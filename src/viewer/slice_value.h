#pragma once
// Reading a value slice of a chart file as a number.

#include <string_view>

// "." is the decimal point whatever the locale. After leading blanks (spaces): an optional
// sign, digits with an optional "." and fraction digits, an optional exponent (e or E, an
// optional sign, digits; without digits the exponent is not part of the number).
// A slice that is not a number as a whole gives its longest leading number, so "-50\t2"
// (a narrow column followed by its TAB) gives -50. No leading number, an empty slice, or a
// number beyond the range of double gives 0: nothing to plot.
double ParseSliceValue(std::string_view slice);
