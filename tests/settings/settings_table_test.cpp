// The settings table: each setting's caption, and the codes its list's items stand for.
#include <gtest/gtest.h>

#include "settings/settings_captions.h"
#include "settings/settings_lists.h"
#include "settings/settings_table.h"

namespace {

TEST(SettingsTable, EachFieldHasItsRowAndCaption) {
    struct Case {
        SettingsField field;
        const char* name;
        const char* caption;
    };
    const Case cases[] = {
        {&InstrumentSettings::DisplayUnit, "DisplayUnit", "Displayed unit"},
        {&InstrumentSettings::TemperatureUnit, "TemperatureUnit", "Temp System Unit"},
        {&InstrumentSettings::ManualTemperature, "ManualTemperature", "Manual Temp."},
        {&InstrumentSettings::Pressure, "Pressure", "Pressure"},
        {&InstrumentSettings::Buzzer, "Buzzer", "Buzzer"},
        {&InstrumentSettings::Alarm1Mode, "Alarm1Mode", "Alarm 1: Tryb pracy"},
        {&InstrumentSettings::Alarm1High, "Alarm1High", "Alarm 1: Próg górny"},
        {&InstrumentSettings::Alarm1Low, "Alarm1Low", "Alarm 1: Próg dolny"},
        {&InstrumentSettings::Alarm2Mode, "Alarm2Mode", "Alarm 2: Tryb pracy"},
        {&InstrumentSettings::Alarm2High, "Alarm2High", "Alarm 2: Próg górny"},
        {&InstrumentSettings::Alarm2Low, "Alarm2Low", "Alarm 2: Próg dolny"},
        {&InstrumentSettings::Output1Type, "Output1Type", "Wyjście 1: Rodzaj wyjścia"},
        {&InstrumentSettings::Output1Min, "Output1Min", "Wyjście 1 min"},
        {&InstrumentSettings::Output1Max, "Output1Max", "Wyjście 1 max"},
        {&InstrumentSettings::Output2Type, "Output2Type", "Wyjście 2: Rodzaj wyjścia"},
        {&InstrumentSettings::Output2Min, "Output2Min", "Wyjście 2 min"},
        {&InstrumentSettings::Output2Max, "Output2Max", "Wyjście 2 max"},
        {&InstrumentSettings::CleaningInterval, "CleaningInterval", "Czyszczenie co"},
        {&InstrumentSettings::LoggerMode, "LoggerMode", "Logger: Mode"},
        {&InstrumentSettings::RecordIntervalAl1, "RecordIntervalAl1", "Record when AL1"},
        {&InstrumentSettings::RecordIntervalAl2, "RecordIntervalAl2", "Record when AL2"},
        {&InstrumentSettings::RecordInterval, "RecordInterval", "Record interval"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(SettingOf(c.field).name, c.name);
        EXPECT_EQ(SettingsFieldCaption(c.field), QString::fromUtf8(c.caption));
    }
}

struct CodeCase {
    const char* list;
    const SettingsItemList* items;
    int code;
    int shown;  // the item the tab selects
    int exact;  // the item whose code it is
};

TEST(SettingsItemLists, CodesAndItems) {
    const CodeCase cases[] = {
        {"scale", &kTemperatureScaleList, 4, -1, -1},
        {"scale", &kTemperatureScaleList, 5, 0, 0},
        {"scale", &kTemperatureScaleList, 6, 1, 1},
        {"scale", &kTemperatureScaleList, 7, -1, -1},
        {"scale", &kTemperatureScaleList, 0, -1, -1},
        {"output", &kOutputRangeList, 0, 0, 0},
        {"output", &kOutputRangeList, 3, 0, -1},
        {"output", &kOutputRangeList, 4, 1, 1},
        {"output", &kOutputRangeList, 7, 1, -1},
        {"output", &kOutputRangeList, 8, -1, -1},
        {"interval", &kRecordIntervalList, 12, 12, 12},
        {"interval", &kRecordIntervalList, 13, -1, -1},
        {"hidden unit", &kHiddenUnitList, 7, 7, 7},
        {"hidden unit", &kHiddenUnitList, 8, -1, -1},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.list << " code " << c.code);
        EXPECT_EQ(ItemIndexForCode(*c.items, c.code), c.shown);
        EXPECT_EQ(ExactItemIndex(*c.items, c.code), c.exact);
        if (c.exact >= 0) {
            EXPECT_EQ(CodeOfItem(*c.items, c.exact), c.code);
        }
    }
}

}  // namespace
