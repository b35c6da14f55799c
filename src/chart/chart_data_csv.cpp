#include "chart/chart_data_csv.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "chart/ole_date.h"
#include "measure/sample_columns.h"
#include "series/series_table.h"

namespace {

// Bytes gathered before they are handed on.
constexpr std::size_t kPieceBytes = 64 * 1024;

void AppendValue(std::string& text, double value) {
    if (!std::isfinite(value)) {
        return;
    }
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

void AppendTime(std::string& text, double oleDate) {
    const WallClock clock = OleDateToWallClock(oleDate);
    text += IsoDateTimeText(QDateTime(clock.date, clock.time)).toStdString();
}

}  // namespace

std::int64_t WriteChartDataCsv(const ChartColumns& series, double from, double to,
                               const std::function<bool(std::string_view)>& write) {
    std::string text = "time";
    for (const SeriesEntry& entry : kSeriesTable) {
        text += ',';
        text += entry.columnName;
    }
    text += '\n';

    std::array<SeriesPoints::Cursor, kSeriesCount> at{};
    std::array<SeriesPoints::Cursor, kSeriesCount> end{};
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        at[i] = series[i]->Bound(from, false);
        end[i] = series[i]->Bound(to, true, at[i]);
    }
    std::int64_t rows = 0;
    while (true) {
        double x = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            if (at[i] < end[i]) {
                x = std::min(x, series[i]->At(at[i]).key);
            }
        }
        if (!std::isfinite(x)) {
            break;
        }
        AppendTime(text, x);
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            text += ',';
            if (at[i] < end[i] && series[i]->At(at[i]).key == x) {
                AppendValue(text, series[i]->At(at[i]).value);
                at[i] = series[i]->Next(at[i]);
            }
        }
        text += '\n';
        ++rows;
        if (text.size() >= kPieceBytes) {
            if (!write(text)) {
                return -1;
            }
            text.clear();
        }
    }
    if (!text.empty() && !write(text)) {
        return -1;
    }
    return rows;
}
