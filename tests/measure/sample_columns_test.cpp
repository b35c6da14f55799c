// The columns of a sample as data: names, the date-time, and values that read back exactly
// as the decoded sample.
#include "measure/sample_columns.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTimeZone>
#include <array>
#include <random>
#include <set>
#include <string>

namespace {

TEST(SampleColumnNames, AreDistinctAndFitEveryWriter) {
    std::set<std::string_view> seen;
    const QRegularExpression plain("^[a-z][a-z0-9_]*$");  // a CSV header, a JSON key
    for (std::string_view name : kSampleColumnNames) {
        SCOPED_TRACE(std::string(name));
        EXPECT_TRUE(seen.insert(name).second) << "named twice";
        EXPECT_TRUE(
            plain.match(QString::fromLatin1(name.data(), qsizetype(name.size()))).hasMatch());
    }
    EXPECT_EQ(kSampleColumnNames.front(), "time");
    EXPECT_EQ(kSampleColumnNames[1], "sample");
    // The instrument's columns keep their places; the humidity follows them.
    EXPECT_EQ(kSampleColumnNames[17], "reply_bytes");
    EXPECT_EQ(kSampleColumnNames[kFirstHumidityColumn], "vapour_pressure_pa");
    EXPECT_EQ(kSampleColumnNames.back(), "stable");
}

struct TimeCase {
    QDateTime time;
    const char* expected;
};

TEST(IsoDateTimeText, GivesMillisecondsAndTheOffsetOfTheMoment) {
    const auto at = [](int y, int mo, int d, int h, int mi, int s, int ms, int offsetSeconds) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), QTimeZone(offsetSeconds));
    };
    const TimeCase cases[] = {
        {at(2026, 12, 10, 13, 15, 0, 123, 3600), "2026-12-10T13:15:00.123+01:00"},
        {at(2026, 7, 1, 9, 5, 7, 0, 7200), "2026-07-01T09:05:07.000+02:00"},
        {at(2026, 1, 2, 3, 4, 5, 6, 0), "2026-01-02T03:04:05.006+00:00"},
        {at(2026, 1, 2, 3, 4, 5, 60, -(3 * 3600 + 1800)), "2026-01-02T03:04:05.060-03:30"},
        {at(2026, 1, 2, 3, 4, 5, 999, 5 * 3600 + 45 * 60), "2026-01-02T03:04:05.999+05:45"},
        // Across midnight and a year's end each row carries its own date.
        {at(2026, 12, 31, 23, 59, 59, 999, 3600), "2026-12-31T23:59:59.999+01:00"},
        {at(2027, 1, 1, 0, 0, 0, 0, 3600), "2027-01-01T00:00:00.000+01:00"},
        {at(2028, 2, 29, 0, 0, 1, 500, -36000), "2028-02-29T00:00:01.500-10:00"},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(IsoDateTimeText(c.time), QString::fromLatin1(c.expected));
    }
}

TEST(IsoDateTimeText, NamesTheSameInstantAsTheClock) {
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime read = QDateTime::fromString(IsoDateTimeText(now), Qt::ISODateWithMs);
    ASSERT_TRUE(read.isValid());
    EXPECT_EQ(read.toMSecsSinceEpoch(), now.toMSecsSinceEpoch());
}

TEST(HundredthsText, IsExactWithTwoDecimals) {
    const std::pair<std::int16_t, const char*> cases[] = {
        {0, "0.00"},       {5, "0.05"},       {-5, "-0.05"},     {-50, "-0.50"},
        {-1234, "-12.34"}, {12345, "123.45"}, {32767, "327.67"}, {-32768, "-327.68"},
        {100, "1.00"},     {-100, "-1.00"},   {2550, "25.50"},
    };
    for (auto [hundredths, expected] : cases) {
        SCOPED_TRACE(hundredths);
        EXPECT_EQ(HundredthsText(hundredths), QString::fromLatin1(expected));
    }
}

// "-12.34" -> -1234; anything else than optional minus, digits, point, two digits fails.
std::optional<int> ReadHundredths(const QString& text) {
    static const QRegularExpression form("^(-?)(\\d+)\\.(\\d\\d)$");
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const int magnitude = m.captured(2).toInt() * 100 + m.captured(3).toInt();
    return m.captured(1).isEmpty() ? magnitude : -magnitude;
}

std::optional<long long> ReadInteger(const QString& text) {
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    return ok && QString::number(value) == text ? std::optional(value) : std::nullopt;
}

