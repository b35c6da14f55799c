// The chart file loader over a whole file: the bytes parsed at once, in pieces split
// anywhere, and abandoned after the last line end, with the time rules of several locales.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/fuzz_check.h"
#include "support/fuzz_locales.h"
#include "viewer/chart_file_parser.h"

namespace {

// The piece lengths come from the input itself, so a crash replays with the same splits.
class PieceLengths {
  public:
    PieceLengths(std::string_view bytes, std::size_t salt) : state_(0x9E3779B97F4A7C15u ^ salt) {
        for (const char c : bytes) {
            state_ = (state_ ^ static_cast<unsigned char>(c)) * 0x100000001B3u;
        }
        state_ |= 1;
    }

    // Mostly short pieces, so that lines, CR LF pairs and UTF-8 characters get cut.
    std::size_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        const std::size_t roll = state_ % 16;
        return roll < 12 ? 1 + state_ / 16 % 8 : 1 + state_ / 16 % 300;
    }

  private:
    std::uint64_t state_;
};

bool SamePoints(const LoadedPoints& a, const LoadedPoints& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.error == b.error &&
           a.dataLines == b.dataLines;
}

// Lines the file holds: one per LF, and an unfinished last one.
std::size_t LineCount(std::string_view bytes) {
    const auto ends = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return ends + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

void CheckSeries(const std::vector<double>& x, const std::vector<double>& y,
                 std::size_t dataLines) {
    FUZZ_CHECK(x.size() == y.size());
    FUZZ_CHECK(x.size() <= dataLines);
    FUZZ_CHECK(std::is_sorted(x.begin(), x.end()));
    for (std::size_t i = 0; i < x.size(); ++i) {
        // The day counter moves on by at most one day per line.
        FUZZ_CHECK(x[i] >= 0.0 && x[i] < static_cast<double>(dataLines));
        FUZZ_CHECK(std::isfinite(y[i]) && y[i] != 0.0);
    }
}

void CheckLoaded(std::string_view bytes, const LoadedPoints& points) {
    CheckSeries(points.x1, points.y1, points.dataLines);
    CheckSeries(points.x2, points.y2, points.dataLines);
    const std::size_t lines = LineCount(bytes);
    const std::size_t dataLines = lines > 2 ? lines - 2 : 0;
    if (points.error) {
        FUZZ_CHECK(points.dataLines >= 1 && points.dataLines <= dataLines);
        FUZZ_CHECK(points.error->startsWith(u'\''));
        FUZZ_CHECK(points.error->endsWith(QStringLiteral("' is not a valid time")));
    } else {
        FUZZ_CHECK(points.dataLines == dataLines);
    }
}

LoadedPoints FeedInPieces(std::string_view bytes, const TimeTextRules& rules, std::size_t salt) {
    ChartFileParser parser(rules);
    PieceLengths lengths(bytes, salt);
    bool going = true;
    while (!bytes.empty()) {
        const std::size_t n = std::min(lengths.Next(), bytes.size());
        const bool accepted = parser.Feed(bytes.substr(0, n));
        // Once a line has stopped the loading, it stays stopped.
        FUZZ_CHECK(going || !accepted);
        going = accepted;
        bytes.remove_prefix(n);
    }
    return parser.Finish();
}

// A read that fails after the last line end loses only the unfinished line.
void CheckAbandon(std::string_view bytes, const TimeTextRules& rules) {
    ChartFileParser parser(rules);
    parser.Feed(bytes);
    const LoadedPoints abandoned = parser.Abandon();
    const std::size_t lastEnd = bytes.rfind('\n');
    const std::string_view complete =
        lastEnd == std::string_view::npos ? std::string_view() : bytes.substr(0, lastEnd + 1);
    FUZZ_CHECK(SamePoints(abandoned, ParseChartFile(complete, rules)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto locales = FuzzLocales();
    for (std::size_t i = 0; i < locales.size(); ++i) {
        const TimeTextRules& rules = locales[i].rules;
        const LoadedPoints whole = ParseChartFile(bytes, rules);
        CheckLoaded(bytes, whole);
        FUZZ_CHECK(SamePoints(FeedInPieces(bytes, rules, i), whole));
        CheckAbandon(bytes, rules);
    }
    return 0;
}
