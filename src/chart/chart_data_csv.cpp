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

void AppendDigits(std::string& text, int value, int width) {
    char digits[3];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    text.append(digits, static_cast<std::size_t>(width));
}

// The local times of the rows as the dated record writes them. Working out the UTC offset
// of a local time is the costly part; it is worked out once for each hour of the rows, from
// both ends of the hour. An hour whose ends disagree (the clocks changed within it), or
// whose times the zone does not have, or a date out of the four-digit years, is written
// time by time as it always is.
class TimeTexts {
  public:
    void Append(std::string& text, double oleDate) {
        const WallClock clock = OleDateToWallClock(oleDate);
        if (!clock.date.isValid() || !clock.time.isValid()) {
            AppendSlowly(text, clock);
            return;
        }
        const std::int64_t hour = clock.date.toJulianDay() * 24 + clock.time.hour();
        if (hour != hour_) {
            Learn(clock.date, clock.time.hour());
            hour_ = hour;
        }
        if (!even_) {
            AppendSlowly(text, clock);
            return;
        }
        text += start_;
        AppendDigits(text, clock.time.minute(), 2);
        text += ':';
        AppendDigits(text, clock.time.second(), 2);
        text += '.';
        AppendDigits(text, clock.time.msec(), 3);
        text += offset_;
    }

  private:
    static void AppendSlowly(std::string& text, const WallClock& clock) {
        text += IsoDateTimeText(QDateTime(clock.date, clock.time)).toStdString();
    }

    void Learn(QDate date, int hour) {
        const QTime first(hour, 0);
        const QTime last(hour, 59, 59, 999);
        const QDateTime begins(date, first);
        const QDateTime ends(date, last);
        even_ = date.year() >= 1 && date.year() <= 9999 && begins.date() == date &&
                ends.date() == date && begins.time() == first && ends.time() == last &&
                begins.offsetFromUtc() == ends.offsetFromUtc();
        if (!even_) {
            return;
        }
        // "yyyy-MM-ddTHH:" and "+hh:mm", cut from the text of the hour's first millisecond.
        const std::string whole = IsoDateTimeText(begins).toStdString();
        const std::size_t minutes = whole.find(':');
        const std::size_t millis = whole.find('.');
        if (minutes == std::string::npos || millis == std::string::npos ||
            whole.size() < millis + 4) {
            even_ = false;
            return;
        }
        start_ = whole.substr(0, minutes + 1);
        offset_ = whole.substr(millis + 4);
    }

    std::int64_t hour_ = std::numeric_limits<std::int64_t>::min();
    bool even_ = false;
    std::string start_;
    std::string offset_;
};

}  // namespace

std::int64_t CountChartPoints(const ChartColumns& series, double from, double to) {
    std::int64_t points = 0;
    for (const SeriesPoints* column : series) {
        const SeriesPoints::Cursor first = column->Bound(from, false);
        const SeriesPoints::Cursor last = column->Bound(to, true, first);
        for (SeriesPoints::Cursor at = first; at < last; at = column->Next(at)) {
            ++points;
        }
    }
    return points;
}

std::int64_t WriteChartDataCsv(const ChartColumns& series, double from, double to,
                               const std::function<bool(std::string_view)>& write) {
    return WriteChartDataCsv(
        series, from, to, [&write](std::string_view piece, std::int64_t) { return write(piece); });
}

std::int64_t WriteChartDataCsv(
    const ChartColumns& series, double from, double to,
    const std::function<bool(std::string_view, std::int64_t points)>& write) {
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
    TimeTexts times;
    std::int64_t rows = 0;
    std::int64_t points = 0;
    std::array<SeriesPoint, kSeriesCount> next{};
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        if (at[i] < end[i]) {
            next[i] = series[i]->At(at[i]);
        }
    }
    while (true) {
        double x = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            if (at[i] < end[i]) {
                x = std::min(x, next[i].key);
            }
        }
        if (!std::isfinite(x)) {
            break;
        }
        times.Append(text, x);
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            text += ',';
            if (at[i] < end[i] && next[i].key == x) {
                AppendValue(text, next[i].value);
                ++points;
                at[i] = series[i]->Next(at[i]);
                if (at[i] < end[i]) {
                    next[i] = series[i]->At(at[i]);
                }
            }
        }
        text += '\n';
        ++rows;
        if (text.size() >= kPieceBytes) {
            if (!write(text, points)) {
                return -1;
            }
            text.clear();
        }
    }
    if (!text.empty() && !write(text, points)) {
        return -1;
    }
    return rows;
}
