#include <gtest/gtest.h>

#include <cstdint>
#include <variant>
#include <vector>

#include "settings/settings_reply.h"
#include "settings/settings_tab.h"
#include "settings_test_support.h"
#include "texts/interface_language.h"

namespace {

using settings_test::BytePatch;
using settings_test::BytesWith;
using settings_test::FieldRef;
using settings_test::Locale;
using settings_test::LocaleName;
using settings_test::MakeLocale;

struct ListShown {
    const char* control;
    int SettingsTabValues::*list;
    int index;
};

struct EditShown {
    const char* control;
    QString SettingsTabValues::*edit;
    const char* text;
};

#define LIST(control, index)                         \
    ListShown {                                      \
#control, &SettingsTabValues::control, index \
    }
#define EDIT(control, text)                         \
    EditShown {                                     \
#control, &SettingsTabValues::control, text \
    }

struct ReadCase {
    const char* name;
    std::vector<BytePatch> reply;
    Locale locale;
    std::vector<ListShown> lists;
    std::vector<EditShown> edits;
};

TEST(SettingsTabRead, ReplyShowsInControls) {
    const ReadCase cases[] = {
        {"unit 7",
         {{0, {7}}},
         Locale::C,
         {LIST(DisplayUnit, 7), LIST(DisplayUnitCopy1, 7), LIST(DisplayUnitCopy2, 7)},
         {}},
        {"unit 8 has no hidden item",
         {{0, {8}}},
         Locale::C,
         {LIST(DisplayUnit, 8), LIST(DisplayUnitCopy1, -1), LIST(DisplayUnitCopy2, -1)},
         {}},
        {"unit 9 past the list", {{0, {9}}}, Locale::C, {LIST(DisplayUnit, -1)}, {}},
        {"scale 6",
         {{1, {6}}},
         Locale::C,
         {LIST(TemperatureUnit, 1), LIST(TemperatureUnitCopy1, 6), LIST(TemperatureUnitCopy2, 6)},
         {}},
        {"scale 5", {{1, {5}}}, Locale::C, {LIST(TemperatureUnit, 0)}, {}},
        {"scale 0",
         {{1, {0}}},
         Locale::C,
         {LIST(TemperatureUnit, -1), LIST(TemperatureUnitCopy1, 0), LIST(TemperatureUnitCopy2, 0)},
         {}},
        {"scale 4", {{1, {4}}}, Locale::C, {LIST(TemperatureUnit, -1)}, {}},
        {"scale 7",
         {{1, {7}}},
         Locale::C,
         {LIST(TemperatureUnit, -1), LIST(TemperatureUnitCopy1, 7)},
         {}},
        {"output type 3", {{18, {3}}}, Locale::C, {LIST(Output1Type, 0)}, {}},
        {"output type 4", {{18, {4}}}, Locale::C, {LIST(Output1Type, 1)}, {}},
        {"output type 5", {{18, {5}}}, Locale::C, {LIST(Output1Type, 1)}, {}},
        {"output type 7", {{18, {7}}}, Locale::C, {LIST(Output1Type, 1)}, {}},
        {"output type 8", {{18, {8}}}, Locale::C, {LIST(Output1Type, -1)}, {}},
        {"output 2 type 4",
         {{19, {4}}},
         Locale::C,
         {LIST(Output2Type, 1), LIST(Output1Type, 0)},
         {}},
        {"alarm modes",
         {{2, {6}}, {3, {7}}},
         Locale::C,
         {LIST(Alarm1Mode, 6), LIST(Alarm2Mode, -1)},
         {}},
        {"buzzer and logger",
         {{40, {3}}, {41, {1}}},
         Locale::C,
         {LIST(Buzzer, 3), LIST(LoggerMode, 1)},
         {}},
        {"buzzer 4, logger 2",
         {{40, {4}}, {41, {2}}},
         Locale::C,
         {LIST(Buzzer, -1), LIST(LoggerMode, -1)},
         {}},
        {"intervals",
         {{42, {12}}, {43, {13}}, {44, {5}}},
         Locale::C,
         {LIST(RecordInterval, 12), LIST(RecordIntervalAl1, -1), LIST(RecordIntervalAl2, 5)},
         {}},
        {"Alarm1High -50", {{6, {0xFF, 0xCE}}}, Locale::C, {}, {EDIT(Alarm1High, "-5")}},
        {"Alarm1High 225", {{6, {0x00, 0xE1}}}, Locale::C, {}, {EDIT(Alarm1High, "22.5")}},
        {"Alarm1High 225, comma",
         {{6, {0x00, 0xE1}}},
         Locale::Polish,
         {},
         {EDIT(Alarm1High, "22,5")}},
        {"CleaningInterval -1",
         {{34, {0xFF, 0xFF}}},
         Locale::C,
         {},
         {EDIT(CleaningInterval, "-1")}},
        {"Pressure 100", {{47, {0x00, 0x64}}}, Locale::C, {}, {EDIT(Pressure, "1")}},
        {"ManualTemperature 2250",
         {{45, {0x08, 0xCA}}},
         Locale::C,
         {},
         {EDIT(ManualTemperature, "22.5")}},
        {"ManualTemperature 2250, comma",
         {{45, {0x08, 0xCA}}},
         Locale::Polish,
         {},
         {EDIT(ManualTemperature, "22,5")}},
        {"nothing received",
         {},
         Locale::C,
         {},
         {EDIT(Alarm1High, "0"), EDIT(CleaningInterval, "0"), EDIT(ManualTemperature, "0"),
          EDIT(Pressure, "0")}},
        {"every threshold and span in its edit",
         {{9, {0x00, 0x01}},
          {12, {0x00, 0x02}},
          {15, {0x00, 0x03}},
          {22, {0x00, 0x04}},
          {25, {0x00, 0x05}},
          {28, {0x00, 0x06}},
          {31, {0x00, 0x07}}},
         Locale::C,
         {},
         {EDIT(Alarm1Low, "0.1"), EDIT(Alarm2High, "0.2"), EDIT(Alarm2Low, "0.3"),
          EDIT(Output1Min, "0.4"), EDIT(Output1Max, "0.5"), EDIT(Output2Min, "0.6"),
          EDIT(Output2Max, "0.7")}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " in " << LocaleName(c.locale));
        const auto reply = BytesWith(c.reply, kSettingsReplyLength);
        const SettingsTabValues tab =
            SettingsToTab(DecodeSettingsReply(reply), MakeLocale(c.locale));
        for (const ListShown& l : c.lists) {
            SCOPED_TRACE(l.control);
            EXPECT_EQ(tab.*l.list, l.index);
        }
        for (const EditShown& e : c.edits) {
            SCOPED_TRACE(e.control);
            EXPECT_EQ((tab.*e.edit).toStdString(), e.text);
        }
    }
}

// A tab where every control converts, with values unlike those of PreviousSettings.
SettingsTabValues ValidTab() {
    SettingsTabValues tab;
    tab.DisplayUnit = tab.Output1Type = tab.Output2Type = tab.Alarm1Mode = tab.Alarm2Mode = 0;
    tab.TemperatureUnit = tab.LoggerMode = tab.Buzzer = 0;
    tab.RecordIntervalAl1 = tab.RecordIntervalAl2 = tab.RecordInterval = 0;
    tab.Alarm1High = tab.Alarm1Low = tab.Alarm2High = tab.Alarm2Low = QStringLiteral("0");
    tab.Output1Min = tab.Output1Max = tab.Output2Min = tab.Output2Max = QStringLiteral("0");
    tab.CleaningInterval = tab.ManualTemperature = tab.Pressure = QStringLiteral("0");
    return tab;
}

InstrumentSettings PreviousSettings() {
    InstrumentSettings s;
    s.DisplayUnit = s.Alarm1Mode = s.Alarm2Mode = s.Buzzer = s.LoggerMode = 1;
    s.TemperatureUnit = 6;
    s.Output1Type = s.Output2Type = 4;
    s.RecordInterval = s.RecordIntervalAl1 = s.RecordIntervalAl2 = 1;
    s.Alarm1HighExtra = 0x5A;
    s.Alarm1High = s.Alarm1Low = s.Alarm2High = s.Alarm2Low = 999;
    s.Output1Min = s.Output1Max = s.Output2Min = s.Output2Max = 999;
    s.CleaningInterval = s.ManualTemperature = s.Pressure = 999;
    return s;
}

struct SaveCase {
    const char* name;
    Locale locale;
    void (*edit)(SettingsTabValues&);
    FieldRef field;
    int expected;
};

TEST(SettingsTabSave, ControlsBecomeSettings) {
    const SaveCase cases[] = {
        {"0.25", Locale::C, [](SettingsTabValues& t) { t.Alarm1High = "0.25"; },
         SETTINGS_FIELD(Alarm1High), 2},
        {"0.75", Locale::C, [](SettingsTabValues& t) { t.Alarm1High = "0.75"; },
         SETTINGS_FIELD(Alarm1High), 8},
        {"0.35", Locale::C, [](SettingsTabValues& t) { t.Alarm1High = "0.35"; },
         SETTINGS_FIELD(Alarm1High), 4},
        {"3276.7", Locale::C, [](SettingsTabValues& t) { t.Alarm1High = "3276.7"; },
         SETTINGS_FIELD(Alarm1High), 32767},
        {"-3276.8", Locale::C, [](SettingsTabValues& t) { t.Alarm1High = "-3276.8"; },
         SETTINGS_FIELD(Alarm1High), -32768},
        {"Edit16", Locale::C, [](SettingsTabValues& t) { t.Alarm1Low = "-1.5"; },
         SETTINGS_FIELD(Alarm1Low), -15},
        {"°C", Locale::C, [](SettingsTabValues& t) { t.TemperatureUnit = 0; },
         SETTINGS_FIELD(TemperatureUnit), 5},
        {"°F", Locale::C, [](SettingsTabValues& t) { t.TemperatureUnit = 1; },
         SETTINGS_FIELD(TemperatureUnit), 6},
        {"output 1 0-20mA", Locale::C, [](SettingsTabValues& t) { t.Output1Type = 0; },
         SETTINGS_FIELD(Output1Type), 0},
        {"output 2 4-20mA", Locale::C, [](SettingsTabValues& t) { t.Output2Type = 1; },
         SETTINGS_FIELD(Output2Type), 4},
        {"AL1&AL2", Locale::C, [](SettingsTabValues& t) { t.Buzzer = 3; }, SETTINGS_FIELD(Buzzer),
         3},
        {"Stop", Locale::C, [](SettingsTabValues& t) { t.LoggerMode = 1; },
         SETTINGS_FIELD(LoggerMode), 1},
        {"unit", Locale::C, [](SettingsTabValues& t) { t.DisplayUnit = 8; },
         SETTINGS_FIELD(DisplayUnit), 8},
        {"manual temperature", Locale::C,
         [](SettingsTabValues& t) { t.ManualTemperature = "22.5"; },
         SETTINGS_FIELD(ManualTemperature), 2250},
        {"manual temperature, comma", Locale::Polish,
         [](SettingsTabValues& t) { t.ManualTemperature = "22,5"; },
         SETTINGS_FIELD(ManualTemperature), 2250},
        {"pressure", Locale::C, [](SettingsTabValues& t) { t.Pressure = "1.00"; },
         SETTINGS_FIELD(Pressure), 100},
        {"cleaning interval", Locale::C, [](SettingsTabValues& t) { t.CleaningInterval = " -1 "; },
         SETTINGS_FIELD(CleaningInterval), -1},
        {"hidden lists are not read", Locale::C,
         [](SettingsTabValues& t) {
             t.DisplayUnitCopy1 = t.DisplayUnitCopy2 = t.TemperatureUnitCopy1 =
                 t.TemperatureUnitCopy2 = 7;
         },
         SETTINGS_FIELD(DisplayUnit), 0},
        {"extra byte kept", Locale::C, [](SettingsTabValues&) {}, SETTINGS_FIELD(Alarm1HighExtra),
         0x5A},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " in " << LocaleName(c.locale));
        SettingsTabValues tab = ValidTab();
        c.edit(tab);
        const SaveResult result = TabToSettings(tab, PreviousSettings(), MakeLocale(c.locale));
        const auto* settings = std::get_if<InstrumentSettings>(&result);
        ASSERT_NE(settings, nullptr) << std::get<SaveError>(result).message.toStdString();
        EXPECT_EQ(c.field.get(*settings), c.expected);
    }
}

