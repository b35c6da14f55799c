#include "measure/readout_format.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "measure/measurement_record.h"

namespace {

// Polish and Swedish both write "," for the decimal separator; Swedish also has its own
// minus sign (U+2212), which readouts must not take.
QLocale Polish() {
    return QLocale(QLocale::Polish, QLocale::Poland);
}
QLocale Swedish() {
    return QLocale(QLocale::Swedish, QLocale::Sweden);
}

struct NumberCase {
    std::int16_t hundredths;
    QLocale locale;
    const char* expected;
};

TEST(FormatFixed2, RoundsToFourSignificantDigitsWithTwoDecimals) {
    const NumberCase cases[] = {
        {0, QLocale::c(), "0.00"},       {-1234, QLocale::c(), "-12.34"},
        {500, QLocale::c(), "5.00"},     {2000, QLocale::c(), "20.00"},
        {1, QLocale::c(), "0.01"},       {-5, QLocale::c(), "-0.05"},
        {-50, QLocale::c(), "-0.50"},    {9999, QLocale::c(), "99.99"},
        {10000, QLocale::c(), "100.00"}, {10004, QLocale::c(), "100.00"},
        {10005, QLocale::c(), "100.10"}, {12344, QLocale::c(), "123.40"},
        {12345, QLocale::c(), "123.50"}, {-12345, QLocale::c(), "-123.50"},
        {32767, QLocale::c(), "327.70"}, {-32768, QLocale::c(), "-327.70"},
        {-1234, Polish(), "-12,34"},     {12345, Polish(), "123,50"},
        {-50, Swedish(), "-0,50"},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hundredths << " " << c.locale.name().toStdString());
        EXPECT_EQ(FormatFixed2(c.hundredths, c.locale), QString::fromUtf8(c.expected));
    }
}

TEST(FormatGeneral4, RoundsToFourSignificantDigitsAndDropsTrailingZeros) {
    const NumberCase cases[] = {
        {0, QLocale::c(), "0"},         {2550, QLocale::c(), "25.5"},
        {2500, QLocale::c(), "25"},     {2000, QLocale::c(), "20"},
        {10, QLocale::c(), "0.1"},      {1, QLocale::c(), "0.01"},
        {-5, QLocale::c(), "-0.05"},    {-1234, QLocale::c(), "-12.34"},
        {9999, QLocale::c(), "99.99"},  {10004, QLocale::c(), "100"},
        {10005, QLocale::c(), "100.1"}, {10050, QLocale::c(), "100.5"},
        {12345, QLocale::c(), "123.5"}, {-12345, QLocale::c(), "-123.5"},
        {32767, QLocale::c(), "327.7"}, {-32768, QLocale::c(), "-327.7"},
        {2550, Polish(), "25,5"},       {12345, Polish(), "123,5"},
        {-2550, Swedish(), "-25,5"},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hundredths << " " << c.locale.name().toStdString());
        EXPECT_EQ(FormatGeneral4(c.hundredths, c.locale), QString::fromUtf8(c.expected));
    }
}

std::vector<std::uint8_t> Record(std::initializer_list<std::pair<std::size_t, std::uint8_t>> set,
                                 std::uint8_t fill = 0) {
    std::vector<std::uint8_t> bytes(kMeasurementReplySize, fill);
    for (auto [offset, value] : set) {
        bytes[offset] = value;
    }
    return bytes;
}

// Every field distinct, so a readout fed from the wrong field shows.
const std::vector<std::uint8_t> kDistinct = {
    0x09, 0xC4, 0x00, 0x00, 0x00, 0x09, 0xF6, 0x11, 0x22, 0x00, 0x13, 0x88, 0x00, 0x2A, 0x30, 0x39,
    0xFF, 0xFB, 0x00, 0x01, 0x01, 0x00, 0x80, 0x00, 0x7F, 0xFF, 0x00, 0x02, 0x00, 0x07, 0x07, 0x08,
};

struct ReadoutCase {
    const char* name;
    std::vector<std::uint8_t> reply;
    QLocale locale;
    std::vector<std::pair<QString MeasurementReadouts::*, const char*>> expected;
};

