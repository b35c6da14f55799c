#include "viewer/chart_file_parser.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using namespace Qt::StringLiterals;

struct Point {
    double x;
    double y;
};

struct Expected {
    std::vector<Point> series1;
    std::vector<Point> series2;
    std::optional<QString> error;
};

double X(int day, int h, int m, int s) {
    return day + ((h * 60 + m) * 60 + s) / 86400.0;
}

QString TimeError(const QString& text) {
    return u'\'' + text + u"' is not a valid time"_s;
}

void ExpectSeries(const std::vector<double>& xs, const std::vector<double>& ys,
                  const std::vector<Point>& expected) {
    ASSERT_EQ(xs.size(), expected.size());
    ASSERT_EQ(ys.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "point " << i);
        EXPECT_DOUBLE_EQ(xs[i], expected[i].x);
        EXPECT_EQ(ys[i], expected[i].y);
    }
}

void ExpectPoints(const LoadedPoints& got, const Expected& expected) {
    {
        SCOPED_TRACE("first slice");
        ExpectSeries(got.x1, got.y1, expected.series1);
    }
    {
        SCOPED_TRACE("second slice");
        ExpectSeries(got.x2, got.y2, expected.series2);
    }
    ASSERT_EQ(got.error.has_value(), expected.error.has_value());
    if (got.error) {
        EXPECT_EQ(*got.error, *expected.error);
    }
}

TimeTextRules CRules() {
    return TimeTextRules::FromLocale(QLocale::c());
}

LoadedPoints FeedInChunks(const std::string& bytes, std::size_t chunk) {
    ChartFileParser parser(CRules());
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        parser.Feed(std::string_view(bytes).substr(at, chunk));
    }
    return parser.Finish();
}

// Whole, and split at every kind of place: inside line ends, inside characters, inside
// lines longer than what is kept of them.
const std::size_t kChunkSizes[] = {0, 1, 2, 3, 7, 64, 4093};

LoadedPoints Parse(const std::string& bytes, std::size_t chunk) {
    return chunk == 0 ? ParseChartFile(bytes, CRules()) : FeedInChunks(bytes, chunk);
}

const std::string kHeaders = "H1\r\nH2\r\n";

struct FileCase {
    const char* name;
    std::string bytes;
    Expected expected;
};

