// The settings as "Name = value" lines: every field under its own name, lists by item,
// numbers with "." and their unit.
#include "headless/settings_listing.h"
#include "common/language.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

InstrumentSettings Distinct() {
    InstrumentSettings s;
    s.DisplayUnit = 7;
    s.TemperatureUnit = 6;
    s.Alarm1Mode = 5;
    s.Alarm2Mode = 2;
    s.Output1Type = 4;
    s.Output2Type = 0;
    s.Alarm1HighExtra = 11;
    s.Alarm1LowExtra = 12;
    s.Output1MinExtra = 13;
    s.Output1MaxExtra = 255;
    s.Buzzer = 3;
    s.LoggerMode = 1;
    s.RecordInterval = 12;
    s.RecordIntervalAl1 = 0;
    s.RecordIntervalAl2 = 7;
    s.Alarm1High = 225;
    s.Alarm1Low = -50;
    s.Alarm2High = 0;
    s.Alarm2Low = -32768;
    s.Output1Min = 1;
    s.Output1Max = 32767;
    s.Output2Min = -1;
    s.Output2Max = 1000;
    s.CleaningInterval = -1;
    s.ManualTemperature = 2250;
    s.Pressure = 101;
    return s;
}

TEST(SettingsListing, ShowsEveryFieldUnderItsName) {
    const QStringList polish = {
        "DisplayUnit = °C-°Cdp",
        "TemperatureUnit = °F",
        "Alarm1Mode = 5 górny z histerezą",
        "Alarm2Mode = 2 dolny",
        "Output1Type = 4-20mA",
        "Output2Type = 0-20mA",
        "Alarm1HighExtra = 11",
        "Alarm1LowExtra = 12",
        "Output1MinExtra = 13",
        "Output1MaxExtra = 255",
        "Buzzer = AL1&AL2",
        "LoggerMode = Stop",
        "RecordInterval = 24h",
        "RecordIntervalAl1 = OFF",
        "RecordIntervalAl2 = 1h",
        "Alarm1High = 22.5",
        "Alarm1Low = -5",
        "Alarm2High = 0",
        "Alarm2Low = -3276.8",
        "Output1Min = 0.1",
        "Output1Max = 3276.7",
        "Output2Min = -0.1",
        "Output2Max = 100",
        "CleaningInterval = -1 h",
        "ManualTemperature = 22.5 °F",
        "Pressure = 1.01 bar",
    };
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));  // no decimal comma
    EXPECT_EQ(SettingsListing(Distinct()), polish);
    QLocale::setDefault(before);

    QStringList english = polish;
    english[2] = "Alarm1Mode = 5 heating";
    english[3] = "Alarm2Mode = 2 bottom";
    EXPECT_EQ(InEnglish([] { return SettingsListing(Distinct()); }), english);
}

TEST(SettingsListing, CodesWithoutAnItemShowAsCodes) {
    InstrumentSettings s = Distinct();
    s.DisplayUnit = 9;
    s.TemperatureUnit = 0;
    s.Alarm1Mode = 7;
    s.Output1Type = 5;  // the tab shows 4-20mA; the instrument holds 5
    s.Output2Type = 8;
    s.Buzzer = 4;
    s.LoggerMode = 2;
    s.RecordInterval = 13;
    const QStringList lines = InEnglish([&] { return SettingsListing(s); });
    const std::pair<int, const char*> expected[] = {
        {0, "DisplayUnit = code 9"},      {1, "TemperatureUnit = code 0"},
        {2, "Alarm1Mode = code 7"},       {4, "Output1Type = code 5"},
        {5, "Output2Type = code 8"},      {10, "Buzzer = code 4"},
        {11, "LoggerMode = code 2"},      {12, "RecordInterval = code 13"},
        {24, "ManualTemperature = 22.5"},  // no unit without a known scale
    };
    for (auto [index, line] : expected) {
        EXPECT_EQ(lines.value(index), QString::fromUtf8(line));
    }
}

}  // namespace
