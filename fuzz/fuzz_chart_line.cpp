// One line of a chart file: where the fields stand, the time of day and the value slices.

#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/decimal_reference.h"
#include "support/fuzz_check.h"
#include "support/fuzz_locales.h"
#include "viewer/data_line.h"
#include "viewer/slice_value.h"
#include "viewer/time_text.h"

namespace {

// Byte offset where each character of a valid UTF-8 line starts, as Qt's decoder sees the
// characters; the last entry is where the characters read end.
std::vector<std::size_t> CharStarts(std::string_view line, std::size_t limit) {
    const QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    std::vector<std::size_t> starts;
    std::size_t byte = 0;
    for (const char32_t c : text.toUcs4()) {
        if (starts.size() == limit) {
            break;
        }
        starts.push_back(byte);
        byte += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    starts.push_back(byte);
    return starts;
}

bool IsValidUtf8(std::string_view line) {
    const QByteArray bytes(line.data(), static_cast<qsizetype>(line.size()));
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

// The fields as the layout defines them, counted in code points.
DataLineFields ReferenceFields(std::string_view line) {
    const std::vector<std::size_t> starts = CharStarts(line, 25);
    const std::size_t count = starts.size() - 1;
    std::size_t p = 6;
    for (std::size_t position = 2; position <= 5; ++position) {
        if (position <= count && line[starts[position - 1]] == '\t') {
            p = position;
            break;
        }
    }
    auto chars = [&](std::size_t position, std::size_t n) {
        const std::size_t first = std::min(position - 1, count);
        const std::size_t last = std::min(first + n, count);
        return line.substr(starts[first], starts[last] - starts[first]);
    };
    const std::size_t k = p - 2;
    return {chars(k + 3, 8), chars(k + 12, 5), chars(k + 17, 5)};
}

bool SameView(std::string_view a, std::string_view b) {
    return a.data() == b.data() && a.size() == b.size();
}

bool Inside(std::string_view part, std::string_view line) {
    return part.data() >= line.data() && part.data() + part.size() <= line.data() + line.size();
}

void CheckSplit(std::string_view line, const DataLineFields& fields) {
    FUZZ_CHECK(Inside(fields.timeText, line));
    FUZZ_CHECK(Inside(fields.slice1, line));
    FUZZ_CHECK(Inside(fields.slice2, line));
    FUZZ_CHECK(fields.timeText.data() + fields.timeText.size() <= fields.slice1.data());
    FUZZ_CHECK(fields.slice1.data() + fields.slice1.size() == fields.slice2.data());
    // A character is at most four bytes.
    FUZZ_CHECK(fields.timeText.size() <= 8 * 4);
    FUZZ_CHECK(fields.slice1.size() <= 5 * 4 && fields.slice2.size() <= 5 * 4);
    if (IsValidUtf8(line)) {
        const DataLineFields expected = ReferenceFields(line);
        FUZZ_CHECK(SameView(fields.timeText, expected.timeText));
        FUZZ_CHECK(SameView(fields.slice1, expected.slice1));
        FUZZ_CHECK(SameView(fields.slice2, expected.slice2));
    }
}

// The input's characters as valid UTF-8 (what does not decode becomes U+FFFD), so that
// every input also gives a line the reference can count.
QByteArray AsValidUtf8(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8();
}

void CheckTime(std::string_view text, const TimeTextRules& rules) {
    const std::optional<double> time = ParseTimeOfDay(text, rules);
    if (!time) {
        return;
    }
    FUZZ_CHECK(*time >= 0.0 && *time < 1.0);
    // Blanks may stand before any part and at the end.
    const std::string padded = " " + std::string(text) + " ";
    const std::optional<double> again = ParseTimeOfDay(padded, rules);
    FUZZ_CHECK(again && *again == *time);
}

void CheckSlice(std::string_view slice) {
    const double value = ParseSliceValue(slice);
    FUZZ_CHECK(std::isfinite(value));
    const std::optional<double> expected = ReferenceSliceValue(slice);
    if (!expected || std::isinf(*expected)) {
        FUZZ_CHECK(value == 0.0);
        return;
    }
    // Below the normal range the last digits may be lost to 0, never turned into others.
    if (*expected != 0.0 && !std::isnormal(*expected)) {
        FUZZ_CHECK(value == *expected || value == 0.0);
        return;
    }
    FUZZ_CHECK(value == *expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const DataLineFields fields = SplitDataLine(line);
    CheckSplit(line, fields);
    const QByteArray valid = AsValidUtf8(line);
    const std::string_view validLine(valid.data(), static_cast<std::size_t>(valid.size()));
    CheckSplit(validLine, SplitDataLine(validLine));
    for (const FuzzLocale& locale : FuzzLocales()) {
        CheckTime(fields.timeText, locale.rules);
        CheckTime(line, locale.rules);
    }
    CheckSlice(fields.slice1);
    CheckSlice(fields.slice2);
    CheckSlice(line);
    return 0;
}