std::vector<FileCase> FileCases() {
    const std::string megabyte(1 << 20, 'x');
    return {
        {"header lines that look like data are skipped",
         "1\t10:00:00\t  1.0  2.0\r\n2\t10:00:01\t  1.0  2.0\r\n3\t10:00:02\t  3.0  4.0\r\n",
         {{{X(0, 10, 0, 2), 3.0}}, {{X(0, 10, 0, 2), 4.0}}, std::nullopt}},
        {"first columns of one to five characters",
         kHeaders + "1\t10:00:01\t  1.0\r\n12\t10:00:02\t  2.0\r\n123\t10:00:03\t  3.0\r\n" +
             "1234\t10:00:04\t  4.0\r\n12345\t10:00:05\t  5.0\r\n",
         {{{X(0, 10, 0, 1), 1.0},
           {X(0, 10, 0, 2), 2.0},
           {X(0, 10, 0, 3), 3.0},
           {X(0, 10, 0, 4), 4.0},
           {X(0, 10, 0, 5), 5.0}},
          {},
          std::nullopt}},
        {"a first column of six characters puts the TAB into the time",
         kHeaders + "123456\t10:00:00\t  1.0\r\n",
         {{}, {}, TimeError(u"\t10:00:0"_s)}},
        {"midnight advances the day",
         kHeaders + "1\t23:59:50\t  1.0\r\n2\t00:00:10\t  1.0\r\n",
         {{{X(0, 23, 59, 50), 1.0}, {X(1, 0, 0, 10), 1.0}}, {}, std::nullopt}},
        {"an equal time keeps the day",
         kHeaders + "1\t10:00:00\t  1.0\r\n2\t10:00:00\t  2.0\r\n",
         {{{X(0, 10, 0, 0), 1.0}, {X(0, 10, 0, 0), 2.0}}, {}, std::nullopt}},
        {"two jumps back in two lines give two days",
         kHeaders + "1\t12:00:00\t  1.0\r\n2\t08:00:00\t  1.0\r\n3\t04:00:00\t  1.0\r\n",
         {{{X(0, 12, 0, 0), 1.0}, {X(1, 8, 0, 0), 1.0}, {X(2, 4, 0, 0), 1.0}}, {}, std::nullopt}},
        {"times running on after a new day stay on it",
         kHeaders + "1\t23:00:00\t  1.0\r\n2\t01:00:00\t  1.0\r\n3\t02:00:00\t  1.0\r\n",
         {{{X(0, 23, 0, 0), 1.0}, {X(1, 1, 0, 0), 1.0}, {X(1, 2, 0, 0), 1.0}}, {}, std::nullopt}},
        {"slices that are 0 or empty give no point",
         kHeaders + "1\t10:00:00\t 12.5-3.25\r\n2\t10:00:01\t00.00\r\n3\t10:00:02\r\n" +
             "4\t10:00:03\t     00.00\r\n5\t10:00:04\t          \r\n6\t10:00:05\t       7.5\r\n",
         {{{X(0, 10, 0, 0), 12.5}},
          {{X(0, 10, 0, 0), -3.25}, {X(0, 10, 0, 5), 7.5}},
          std::nullopt}},
        {"a logger dump line stops at the first data line",
         "5\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n6\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n"
         "7\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n8\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n",
         {{}, {}, TimeError(u"2012-3-5"_s)}},
        {"points before a bad time are kept, lines after it are not read",
         kHeaders + "1\t10:00:00\t  1.0\r\n2\t9:05:09\t-523\t4512\r\n3\t10:00:02\t  3.0\r\n",
         {{{X(0, 10, 0, 0), 1.0}}, {}, TimeError(u"9:05:09\t"_s)}},
        {"an empty file", "", {}},
        {"one line", "1\t10:00:00\t  1.0\r\n", {}},
        {"two lines", "1\t10:00:00\t  1.0\r\n2\t10:00:01\t  1.0\r\n", {}},
        {"two lines, the last without line end", "1\t10:00:00\t  1.0\r\n2\t10:00:01\t  1.0", {}},
        {"an empty data line is no time", kHeaders + "\r\n", {{}, {}, TimeError(u""_s)}},
        {"a last line without line end",
         kHeaders + "1\t10:00:00\t  1.0",
         {{{X(0, 10, 0, 0), 1.0}}, {}, std::nullopt}},
        {"lines ended by LF alone",
         "H1\nH2\n1\t10:00:00\t  1.0\n2\t10:00:01\t  2.0\n",
         {{{X(0, 10, 0, 0), 1.0}, {X(0, 10, 0, 1), 2.0}}, {}, std::nullopt}},
        {"a CR alone does not end a line",
         "H1\rH1\nH2\n1\t10:00:00\t  1.0\n",
         {{{X(0, 10, 0, 0), 1.0}}, {}, std::nullopt}},
        {"the CR of CR LF is not part of the line", kHeaders + "1\t10:00\r\n", {}},
        {"a CR ending a last line without LF is one of its characters",
         kHeaders + "1\t10:00\r",
         {{}, {}, TimeError(u"10:00\r"_s)}},
        {"NUL bytes in a slice",
         kHeaders + "1\t10:00:00\t\0\0\0\0\0 12.5\r\n"s,
         {{}, {{X(0, 10, 0, 0), 12.5}}, std::nullopt}},
        {"NUL bytes in the time",
         kHeaders + "1\t10:\0\0:00\t  1.0\r\n"s,
         {{}, {}, TimeError(u"10:"_s + QChar(0) + QChar(0) + u":00"_s)}},
        {"bytes that are not UTF-8 in the time",
         kHeaders + "1\t10:\xff\xfe"
                    "00\t1.5\r\n",
         {{}, {}, TimeError(u"10:\uFFFD\uFFFD00\t"_s)}},
        {"a non-ASCII first column of five characters",
         kHeaders + "\u00e9\u00e9\u00e9\u00e9\u00e9\t10:00:00\t  1.5  2.5\r\n",
         {{{X(0, 10, 0, 0), 1.5}}, {{X(0, 10, 0, 0), 2.5}}, std::nullopt}},
        {"a non-ASCII character in the time",
         kHeaders + "1\t10:00:0\u00e9\t  1.5\r\n",
         {{}, {}, TimeError(u"10:00:0\u00e9"_s)}},
        {"a line of a megabyte",
         kHeaders + "1\t10:00:00\t 12.5" + megabyte + "\r\n2\t10:00:01\t  2.5\r\n",
         {{{X(0, 10, 0, 0), 12.5}, {X(0, 10, 0, 1), 2.5}}, {}, std::nullopt}},
        {"a header line of a megabyte ending in CR",
         "H1" + megabyte + "\r\r\nH2\r\n1\t10:00:00\t  1.0\r\n",
         {{{X(0, 10, 0, 0), 1.0}}, {}, std::nullopt}},
        {"a last line of a megabyte without line end",
         kHeaders + "1\t10:00:00\t 12.5" + megabyte,
         {{{X(0, 10, 0, 0), 12.5}}, {}, std::nullopt}},
    };
}