struct RefusalCase {
    const char* name;
    Locale locale;
    void (*edit)(SettingsTabValues&);
    SettingsField control;
    const char* message;
};

TEST(SettingsTabSave, StopsAtTheFirstBadControl) {
    const RefusalCase cases[] = {
        {"empty tab edits", Locale::C,
         [](SettingsTabValues& t) {
             t.Alarm1High = t.Alarm1Low = t.Alarm2High = t.Alarm2Low = QString();
             t.Output1Min = t.Output1Max = t.Output2Min = t.Output2Max = t.CleaningInterval =
                 QString();
         },
         &InstrumentSettings::Alarm1High, "'' is not a valid floating point value"},
        {"point in comma locale", Locale::Polish,
         [](SettingsTabValues& t) { t.ManualTemperature = "22.5"; },
         &InstrumentSettings::ManualTemperature, "'22.5' is not a valid floating point value"},
        {"comma in C locale", Locale::C, [](SettingsTabValues& t) { t.Output1Max = "1,5"; },
         &InstrumentSettings::Output1Max, "'1,5' is not a valid floating point value"},
        {"integer", Locale::C, [](SettingsTabValues& t) { t.CleaningInterval = "abc"; },
         &InstrumentSettings::CleaningInterval, "'abc' is not a valid integer value"},
        {"integer with fraction", Locale::C,
         [](SettingsTabValues& t) { t.CleaningInterval = "1.5"; }, &InstrumentSettings::CleaningInterval,
         "'1.5' is not a valid integer value"},
        {"3276.8", Locale::C, [](SettingsTabValues& t) { t.Alarm1High = "3276.8"; },
         &InstrumentSettings::Alarm1High,
         "Alarm 1: Próg górny: '3276.8' jest poza zakresem od -3276.8 do 3276.7"},
        {"-3276.9", Locale::C, [](SettingsTabValues& t) { t.Alarm1Low = "-3276.9"; },
         &InstrumentSettings::Alarm1Low,
         "Alarm 1: Próg dolny: '-3276.9' jest poza zakresem od -3276.8 do 3276.7"},
        {"alarm 2 named apart", Locale::C, [](SettingsTabValues& t) { t.Alarm2High = "5000"; },
         &InstrumentSettings::Alarm2High,
         "Alarm 2: Próg górny: '5000' jest poza zakresem od -3276.8 do 3276.7"},
        {"output span", Locale::C, [](SettingsTabValues& t) { t.Output2Max = "1e9"; },
         &InstrumentSettings::Output2Max, "Wyjście 2 max: '1e9' jest poza zakresem od -3276.8 do 3276.7"},
        {"pressure, comma", Locale::Polish, [](SettingsTabValues& t) { t.Pressure = "400"; },
         &InstrumentSettings::Pressure, "Pressure: '400' jest poza zakresem od -327,68 do 327,67"},
        {"cleaning interval", Locale::C, [](SettingsTabValues& t) { t.CleaningInterval = "32768"; },
         &InstrumentSettings::CleaningInterval,
         "Czyszczenie co: '32768' jest poza zakresem od -32768 do 32767"},
        {"alarm 1 mode", Locale::C, [](SettingsTabValues& t) { t.Alarm1Mode = -1; },
         &InstrumentSettings::Alarm1Mode, "Alarm 1: Tryb pracy: nie wybrano pozycji"},
        {"scale past the list", Locale::C, [](SettingsTabValues& t) { t.TemperatureUnit = 2; },
         &InstrumentSettings::TemperatureUnit, "Temp System Unit: nie wybrano pozycji"},
        {"output 2 range", Locale::C, [](SettingsTabValues& t) { t.Output2Type = -1; },
         &InstrumentSettings::Output2Type, "Wyjście 2: Rodzaj wyjścia: nie wybrano pozycji"},
        {"record interval", Locale::C, [](SettingsTabValues& t) { t.RecordInterval = 13; },
         &InstrumentSettings::RecordInterval, "Record interval: nie wybrano pozycji"},
        {"unit before thresholds", Locale::C,
         [](SettingsTabValues& t) {
             t.DisplayUnit = -1;
             t.Alarm1High = "";
         },
         &InstrumentSettings::DisplayUnit, "Displayed unit: nie wybrano pozycji"},
        {"span before cleaning interval", Locale::C,
         [](SettingsTabValues& t) {
             t.CleaningInterval = "x";
             t.Output2Max = "y";
         },
         &InstrumentSettings::Output2Max, "'y' is not a valid floating point value"},
        {"interval before manual temperature", Locale::C,
         [](SettingsTabValues& t) {
             t.ManualTemperature = "x";
             t.RecordIntervalAl2 = -1;
         },
         &InstrumentSettings::RecordIntervalAl2, "Record when AL2: nie wybrano pozycji"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " in " << LocaleName(c.locale));
        SettingsTabValues tab = ValidTab();
        c.edit(tab);
        const SaveResult result = TabToSettings(tab, PreviousSettings(), MakeLocale(c.locale));
        const auto* error = std::get_if<SaveError>(&result);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->field, c.control);
        EXPECT_EQ(error->message.toStdString(), c.message);
    }
}