TEST(SampleColumnTexts, ReadBackAsTheDecodedSampleColumnByColumn) {
    // Random records give every field its own value, so a column fed from the wrong field or
    // with the wrong scale shows; the edges of every width come along.
    std::vector<std::array<std::uint8_t, kMeasurementReplySize>> replies(200);
    std::mt19937 random(13);
    for (auto& reply : replies) {
        for (std::uint8_t& byte : reply) {
            byte = static_cast<std::uint8_t>(random());
        }
    }
    replies[0].fill(0x00);
    replies[1].fill(0xFF);
    replies[2].fill(0x80);
    replies[3].fill(0x7F);

    for (std::size_t i = 0; i < replies.size(); ++i) {
        SCOPED_TRACE(i);
        const MeasurementSample s = DecodeMeasurement(replies[i]);
        const SampleValues values{QDateTime(QDate(2026, 12, 10), QTime(13, 15, 0)),
                                  static_cast<std::int32_t>(i + 1), s, 32 + i % 3};
        const auto texts = SampleColumnTexts(values);
        EXPECT_EQ(texts[0], IsoDateTimeText(values.time));
        EXPECT_EQ(ReadInteger(texts[1]), static_cast<long long>(i + 1));
        const int scaled[] = {s.DewPoint, s.AmbientTemperature, s.RelativeHumidity,
                              s.HeadTemperature, s.MirrorTemperature};
        for (std::size_t c = 0; c < std::size(scaled); ++c) {
            EXPECT_EQ(ReadHundredths(texts[2 + c]), scaled[c]) << kSampleColumnNames[2 + c];
        }
        const long long plain[] = {s.MirrorDewLevel,
                                   s.PeltierPower,
                                   s.FrostLevel,
                                   s.AuxValue1,
                                   s.AuxValue2,
                                   s.AuxValue3,
                                   s.AuxValue4,
                                   s.RunHalfDays,
                                   s.RunHours,
                                   s.RunSeconds,
                                   static_cast<long long>(values.replyBytes)};
        for (std::size_t c = 0; c < std::size(plain); ++c) {
            EXPECT_EQ(ReadInteger(texts[7 + c]), plain[c]) << kSampleColumnNames[7 + c];
        }
    }
}

// Six significant digits, plain decimals, so rounding stays below 0.01 %.
TEST(QuantityText, SixSignificantDigitsWithoutExponents) {
    const std::pair<std::optional<double>, const char*> cases[] = {
        {2350.29812, "2350.30"},
        {101892.04, "101892"},
        {2251234.7, "2251235"},
        {0.0507000958, "0.0507001"},
        {-8.90163, "-8.90163"},
        {-0.000831624, "-0.000831624"},
        {0.00140490123, "0.00140490"},
        {1e-12, "0.000000000"},
        {-1e-12, "0.000000000"},
        {0.0, "0"},
        {1013.25, "1013.25"},
        {99.99996, "100.0000"},
        {std::nullopt, ""},
        {NAN, ""},
        {INFINITY, ""},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(QuantityText(value), QString::fromLatin1(expected));
    }
}

// The humidity columns in their order; nothing when the sample has no humidity.
TEST(SampleColumnTexts, TheHumidityColumns) {
    SampleValues values{QDateTime(QDate(2026, 12, 10), QTime(13, 15, 0)), 1, {}, 32};
    for (std::size_t c = kFirstHumidityColumn; c < kSampleColumnCount; ++c) {
        EXPECT_EQ(SampleColumnTexts(values)[c], QString()) << kSampleColumnNames[c];
    }

    humidity::SampleHumidity h;
    h.quantities.vapourPressurePa = 1.0;
    h.quantities.frostPoint = 2.0;
    h.quantities.relativeHumidityCalculated = 3.0;
    h.quantities.relativeHumidityIce = std::nullopt;  // an empty one among them
    h.quantities.absoluteHumidityGPerM3 = 5.0;
    h.quantities.mixingRatioGPerKg = 6.0;
    h.quantities.ppmv = 7.0;
    h.quantities.pressureHpa = 8.0;
    h.statistics.mean = 9.0;
    h.statistics.standardDeviation = 10.0;
    h.statistics.driftPerHour = -11.0;
    h.statistics.stable = true;
    values.humidity = h;
    const char* expected[] = {"1.00000", "2.00000", "3.00000", "",        "5.00000",  "6.00000",
                              "7.00000", "8.00000", "9.00000", "10.0000", "-11.0000", "1"};
    const auto texts = SampleColumnTexts(values);
    for (std::size_t c = kFirstHumidityColumn; c < kSampleColumnCount; ++c) {
        EXPECT_EQ(texts[c], QString::fromLatin1(expected[c - kFirstHumidityColumn]))
            << kSampleColumnNames[c];
    }
    h.statistics.stable = false;
    values.humidity = h;
    EXPECT_EQ(SampleColumnTexts(values).back(), "0");
}

}  // namespace