TEST(ChartFileParser, ReadsFiles) {
    for (const FileCase& c : FileCases()) {
        for (const std::size_t chunk : kChunkSizes) {
            SCOPED_TRACE(testing::Message() << c.name << ", fed in pieces of " << chunk);
            ExpectPoints(Parse(c.bytes, chunk), c.expected);
        }
    }
}

TEST(ChartFileParser, CountsTheLinesAfterTheHeaders) {
    const struct {
        std::string bytes;
        std::size_t dataLines;
    } cases[] = {
        {"", 0},
        {"H1\r\nH2\r\n", 0},
        {"H1\r\nH2", 0},
        {kHeaders + "1\t10:00:00\r\n", 1},
        {kHeaders + "1\t10:00:00\t00.00\r\n2\t10:00:01\r\n3\t10:00:02", 3},
        {kHeaders + "2012-3-5\r\n", 1},
        {kHeaders + "1\t10:00:00\r\n\r\n1\t10:00:00\r\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.bytes << '"');
        EXPECT_EQ(ParseChartFile(c.bytes, CRules()).dataLines, c.dataLines);
    }
}

// Files written by the measurement log: the first two samples are taken as headers; the
// slices fall on the raw columns as their widths put them.
struct LogCase {
    int sample;
    const char* time;
    int rawDewPoint;
    int rawHumidity;
    std::optional<double> value1;
    std::optional<double> value2;
    const char* errorText;
};

std::string LogLine(int sample, const std::string& time, int rawDewPoint, int rawHumidity) {
    return std::to_string(sample) + '\t' + time + '\t' + std::to_string(rawDewPoint) + '\t' +
           std::to_string(rawHumidity) + "\t2210\t-12,34\t45,12\t22,10\t18,00\t200\t0\r\n";
}

TEST(ChartFileParser, ReadsMeasurementLogFiles) {
    const LogCase cases[] = {
        // "-523\t" and "4512\t"
        {3, "14:05:11", -523, 4512, -523.0, 4512.0, nullptr},
        // "1845\t" and "6012\t" behind a three-digit sample number
        {123, "14:05:11", 1845, 6012, 1845.0, 6012.0, nullptr},
        {12345, "14:05:11", 1845, 6012, 1845.0, 6012.0, nullptr},
        // "-1234" and "\t4512"
        {3, "14:05:11", -1234, 4512, -1234.0, std::nullopt, nullptr},
        // "-50\t4" and "512\t2"
        {3, "14:05:11", -50, 4512, -50.0, 512.0, nullptr},
        // "0\t451" and "2\t221"
        {3, "14:05:11", 0, 4512, std::nullopt, 2.0, nullptr},
        // A seven-character time is followed by its TAB.
        {3, "9:05:11", -523, 4512, std::nullopt, std::nullopt, "9:05:11\t"},
    };
    for (const LogCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sample << ' ' << c.time << ' ' << c.rawDewPoint);
        const std::string file = LogLine(c.sample - 2, "14:05:09", 100, 200) +
                                 LogLine(c.sample - 1, "14:05:10", 100, 200) +
                                 LogLine(c.sample, c.time, c.rawDewPoint, c.rawHumidity);
        Expected expected;
        const double x = X(0, 14, 5, 11);
        if (c.value1) {
            expected.series1.push_back({x, *c.value1});
        }
        if (c.value2) {
            expected.series2.push_back({x, *c.value2});
        }
        if (c.errorText) {
            expected.error = TimeError(QString::fromUtf8(c.errorText));
        }
        ExpectPoints(ParseChartFile(file, CRules()), expected);
    }
}

// Whatever the bytes, the output hangs together: as many x as y, no zero values, x never
// decreasing, and the same result however the bytes are split.
TEST(ChartFileParser, BytesThatAreNotTextGiveConsistentPoints) {
    std::mt19937 random(7);
    const std::string goodLine = "1\t23:59:59\t  1.5  2.5\r\n";
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        std::string bytes = kHeaders;
        // Some valid lines first, so that points exist before the bytes turn bad.
        for (int i = 0; i < round; ++i) {
            bytes += goodLine;
        }
        for (int i = 0; i < 64 * 1024; ++i) {
            const auto byte = static_cast<char>(random() % 256);
            bytes += (random() % 40 == 0) ? '\n' : byte;
        }
        const LoadedPoints whole = ParseChartFile(bytes, CRules());
        ASSERT_EQ(whole.x1.size(), whole.y1.size());
        ASSERT_EQ(whole.x2.size(), whole.y2.size());
        EXPECT_GE(whole.x1.size(), static_cast<std::size_t>(round));
        EXPECT_TRUE(std::is_sorted(whole.x1.begin(), whole.x1.end()));
        EXPECT_TRUE(std::is_sorted(whole.x2.begin(), whole.x2.end()));
        EXPECT_EQ(std::count(whole.y1.begin(), whole.y1.end(), 0.0), 0);
        EXPECT_EQ(std::count(whole.y2.begin(), whole.y2.end(), 0.0), 0);
        for (const std::size_t chunk : {1, 5, 4093}) {
            const LoadedPoints split = FeedInChunks(bytes, chunk);
            EXPECT_EQ(split.x1, whole.x1);
            EXPECT_EQ(split.y1, whole.y1);
            EXPECT_EQ(split.x2, whole.x2);
            EXPECT_EQ(split.y2, whole.y2);
            EXPECT_EQ(split.error, whole.error);
        }
    }
}

