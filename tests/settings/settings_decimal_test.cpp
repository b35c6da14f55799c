#include <gtest/gtest.h>

#include "settings/settings_decimal.h"
#include "settings_test_support.h"

namespace {

using settings_test::Locale;
using settings_test::LocaleName;
using settings_test::MakeLocale;

struct FormatCase {
    int value;
    int decimals;
    Locale locale;
    const char* expected;
};

TEST(SettingsDecimalFormat, ShowsShortestDecimalInLocale) {
    const FormatCase cases[] = {
        {225, 1, Locale::C, "22.5"},
        {-50, 1, Locale::C, "-5"},
        {0, 1, Locale::C, "0"},
        {100, 2, Locale::C, "1"},
        {-5, 1, Locale::C, "-0.5"},
        {5, 2, Locale::C, "0.05"},
        {10, 2, Locale::C, "0.1"},
        {-32768, 1, Locale::C, "-3276.8"},
        {32767, 2, Locale::C, "327.67"},
        {12345, 1, Locale::C, "1234.5"},
        {-1, 0, Locale::C, "-1"},
        {2250, 2, Locale::Polish, "22,5"},
        {12345, 1, Locale::Polish, "1234,5"},
        {-32768, 2, Locale::Polish, "-327,68"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.value << " / 10^" << c.decimals << " in " << LocaleName(c.locale));
        EXPECT_EQ(FormatSettingsDecimal(static_cast<std::int16_t>(c.value), c.decimals,
                                        MakeLocale(c.locale))
                      .toStdString(),
                  c.expected);
    }
}

struct ParseCase {
    const char* text;
    int decimals;
    Locale locale;
    SettingsNumberStatus status;
    int value;  // when Ok
};

constexpr auto kOk = SettingsNumberStatus::Ok;
constexpr auto kBad = SettingsNumberStatus::NotANumber;
constexpr auto kRange = SettingsNumberStatus::OutOfRange;

TEST(SettingsDecimalParse, ScalesTheTypedDecimalTiesToEven) {
    const ParseCase cases[] = {
        {"22.5", 1, Locale::C, kOk, 225},
        {"0.25", 1, Locale::C, kOk, 2},
        {"0.75", 1, Locale::C, kOk, 8},
        {"0.35", 1, Locale::C, kOk, 4},  // 3.4999... as a binary double
        {"0.45", 1, Locale::C, kOk, 4},
        {"-0.25", 1, Locale::C, kOk, -2},
        {"-0.35", 1, Locale::C, kOk, -4},
        {"0.2500001", 1, Locale::C, kOk, 3},
        {"0.04", 1, Locale::C, kOk, 0},
        {"1.005", 2, Locale::C, kOk, 100},
        {"1.015", 2, Locale::C, kOk, 102},
        {"22.5", 2, Locale::C, kOk, 2250},
        {"3276.7", 1, Locale::C, kOk, 32767},
        {"-3276.8", 1, Locale::C, kOk, -32768},
        {"3276.8", 1, Locale::C, kRange, 0},
        {"-3276.9", 1, Locale::C, kRange, 0},
        {"3276.75", 1, Locale::C, kRange, 0},  // 32767.5 rounds to the even 32768
        {"3276.749", 1, Locale::C, kOk, 32767},
        {"-3276.85", 1, Locale::C, kOk, -32768},  // the tie goes to the even -32768
        {"-3276.86", 1, Locale::C, kRange, 0},
        {"327.68", 2, Locale::C, kRange, 0},
        {"100000", 1, Locale::C, kRange, 0},
        {"1e400", 1, Locale::C, kRange, 0},
        {"1e-400", 1, Locale::C, kOk, 0},
        {"0e99999999999999999999", 1, Locale::C, kOk, 0},
        {"00003276.7", 1, Locale::C, kOk, 32767},
        {"0.000000000000000000000000000000000000000001", 1, Locale::C, kOk, 0},
        {" 22.5 ", 1, Locale::C, kOk, 225},
        {"\t-1\t", 1, Locale::C, kOk, -10},
        {"+1", 1, Locale::C, kOk, 10},
        {"1e1", 1, Locale::C, kOk, 100},
        {"1.5E-1", 1, Locale::C, kOk, 2},
        {"2.5e+0", 1, Locale::C, kOk, 25},
        {".5", 1, Locale::C, kOk, 5},
        {"5.", 1, Locale::C, kOk, 50},
        {"-0", 1, Locale::C, kOk, 0},
        {"22,5", 2, Locale::Polish, kOk, 2250},
        {"-0,05", 2, Locale::Polish, kOk, -5},
        {"22.5", 2, Locale::Polish, kBad, 0},
        {"22,5", 1, Locale::C, kBad, 0},
        {"1,000.5", 1, Locale::C, kBad, 0},
        {"1 000", 1, Locale::C, kBad, 0},
        {"", 1, Locale::C, kBad, 0},
        {"   ", 1, Locale::C, kBad, 0},
        {".", 1, Locale::C, kBad, 0},
        {"-", 1, Locale::C, kBad, 0},
        {"--1", 1, Locale::C, kBad, 0},
        {"+-1", 1, Locale::C, kBad, 0},
        {"1e", 1, Locale::C, kBad, 0},
        {"e1", 1, Locale::C, kBad, 0},
        {"1e1.5", 1, Locale::C, kBad, 0},
        {"1.2.3", 1, Locale::C, kBad, 0},
        {"0x10", 1, Locale::C, kBad, 0},
        {"inf", 1, Locale::C, kBad, 0},
        {"nan", 1, Locale::C, kBad, 0},
        {"abc", 1, Locale::C, kBad, 0},
        {"1 2", 1, Locale::C, kBad, 0},
        {"5 bar", 2, Locale::C, kBad, 0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "'" << c.text << "' x 10^" << c.decimals << " in " << LocaleName(c.locale));
        const SettingsNumber got =
            ParseSettingsDecimal(QString::fromUtf8(c.text), c.decimals, MakeLocale(c.locale));
        EXPECT_EQ(got.status, c.status);
        if (c.status == kOk) {
            EXPECT_EQ(got.value, c.value);
        }
    }
}

TEST(SettingsDecimalParse, IntegerIsStrictDecimal) {
    const ParseCase cases[] = {
        {"300", 0, Locale::C, kOk, 300},
        {" -1 ", 0, Locale::C, kOk, -1},
        {"+7", 0, Locale::C, kOk, 7},
        {"007", 0, Locale::C, kOk, 7},
        {"32767", 0, Locale::C, kOk, 32767},
        {"-32768", 0, Locale::C, kOk, -32768},
        {"32768", 0, Locale::C, kRange, 0},
        {"-32769", 0, Locale::C, kRange, 0},
        {"99999999999999999999", 0, Locale::C, kRange, 0},
        {"", 0, Locale::C, kBad, 0},
        {"abc", 0, Locale::C, kBad, 0},
        {"1.0", 0, Locale::C, kBad, 0},
        {"1e2", 0, Locale::C, kBad, 0},
        {"0x10", 0, Locale::C, kBad, 0},
        {"$10", 0, Locale::C, kBad, 0},
        {"1 2", 0, Locale::C, kBad, 0},
        {"--1", 0, Locale::C, kBad, 0},
        {"-", 0, Locale::C, kBad, 0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "'");
        const SettingsNumber got = ParseSettingsInteger(QString::fromUtf8(c.text));
        EXPECT_EQ(got.status, c.status);
        if (c.status == kOk) {
            EXPECT_EQ(got.value, c.value);
        }
    }
}

}  // namespace