TEST(SettingsTabSave, RefusalsInTheEnglishInterface) {
    const InterfaceTranslator english(InterfaceLanguage::English);
    ASSERT_TRUE(english.Loaded());
    const RefusalCase cases[] = {
        {"threshold", Locale::C, [](SettingsTabValues& t) { t.Alarm1High = "3276.8"; },
         &InstrumentSettings::Alarm1High,
         "Up threshold Al1: '3276.8' is not in the range -3276.8 to 3276.7"},
        {"output span", Locale::C, [](SettingsTabValues& t) { t.Output2Min = "-4000"; },
         &InstrumentSettings::Output2Min,
         "Output 2: Min value: '-4000' is not in the range -3276.8 to 3276.7"},
        {"alarm 2 mode", Locale::C, [](SettingsTabValues& t) { t.Alarm2Mode = -1; },
         &InstrumentSettings::Alarm2Mode, "Alarm 2 mode: no item selected"},
        {"conversion errors have one form", Locale::C,
         [](SettingsTabValues& t) { t.Output1Min = "x"; }, &InstrumentSettings::Output1Min,
         "'x' is not a valid floating point value"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsTabValues tab = ValidTab();
        c.edit(tab);
        const SaveResult result = TabToSettings(tab, PreviousSettings(), MakeLocale(c.locale));
        const auto* error = std::get_if<SaveError>(&result);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->field, c.control);
        EXPECT_EQ(error->message, QString::fromUtf8(c.message));
    }
}

}  // namespace
