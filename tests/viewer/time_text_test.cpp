#include "viewer/time_text.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <optional>
#include <random>
#include <string>

namespace {

enum class Rules { C, EnUs, Finnish };

TimeTextRules RulesFor(Rules which) {
    switch (which) {
        case Rules::EnUs:
            return TimeTextRules::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        case Rules::Finnish:
            return TimeTextRules::FromLocale(QLocale(QLocale::Finnish, QLocale::Finland));
        case Rules::C:
            break;
    }
    return TimeTextRules::FromLocale(QLocale::c());
}

constexpr int Ms(int h, int m, int s, int ms = 0) {
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}

struct TimeCase {
    const char* text;
    Rules rules;
    std::optional<int> millisecondsOfDay;  // nothing: not a time
};

const TimeCase kTimeCases[] = {
    {"23:59:58", Rules::C, Ms(23, 59, 58)},
    {" 9:05:00", Rules::C, Ms(9, 5, 0)},
    {"00:00:00", Rules::C, 0},
    {"9:5:4", Rules::C, Ms(9, 5, 4)},
    {"10", Rules::C, Ms(10, 0, 0)},
    {"10:30", Rules::C, Ms(10, 30, 0)},
    {"10:00:00.500", Rules::C, Ms(10, 0, 0, 500)},
    {"10:00:00.5", Rules::C, Ms(10, 0, 0, 5)},
    {" 9 : 05 : 00 ", Rules::C, Ms(9, 5, 0)},
    {"0010:00", Rules::C, Ms(10, 0, 0)},
    {"24:00:00", Rules::C, std::nullopt},
    {"10:60:00", Rules::C, std::nullopt},
    {"10:00:60", Rules::C, std::nullopt},
    {"10:00:00.1000", Rules::C, std::nullopt},
    {"10:00.500", Rules::C, std::nullopt},
    {"", Rules::C, std::nullopt},
    {"        ", Rules::C, std::nullopt},
    {"10:", Rules::C, std::nullopt},
    {":10", Rules::C, std::nullopt},
    {"10::00", Rules::C, std::nullopt},
    {"9:05:09\t", Rules::C, std::nullopt},
    {"\t9:05:09", Rules::C, std::nullopt},
    {"2012-3-5", Rules::C, std::nullopt},
    {"-1:00:00", Rules::C, std::nullopt},
    {"99999999999:00", Rules::C, std::nullopt},
    {"10.30.00", Rules::C, std::nullopt},
    {"12:00:00 AM", Rules::EnUs, 0},
    {"12:00:00 PM", Rules::EnUs, Ms(12, 0, 0)},
    {"1:00 PM", Rules::EnUs, Ms(13, 0, 0)},
    {"11:59:59 pm", Rules::EnUs, Ms(23, 59, 59)},
    {"pm 1:00", Rules::EnUs, Ms(13, 0, 0)},
    {" AM 9:15 ", Rules::EnUs, Ms(9, 15, 0)},
    {"10:00:00 AM", Rules::C, Ms(10, 0, 0)},
    {"0:30 AM", Rules::EnUs, std::nullopt},
    {"13:00 PM", Rules::EnUs, std::nullopt},
    {"10:00 AM PM", Rules::EnUs, std::nullopt},
    {"AM 10:00 PM", Rules::EnUs, std::nullopt},
    {"AM", Rules::EnUs, std::nullopt},
    {"10:00 A", Rules::EnUs, std::nullopt},
    {"10.30.15", Rules::Finnish, Ms(10, 30, 15)},
    {"10.30.15,250", Rules::Finnish, Ms(10, 30, 15, 250)},
    {"10:30:15", Rules::Finnish, std::nullopt},
    {"10.30.15.250", Rules::Finnish, std::nullopt},
    {"1.00 ip.", Rules::Finnish, Ms(13, 0, 0)},
    {"1.00 IP.", Rules::Finnish, Ms(13, 0, 0)},
    {"ap. 1.00", Rules::Finnish, Ms(1, 0, 0)},
    {"1.00 PM", Rules::Finnish, Ms(13, 0, 0)},
};

TEST(ParseTimeOfDay, ReadsTimesAndRefusesTheRest) {
    for (const TimeCase& c : kTimeCases) {
        SCOPED_TRACE(testing::Message()
                     << '"' << c.text << "\" rules " << static_cast<int>(c.rules));
        const std::optional<double> t = ParseTimeOfDay(c.text, RulesFor(c.rules));
        ASSERT_EQ(t.has_value(), c.millisecondsOfDay.has_value());
        if (t) {
            EXPECT_DOUBLE_EQ(*t, *c.millisecondsOfDay / 86'400'000.0);
        }
    }
}

struct LocaleCase {
    QLocale locale;
    const char* timeSeparator;
    const char* decimalSeparator;
    const char* amText;
    const char* pmText;
};

TEST(TimeTextRules, TakesSeparatorsAndMarkersFromTheLocale) {
    const LocaleCase cases[] = {
        {QLocale::c(), ":", ".", "AM", "PM"},
        {QLocale(QLocale::Finnish, QLocale::Finland), ".", ",", "ap.", "ip."},
        {QLocale(QLocale::Danish, QLocale::Denmark), ".", ",", "AM", "PM"},
        // Its format puts a quoted letter between hours and minutes: no separator to take.
        {QLocale(QLocale::French, QLocale::Canada), ":", ",", "a.m.", "p.m."},
    };
    for (const LocaleCase& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        const TimeTextRules rules = TimeTextRules::FromLocale(c.locale);
        EXPECT_EQ(rules.timeSeparator, c.timeSeparator);
        EXPECT_EQ(rules.decimalSeparator, c.decimalSeparator);
        EXPECT_EQ(rules.amText, c.amText);
        EXPECT_EQ(rules.pmText, c.pmText);
    }
}

TEST(ParseTimeOfDay, AnyAcceptedTextIsWithinOneDay) {
    const std::string alphabet = "0123456789::::  ..APMapm\t";
    const TimeTextRules rules = RulesFor(Rules::EnUs);
    std::mt19937 random(20240611);
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const std::size_t length = random() % 13;
        for (std::size_t j = 0; j < length; ++j) {
            text += alphabet[random() % alphabet.size()];
        }
        const std::optional<double> t = ParseTimeOfDay(text, rules);
        if (t) {
            ++accepted;
            SCOPED_TRACE(text);
            EXPECT_GE(*t, 0.0);
            EXPECT_LT(*t, 1.0);
        }
    }
    EXPECT_GT(accepted, 100);  // the texts did exercise the accepting paths
}

}  // namespace
