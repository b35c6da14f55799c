#include "viewer/chart_file_parser.h"

#include <cstring>
#include <utility>

#include "viewer/data_line.h"
#include "viewer/slice_value.h"

namespace {

// A UTF-8 character has at most four bytes, so this holds the characters that are read
// and, after them, the CR of a CR LF.
constexpr std::size_t kPendingBytes = kChartLineChars * 4 + 1;

std::string_view WithoutCr(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

ChartFileParser::ChartFileParser(TimeTextRules rules, std::size_t keepNewest)
    : rules_(std::move(rules)), series1_(keepNewest), series2_(keepNewest) {}

bool ChartFileParser::Feed(std::string_view bytes) {
    while (!points_.error && !bytes.empty()) {
        const auto* lf = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
        const std::size_t length = lf ? static_cast<std::size_t>(lf - bytes.data()) : bytes.size();
        const std::string_view piece = bytes.substr(0, length);
        if (!lf || inLine_) {
            if (pending_.size() < kPendingBytes) {
                pending_.append(piece.substr(0, kPendingBytes - pending_.size()));
            }
            inLine_ = true;
            if (!lf) {
                break;
            }
            Line(WithoutCr(pending_));
            pending_.clear();
            inLine_ = false;
        } else {
            Line(WithoutCr(piece));
        }
        bytes.remove_prefix(length + 1);
    }
    return !points_.error;
}

LoadedPoints ChartFileParser::Finish() {
    // A last line without line end keeps a CR at its end as one of its characters.
    if (inLine_ && !points_.error) {
        Line(pending_);
    }
    return Abandon();
}

LoadedPoints ChartFileParser::Abandon() {
    pending_.clear();
    inLine_ = false;
    series1_.MoveTo(points_.x1, points_.y1);
    series2_.MoveTo(points_.x2, points_.y2);
    return std::move(points_);
}

void ChartFileParser::Line(std::string_view line) {
    if (headersLeft_ > 0) {
        --headersLeft_;
        return;
    }
    ++points_.dataLines;
    const DataLineFields fields = SplitDataLine(line);
    const std::optional<double> time = ParseTimeOfDay(fields.timeText, rules_);
    if (!time) {
        const QByteArrayView text(fields.timeText.data(),
                                  static_cast<qsizetype>(fields.timeText.size()));
        points_.error = u'\'' + QString::fromUtf8(text) + QStringLiteral("' is not a valid time");
        return;
    }
    if (*time + day_ < previousX_) {
        day_ += 1.0;
    }
    const double x = *time + day_;
    previousX_ = x;
    if (const double value = ParseSliceValue(fields.slice1); value != 0.0) {
        series1_.Add(x, value);
    }
    if (const double value = ParseSliceValue(fields.slice2); value != 0.0) {
        series2_.Add(x, value);
    }
}

LoadedPoints ParseChartFile(std::string_view bytes, const TimeTextRules& rules) {
    ChartFileParser parser(rules);
    parser.Feed(bytes);
    return parser.Finish();
}