TEST(FormatReadouts, ShowsEachFieldInItsControl) {
    const ReadoutCase cases[] = {
        {"all zero",
         Record({}),
         QLocale::c(),
         {{&MeasurementReadouts::DewPoint, "0.00"},
          {&MeasurementReadouts::HeadTemperature, "0"},
          {&MeasurementReadouts::MirrorDewLevel, "0"},
          {&MeasurementReadouts::PeltierPower, "0"},
          {&MeasurementReadouts::RelativeHumidity, "0.00"},
          {&MeasurementReadouts::FrostLevel, "0"},
          {&MeasurementReadouts::AmbientTemperature, "0.00"},
          {&MeasurementReadouts::MirrorTemperature, "0.00"},
          {&MeasurementReadouts::AuxValue1, "0"},
          {&MeasurementReadouts::AuxValue2, "0"},
          {&MeasurementReadouts::AuxValue3, "0"},
          {&MeasurementReadouts::AuxValue4, "0"},
          {&MeasurementReadouts::RunTime, "Poldni:0 godzin:0 sekund:0"}}},
        {"dew point FB 2E",
         Record({{0, 0xFB}, {1, 0x2E}}),
         QLocale::c(),
         {{&MeasurementReadouts::DewPoint, "-12.34"}}},
        {"dew point FB 2E, comma locale",
         Record({{0, 0xFB}, {1, 0x2E}}),
         Polish(),
         {{&MeasurementReadouts::DewPoint, "-12,34"}}},
        {"byte 7 C8",
         Record({{7, 0xC8}}),
         QLocale::c(),
         {{&MeasurementReadouts::MirrorDewLevel, "200"}}},
        {"bytes 26-27 FF FF",
         Record({{26, 0xFF}, {27, 0xFF}}),
         QLocale::c(),
         {{&MeasurementReadouts::RunTime, "Poldni:65535 godzin:0 sekund:0"}}},
        {"bytes 18-19 FF FF",
         Record({{18, 0xFF}, {19, 0xFF}}),
         QLocale::c(),
         {{&MeasurementReadouts::AuxValue1, "-1"}}},
        {"head and mirror temperature 2000",
         Record({{5, 0x07}, {6, 0xD0}, {16, 0x07}, {17, 0xD0}}),
         QLocale::c(),
         {{&MeasurementReadouts::HeadTemperature, "20"},
          {&MeasurementReadouts::MirrorTemperature, "20.00"}}},
        {"head and mirror temperature 2000, comma locale",
         Record({{5, 0x07}, {6, 0xD0}, {16, 0x07}, {17, 0xD0}}),
         Polish(),
         {{&MeasurementReadouts::HeadTemperature, "20"},
          {&MeasurementReadouts::MirrorTemperature, "20,00"}}},
        {"every field distinct",
         kDistinct,
         QLocale::c(),
         {{&MeasurementReadouts::DewPoint, "25.00"},
          {&MeasurementReadouts::HeadTemperature, "25.5"},
          {&MeasurementReadouts::MirrorDewLevel, "17"},
          {&MeasurementReadouts::PeltierPower, "34"},
          {&MeasurementReadouts::RelativeHumidity, "50.00"},
          {&MeasurementReadouts::FrostLevel, "42"},
          {&MeasurementReadouts::AmbientTemperature, "123.50"},
          {&MeasurementReadouts::MirrorTemperature, "-0.05"},
          {&MeasurementReadouts::AuxValue1, "1"},
          {&MeasurementReadouts::AuxValue2, "256"},
          {&MeasurementReadouts::AuxValue3, "-32768"},
          {&MeasurementReadouts::AuxValue4, "32767"},
          {&MeasurementReadouts::RunTime, "Poldni:2 godzin:7 sekund:1800"}}},
        {"every field distinct, comma locale",
         kDistinct,
         Polish(),
         {{&MeasurementReadouts::DewPoint, "25,00"},
          {&MeasurementReadouts::HeadTemperature, "25,5"},
          {&MeasurementReadouts::MirrorDewLevel, "17"},
          {&MeasurementReadouts::PeltierPower, "34"},
          {&MeasurementReadouts::RelativeHumidity, "50,00"},
          {&MeasurementReadouts::FrostLevel, "42"},
          {&MeasurementReadouts::AmbientTemperature, "123,50"},
          {&MeasurementReadouts::MirrorTemperature, "-0,05"},
          {&MeasurementReadouts::AuxValue1, "1"},
          {&MeasurementReadouts::AuxValue2, "256"},
          {&MeasurementReadouts::AuxValue3, "-32768"},
          {&MeasurementReadouts::AuxValue4, "32767"},
          {&MeasurementReadouts::RunTime, "Poldni:2 godzin:7 sekund:1800"}}},
        {"all bytes FF, comma locale: no grouping, ASCII minus",
         Record({}, 0xFF),
         Swedish(),
         {{&MeasurementReadouts::DewPoint, "-0,01"},
          {&MeasurementReadouts::MirrorDewLevel, "255"},
          {&MeasurementReadouts::PeltierPower, "255"},
          {&MeasurementReadouts::FrostLevel, "-1"},
          {&MeasurementReadouts::RunTime, "Poldni:65535 godzin:65535 sekund:65535"}}},
    };
    for (const ReadoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const MeasurementReadouts shown = FormatReadouts(DecodeMeasurement(c.reply), c.locale);
        for (const auto& [field, text] : c.expected) {
            EXPECT_EQ(shown.*field, QString::fromUtf8(text));
        }
    }
}

}  // namespace