// Thousands of valid lines with random times: every x is its line's time plus a whole day
// count that starts at 0 and grows by at most one per line, and x never decreases.
TEST(ChartFileParser, DayCounterProperty) {
    std::mt19937 random(12345);
    const char* const secondSlices[] = {"00.00", "     ", "-3.25", " 12.5", "1e3  "};
    std::string file = kHeaders;
    std::vector<double> times;
    auto twoDigits = [](unsigned v) { return std::string{char('0' + v / 10), char('0' + v % 10)}; };
    for (int i = 0; i < 5000; ++i) {
        const unsigned h = random() % 24, m = random() % 60, s = random() % 60;
        const std::string firstColumn(1 + random() % 5, '7');
        const unsigned value = 1 + random() % 999;
        std::string slice1 = std::to_string(value);
        slice1.insert(0, 5 - slice1.size(), ' ');
        file += firstColumn + '\t' + twoDigits(h) + ':' + twoDigits(m) + ':' + twoDigits(s) + '\t' +
                slice1 + secondSlices[random() % std::size(secondSlices)] + "\r\n";
        times.push_back(((h * 60 + m) * 60 + s) / 86400.0);
    }
    const LoadedPoints points = ParseChartFile(file, CRules());
    ASSERT_FALSE(points.error.has_value());
    ASSERT_EQ(points.x1.size(), times.size());
    double previousDay = 0.0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "line " << i + 3);
        const double x = points.x1[i];
        const double day = std::round(x - times[i]);
        EXPECT_NEAR(x - day, times[i], 1e-9);
        const double fraction = x - std::floor(x);
        EXPECT_GE(fraction, 0.0);
        EXPECT_LT(fraction, 1.0);
        EXPECT_TRUE(day == previousDay || (i > 0 && day == previousDay + 1.0));
        if (i > 0) {
            EXPECT_GE(x, points.x1[i - 1]);
        }
        previousDay = day;
    }
    EXPECT_TRUE(std::is_sorted(points.x2.begin(), points.x2.end()));
}

// Keeping the newest points of each series gives the tail of what keeping all gives, for a
// file read whole or in pieces, and for one that stops on a bad line.
TEST(ChartFileParser, KeepsTheNewestPointsOfEachSeriesWhenAsked) {
    std::mt19937 random(99);
    const char* const slices[] = {"00.00", "     ", "-3.25", " 12.5", "  7  "};
    std::string file = kHeaders;
    for (int i = 0; i < 2000; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%d\t%02d:%02d:%02d\t%s%s\r\n", i % 1000,
                      (i / 3600 + 23) % 24, i / 60 % 60, i % 60, slices[random() % 5],
                      slices[random() % 5]);
        file += line;
    }
    const auto tail = [](const std::vector<double>& all, std::size_t keep) {
        return std::vector<double>(
            all.end() - static_cast<std::ptrdiff_t>(std::min(keep, all.size())), all.end());
    };
    for (const std::string& bytes : {file, file + "1\t2012-3-5\t 1.0 1.0\r\n" + file}) {
        const LoadedPoints all = ParseChartFile(bytes, CRules());
        for (const std::size_t keep : {std::size_t{0}, std::size_t{1}, std::size_t{7},
                                       all.x1.size() - 1, all.x1.size(), std::size_t{5000}}) {
            for (const std::size_t chunk : {std::size_t{1}, std::size_t{4093}, bytes.size()}) {
                SCOPED_TRACE(testing::Message() << "keep " << keep << ", pieces of " << chunk);
                ChartFileParser parser(CRules(), keep);
                for (std::size_t at = 0; at < bytes.size(); at += chunk) {
                    parser.Feed(std::string_view(bytes).substr(at, chunk));
                }
                const LoadedPoints kept = parser.Finish();
                EXPECT_EQ(kept.x1, tail(all.x1, keep));
                EXPECT_EQ(kept.y1, tail(all.y1, keep));
                EXPECT_EQ(kept.x2, tail(all.x2, keep));
                EXPECT_EQ(kept.y2, tail(all.y2, keep));
                EXPECT_EQ(kept.error, all.error);
                EXPECT_EQ(kept.dataLines, all.dataLines);
            }
        }
    }
}

}  // namespace
