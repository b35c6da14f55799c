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
    std::vector<std::uint8_t> bytes(kMeasurementRecordSize, fill);
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
    std::vector<std::pair<const char*, const char*>> expected;  // control, text
};

TEST(FormatReadouts, ShowsEachFieldInItsControl) {
    const ReadoutCase cases[] = {
        {"all zero",
         Record({}),
         QLocale::c(),
         {{"Edit20", "0.00"},
          {"Edit7", "0"},
          {"Edit8", "0"},
          {"Edit9", "0"},
          {"Edit6", "0.00"},
          {"Edit13", "0"},
          {"Edit14", "0.00"},
          {"Edit15", "0.00"},
          {"Edit21", "0"},
          {"Edit19", "0"},
          {"Edit23", "0"},
          {"Edit22", "0"},
          {"Label35", "Poldni:0 godzin:0 sekund:0"}}},
        {"dew point FB 2E", Record({{0, 0xFB}, {1, 0x2E}}), QLocale::c(), {{"Edit20", "-12.34"}}},
        {"dew point FB 2E, comma locale",
         Record({{0, 0xFB}, {1, 0x2E}}),
         Polish(),
         {{"Edit20", "-12,34"}}},
        {"byte 7 C8", Record({{7, 0xC8}}), QLocale::c(), {{"Edit8", "200"}}},
        {"bytes 26-27 FF FF",
         Record({{26, 0xFF}, {27, 0xFF}}),
         QLocale::c(),
         {{"Label35", "Poldni:65535 godzin:0 sekund:0"}}},
        {"bytes 18-19 FF FF", Record({{18, 0xFF}, {19, 0xFF}}), QLocale::c(), {{"Edit21", "-1"}}},
        {"head and mirror temperature 2000",
         Record({{5, 0x07}, {6, 0xD0}, {16, 0x07}, {17, 0xD0}}),
         QLocale::c(),
         {{"Edit7", "20"}, {"Edit15", "20.00"}}},
        {"head and mirror temperature 2000, comma locale",
         Record({{5, 0x07}, {6, 0xD0}, {16, 0x07}, {17, 0xD0}}),
         Polish(),
         {{"Edit7", "20"}, {"Edit15", "20,00"}}},
        {"every field distinct",
         kDistinct,
         QLocale::c(),
         {{"Edit20", "25.00"},
          {"Edit7", "25.5"},
          {"Edit8", "17"},
          {"Edit9", "34"},
          {"Edit6", "50.00"},
          {"Edit13", "42"},
          {"Edit14", "123.50"},
          {"Edit15", "-0.05"},
          {"Edit21", "1"},
          {"Edit19", "256"},
          {"Edit23", "-32768"},
          {"Edit22", "32767"},
          {"Label35", "Poldni:2 godzin:7 sekund:1800"}}},
        {"every field distinct, comma locale",
         kDistinct,
         Polish(),
         {{"Edit20", "25,00"},
          {"Edit7", "25,5"},
          {"Edit8", "17"},
          {"Edit9", "34"},
          {"Edit6", "50,00"},
          {"Edit13", "42"},
          {"Edit14", "123,50"},
          {"Edit15", "-0,05"},
          {"Edit21", "1"},
          {"Edit19", "256"},
          {"Edit23", "-32768"},
          {"Edit22", "32767"},
          {"Label35", "Poldni:2 godzin:7 sekund:1800"}}},
        {"all bytes FF, comma locale: no grouping, ASCII minus",
         Record({}, 0xFF),
         Swedish(),
         {{"Edit20", "-0,01"},
          {"Edit8", "255"},
          {"Edit9", "255"},
          {"Edit13", "-1"},
          {"Label35", "Poldni:65535 godzin:65535 sekund:65535"}}},
    };
    for (const ReadoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto shown =
            ReadoutsInShowOrder(FormatReadouts(DecodeMeasurement(c.reply), c.locale));
        for (const auto& [control, text] : c.expected) {
            SCOPED_TRACE(control);
            const auto it = std::find_if(shown.begin(), shown.end(), [&](const ReadoutText& r) {
                return QString::fromLatin1(r.control) == QLatin1String(control);
            });
            ASSERT_NE(it, shown.end());
            EXPECT_EQ(it->text, QString::fromUtf8(text));
        }
    }
}

TEST(ReadoutsInShowOrder, ListsTheControlsInTheOrderTheyAreWritten) {
    const char* const order[] = {"Edit20", "Edit7",  "Edit8",  "Edit9",  "Edit6",
                                 "Edit13", "Edit14", "Edit15", "Edit21", "Edit19",
                                 "Edit23", "Edit22", "Label35"};
    const auto shown = ReadoutsInShowOrder(MeasurementReadouts{});
    ASSERT_EQ(std::size(order), shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_STREQ(shown[i].control, order[i]) << "position " << i;
    }
}

}  // namespace
