#pragma once
// Where the time and the two value slices stand in a data line of a chart file.

#include <cstddef>
#include <string_view>

// Only this many characters of a line are read.
constexpr std::size_t kChartLineChars = 105;

struct DataLineFields {
    std::string_view timeText;
    std::string_view slice1;
    std::string_view slice2;
};

// `line` without its line end. Positions count characters from 1: p is the first of the
// positions 2 to 5 that holds a TAB, else 6; with k = p - 2 the time is the 8 characters
// from position k + 3, slice 1 the 5 from k + 12, slice 2 the 5 from k + 17, each cut short
// where the line ends. The views point into `line`.
//
// A character is one UTF-8 code point (the program's own files are UTF-8), so non-ASCII
// text before or in a field moves no field. Bytes that are not UTF-8 count one character
// per byte that cannot start or continue a sequence, like the replacement characters they
// decode to.
DataLineFields SplitDataLine(std::string_view line);
