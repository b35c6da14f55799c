// The points file's value texts: written as the record writes them, read back strictly.
#include "calibration/point_texts.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace calibration {
namespace {

TEST(PointTexts, NumbersReadBackStrictly) {
    struct Row {
        const char* text;
        bool valid;
        std::optional<double> value;
    };
    const Row rows[] = {
        {"", true, std::nullopt},        {"-12.3412", true, -12.3412},
        {"0.000050000", true, 5e-5},     {"5e-05", true, 5e-5},
        {"1013", true, 1013.0},          {"999999999999999", true, 999999999999999.0},
        {"1e15", false, std::nullopt},    // no value of this file is that large
        {"1,5", false, std::nullopt},     // a decimal comma
        {" 1.5", false, std::nullopt},    // a blank
        {"+1.5", false, std::nullopt},    // a plus
        {".5", false, std::nullopt},      // no whole part
        {"1.", false, std::nullopt},      // no decimals after the point
        {"1.5 °C", false, std::nullopt},  // a unit
        {"nan", false, std::nullopt},    {"inf", false, std::nullopt},
        {"1e", false, std::nullopt},     {"0x10", false, std::nullopt},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const ParsedNumber n = ParseNumber(QString::fromUtf8(r.text));
        EXPECT_EQ(n.valid, r.valid);
        EXPECT_EQ(n.value, r.value);
    }
    EXPECT_FALSE(ParseNumber(QString(41, '1')).valid);
}

TEST(PointTexts, ValuesAsWritten) {
    EXPECT_EQ(AsWritten(-12.3412345), -12.3412);
    EXPECT_EQ(AsWritten(0.0999999999), 0.1);
    EXPECT_EQ(AsWritten(std::optional<double>()), std::nullopt);
    EXPECT_EQ(AsWritten(std::optional<double>(std::nan(""))), std::nullopt);
    // Once written, a value stays as it is.
    for (double v : {-12.3412345, 0.0999999999, 1.23456789e-5, 987654321.0, 2417.4949}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(AsWritten(AsWritten(v)), AsWritten(v));
    }
}

TEST(PointTexts, TimesOnlyAsWritten) {
    const QDateTime t(QDate(2026, 3, 29), QTime(1, 59, 59, 999), QTimeZone(-5 * 3600 - 1800));
    EXPECT_EQ(TimeText(t), "2026-03-29T01:59:59.999-05:30");
    const std::optional<QDateTime> read = ParseTime(TimeText(t));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, t);
    EXPECT_EQ(read->offsetFromUtc(), t.offsetFromUtc());
    for (const char* text :
         {"2026-03-29T01:59:59.999", "2026-03-29T01:59:59.999Z", "2026-03-29T01:59:59+01:00",
          "2026-02-30T01:59:59.999+01:00", "29.03.2026 01:59", ""}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseTime(QString::fromUtf8(text)).has_value());
    }
}

}  // namespace
}  // namespace calibration
