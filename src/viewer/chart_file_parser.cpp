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
    : m_rules(std::move(rules)), m_series1(keepNewest), m_series2(keepNewest) {}

bool ChartFileParser::Feed(std::string_view bytes) {
    while (!m_points.error && !bytes.empty()) {
        const auto* lf = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
        const std::size_t length = lf ? static_cast<std::size_t>(lf - bytes.data()) : bytes.size();
        const std::string_view piece = bytes.substr(0, length);
        if (!lf || m_inLine) {
            if (m_pending.size() < kPendingBytes) {
                m_pending.append(piece.substr(0, kPendingBytes - m_pending.size()));
            }
            m_inLine = true;
            if (!lf) {
                break;
            }
            Line(WithoutCr(m_pending));
            m_pending.clear();
            m_inLine = false;
        } else {
            Line(WithoutCr(piece));
        }
        bytes.remove_prefix(length + 1);
    }
    return !m_points.error;
}

LoadedPoints ChartFileParser::Finish() {
    // A last line without line end keeps a CR at its end as one of its characters.
    if (m_inLine && !m_points.error) {
        Line(m_pending);
    }
    return Abandon();
}

LoadedPoints ChartFileParser::Abandon() {
    m_pending.clear();
    m_inLine = false;
    m_series1.MoveTo(m_points.x1, m_points.y1);
    m_series2.MoveTo(m_points.x2, m_points.y2);
    return std::move(m_points);
}

void ChartFileParser::Line(std::string_view line) {
    if (m_headersLeft > 0) {
        --m_headersLeft;
        return;
    }
    ++m_points.dataLines;
    const DataLineFields fields = SplitDataLine(line);
    const std::optional<double> time = ParseTimeOfDay(fields.timeText, m_rules);
    if (!time) {
        const QByteArrayView text(fields.timeText.data(),
                                  static_cast<qsizetype>(fields.timeText.size()));
        m_points.error = u'\'' + QString::fromUtf8(text) + QStringLiteral("' is not a valid time");
        return;
    }
    if (*time + m_day < m_previousX) {
        m_day += 1.0;
    }
    const double x = *time + m_day;
    m_previousX = x;
    if (const double value = ParseSliceValue(fields.slice1); value != 0.0) {
        m_series1.Add(x, value);
    }
    if (const double value = ParseSliceValue(fields.slice2); value != 0.0) {
        m_series2.Add(x, value);
    }
}

LoadedPoints ParseChartFile(std::string_view bytes, const TimeTextRules& rules) {
    ChartFileParser parser(rules);
    parser.Feed(bytes);
    return parser.Finish();
}
