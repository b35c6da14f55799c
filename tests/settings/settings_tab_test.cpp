#include <gtest/gtest.h>

#include <cstdint>
#include <variant>
#include <vector>

#include "settings/settings_reply.h"
#include "settings/settings_tab.h"
#include "settings_test_support.h"

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
         {LIST(ComboBox1, 7), LIST(ComboBox3, 7), LIST(ComboBox4, 7)},
         {}},
        {"unit 8 has no hidden item",
         {{0, {8}}},
         Locale::C,
         {LIST(ComboBox1, 8), LIST(ComboBox3, -1), LIST(ComboBox4, -1)},
         {}},
        {"unit 9 past the list", {{0, {9}}}, Locale::C, {LIST(ComboBox1, -1)}, {}},
        {"scale 6",
         {{1, {6}}},
         Locale::C,
         {LIST(ComboBox10, 1), LIST(ComboBox6, 6), LIST(ComboBox8, 6)},
         {}},
        {"scale 5", {{1, {5}}}, Locale::C, {LIST(ComboBox10, 0)}, {}},
        {"scale 0",
         {{1, {0}}},
         Locale::C,
         {LIST(ComboBox10, -1), LIST(ComboBox6, 0), LIST(ComboBox8, 0)},
         {}},
        {"scale 4", {{1, {4}}}, Locale::C, {LIST(ComboBox10, -1)}, {}},
        {"scale 7", {{1, {7}}}, Locale::C, {LIST(ComboBox10, -1), LIST(ComboBox6, 7)}, {}},
        {"output type 3", {{18, {3}}}, Locale::C, {LIST(ComboBox2, 0)}, {}},
        {"output type 4", {{18, {4}}}, Locale::C, {LIST(ComboBox2, 1)}, {}},
        {"output type 5", {{18, {5}}}, Locale::C, {LIST(ComboBox2, 1)}, {}},
        {"output type 7", {{18, {7}}}, Locale::C, {LIST(ComboBox2, 1)}, {}},
        {"output type 8", {{18, {8}}}, Locale::C, {LIST(ComboBox2, -1)}, {}},
        {"output 2 type 4", {{19, {4}}}, Locale::C, {LIST(ComboBox5, 1), LIST(ComboBox2, 0)}, {}},
        {"alarm modes",
         {{2, {6}}, {3, {7}}},
         Locale::C,
         {LIST(ComboBox7, 6), LIST(ComboBox9, -1)},
         {}},
        {"buzzer and logger",
         {{40, {3}}, {41, {1}}},
         Locale::C,
         {LIST(ComboBox12, 3), LIST(ComboBox11, 1)},
         {}},
        {"buzzer 4, logger 2",
         {{40, {4}}, {41, {2}}},
         Locale::C,
         {LIST(ComboBox12, -1), LIST(ComboBox11, -1)},
         {}},
        {"intervals",
         {{42, {12}}, {43, {13}}, {44, {5}}},
         Locale::C,
         {LIST(ComboBox15, 12), LIST(ComboBox13, -1), LIST(ComboBox14, 5)},
         {}},
        {"Alarm1High -50", {{6, {0xFF, 0xCE}}}, Locale::C, {}, {EDIT(Edit5, "-5")}},
        {"Alarm1High 225", {{6, {0x00, 0xE1}}}, Locale::C, {}, {EDIT(Edit5, "22.5")}},
        {"Alarm1High 225, comma", {{6, {0x00, 0xE1}}}, Locale::Polish, {}, {EDIT(Edit5, "22,5")}},
        {"CleaningInterval -1", {{34, {0xFF, 0xFF}}}, Locale::C, {}, {EDIT(Edit12, "-1")}},
        {"Pressure 100", {{47, {0x00, 0x64}}}, Locale::C, {}, {EDIT(Edit33, "1")}},
        {"ManualTemperature 2250", {{45, {0x08, 0xCA}}}, Locale::C, {}, {EDIT(Edit32, "22.5")}},
        {"ManualTemperature 2250, comma",
         {{45, {0x08, 0xCA}}},
         Locale::Polish,
         {},
         {EDIT(Edit32, "22,5")}},
        {"nothing received",
         {},
         Locale::C,
         {},
         {EDIT(Edit5, "0"), EDIT(Edit12, "0"), EDIT(Edit32, "0"), EDIT(Edit33, "0")}},
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
         {EDIT(Edit16, "0.1"), EDIT(Edit17, "0.2"), EDIT(Edit18, "0.3"), EDIT(Edit1, "0.4"),
          EDIT(Edit2, "0.5"), EDIT(Edit3, "0.6"), EDIT(Edit4, "0.7")}},
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
    tab.ComboBox1 = tab.ComboBox2 = tab.ComboBox5 = tab.ComboBox7 = tab.ComboBox9 = 0;
    tab.ComboBox10 = tab.ComboBox11 = tab.ComboBox12 = 0;
    tab.ComboBox13 = tab.ComboBox14 = tab.ComboBox15 = 0;
    tab.Edit5 = tab.Edit16 = tab.Edit17 = tab.Edit18 = QStringLiteral("0");
    tab.Edit1 = tab.Edit2 = tab.Edit3 = tab.Edit4 = QStringLiteral("0");
    tab.Edit12 = tab.Edit32 = tab.Edit33 = QStringLiteral("0");
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
        {"0.25", Locale::C, [](SettingsTabValues& t) { t.Edit5 = "0.25"; },
         SETTINGS_FIELD(Alarm1High), 2},
        {"0.75", Locale::C, [](SettingsTabValues& t) { t.Edit5 = "0.75"; },
         SETTINGS_FIELD(Alarm1High), 8},
        {"0.35", Locale::C, [](SettingsTabValues& t) { t.Edit5 = "0.35"; },
         SETTINGS_FIELD(Alarm1High), 4},
        {"3276.7", Locale::C, [](SettingsTabValues& t) { t.Edit5 = "3276.7"; },
         SETTINGS_FIELD(Alarm1High), 32767},
        {"-3276.8", Locale::C, [](SettingsTabValues& t) { t.Edit5 = "-3276.8"; },
         SETTINGS_FIELD(Alarm1High), -32768},
        {"Edit16", Locale::C, [](SettingsTabValues& t) { t.Edit16 = "-1.5"; },
         SETTINGS_FIELD(Alarm1Low), -15},
        {"°C", Locale::C, [](SettingsTabValues& t) { t.ComboBox10 = 0; },
         SETTINGS_FIELD(TemperatureUnit), 5},
        {"°F", Locale::C, [](SettingsTabValues& t) { t.ComboBox10 = 1; },
         SETTINGS_FIELD(TemperatureUnit), 6},
        {"output 1 0-20mA", Locale::C, [](SettingsTabValues& t) { t.ComboBox2 = 0; },
         SETTINGS_FIELD(Output1Type), 0},
        {"output 2 4-20mA", Locale::C, [](SettingsTabValues& t) { t.ComboBox5 = 1; },
         SETTINGS_FIELD(Output2Type), 4},
        {"AL1&AL2", Locale::C, [](SettingsTabValues& t) { t.ComboBox12 = 3; },
         SETTINGS_FIELD(Buzzer), 3},
        {"Stop", Locale::C, [](SettingsTabValues& t) { t.ComboBox11 = 1; },
         SETTINGS_FIELD(LoggerMode), 1},
        {"unit", Locale::C, [](SettingsTabValues& t) { t.ComboBox1 = 8; },
         SETTINGS_FIELD(DisplayUnit), 8},
        {"manual temperature", Locale::C, [](SettingsTabValues& t) { t.Edit32 = "22.5"; },
         SETTINGS_FIELD(ManualTemperature), 2250},
        {"manual temperature, comma", Locale::Polish,
         [](SettingsTabValues& t) { t.Edit32 = "22,5"; }, SETTINGS_FIELD(ManualTemperature), 2250},
        {"pressure", Locale::C, [](SettingsTabValues& t) { t.Edit33 = "1.00"; },
         SETTINGS_FIELD(Pressure), 100},
        {"cleaning interval", Locale::C, [](SettingsTabValues& t) { t.Edit12 = " -1 "; },
         SETTINGS_FIELD(CleaningInterval), -1},
        {"hidden lists are not read", Locale::C,
         [](SettingsTabValues& t) { t.ComboBox3 = t.ComboBox4 = t.ComboBox6 = t.ComboBox8 = 7; },
         SETTINGS_FIELD(DisplayUnit), 0},
        {"extra byte kept", Locale::C, [](SettingsTabValues&) {}, SETTINGS_FIELD(Alarm1HighExtra),
         0x5A},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " in " << LocaleName(c.locale));
        SettingsTabValues tab = ValidTab();
        c.edit(tab);
        const SaveResult result = TabToSettings(tab, PreviousSettings(), MakeLocale(c.locale), false);
        const auto* settings = std::get_if<InstrumentSettings>(&result);
        ASSERT_NE(settings, nullptr) << std::get<SaveError>(result).message.toStdString();
        EXPECT_EQ(c.field.get(*settings), c.expected);
    }
}

struct RefusalCase {
    const char* name;
    Locale locale;
    void (*edit)(SettingsTabValues&);
    const char* control;
    const char* message;
};

TEST(SettingsTabSave, StopsAtTheFirstBadControl) {
    const RefusalCase cases[] = {
        {"empty tab edits", Locale::C,
         [](SettingsTabValues& t) {
             t.Edit5 = t.Edit16 = t.Edit17 = t.Edit18 = QString();
             t.Edit1 = t.Edit2 = t.Edit3 = t.Edit4 = t.Edit12 = QString();
         },
         "Edit5", "'' is not a valid floating point value"},
        {"point in comma locale", Locale::Polish, [](SettingsTabValues& t) { t.Edit32 = "22.5"; },
         "Edit32", "'22.5' is not a valid floating point value"},
        {"comma in C locale", Locale::C, [](SettingsTabValues& t) { t.Edit2 = "1,5"; }, "Edit2",
         "'1,5' is not a valid floating point value"},
        {"integer", Locale::C, [](SettingsTabValues& t) { t.Edit12 = "abc"; }, "Edit12",
         "'abc' is not a valid integer value"},
        {"integer with fraction", Locale::C, [](SettingsTabValues& t) { t.Edit12 = "1.5"; },
         "Edit12", "'1.5' is not a valid integer value"},
        {"3276.8", Locale::C, [](SettingsTabValues& t) { t.Edit5 = "3276.8"; }, "Edit5",
         "Alarm 1: Próg górny: '3276.8' jest poza zakresem od -3276.8 do 3276.7"},
        {"-3276.9", Locale::C, [](SettingsTabValues& t) { t.Edit16 = "-3276.9"; }, "Edit16",
         "Alarm 1: Próg dolny: '-3276.9' jest poza zakresem od -3276.8 do 3276.7"},
        {"alarm 2 named apart", Locale::C, [](SettingsTabValues& t) { t.Edit17 = "5000"; },
         "Edit17", "Alarm 2: Próg górny: '5000' jest poza zakresem od -3276.8 do 3276.7"},
        {"output span", Locale::C, [](SettingsTabValues& t) { t.Edit4 = "1e9"; }, "Edit4",
         "Wyjście 2 max: '1e9' jest poza zakresem od -3276.8 do 3276.7"},
        {"pressure, comma", Locale::Polish, [](SettingsTabValues& t) { t.Edit33 = "400"; },
         "Edit33", "Pressure: '400' jest poza zakresem od -327,68 do 327,67"},
        {"cleaning interval", Locale::C, [](SettingsTabValues& t) { t.Edit12 = "32768"; }, "Edit12",
         "Czyszczenie co: '32768' jest poza zakresem od -32768 do 32767"},
        {"alarm 1 mode", Locale::C, [](SettingsTabValues& t) { t.ComboBox7 = -1; }, "ComboBox7",
         "Alarm 1: Tryb pracy: nie wybrano pozycji"},
        {"scale past the list", Locale::C, [](SettingsTabValues& t) { t.ComboBox10 = 2; },
         "ComboBox10", "Temp System Unit: nie wybrano pozycji"},
        {"output 2 range", Locale::C, [](SettingsTabValues& t) { t.ComboBox5 = -1; }, "ComboBox5",
         "Wyjście 2: Rodzaj wyjścia: nie wybrano pozycji"},
        {"record interval", Locale::C, [](SettingsTabValues& t) { t.ComboBox15 = 13; },
         "ComboBox15", "Record interval: nie wybrano pozycji"},
        {"unit before thresholds", Locale::C,
         [](SettingsTabValues& t) {
             t.ComboBox1 = -1;
             t.Edit5 = "";
         },
         "ComboBox1", "Displayed unit: nie wybrano pozycji"},
        {"span before cleaning interval", Locale::C,
         [](SettingsTabValues& t) {
             t.Edit12 = "x";
             t.Edit4 = "y";
         },
         "Edit4", "'y' is not a valid floating point value"},
        {"interval before manual temperature", Locale::C,
         [](SettingsTabValues& t) {
             t.Edit32 = "x";
             t.ComboBox14 = -1;
         },
         "ComboBox14", "Record when AL2: nie wybrano pozycji"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " in " << LocaleName(c.locale));
        SettingsTabValues tab = ValidTab();
        c.edit(tab);
        const SaveResult result = TabToSettings(tab, PreviousSettings(), MakeLocale(c.locale), false);
        const auto* error = std::get_if<SaveError>(&result);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->control.toStdString(), c.control);
        EXPECT_EQ(error->message.toStdString(), c.message);
    }
}

}  // namespace

TEST(SettingsTabSave, RefusalsInTheEnglishInterface) {
    const RefusalCase cases[] = {
        {"threshold", Locale::C, [](SettingsTabValues& t) { t.Edit5 = "3276.8"; }, "Edit5",
         "Up threshold Al1: '3276.8' is not in the range -3276.8 to 3276.7"},
        {"output span", Locale::C, [](SettingsTabValues& t) { t.Edit3 = "-4000"; }, "Edit3",
         "Output 2: Min value: '-4000' is not in the range -3276.8 to 3276.7"},
        {"alarm 2 mode", Locale::C, [](SettingsTabValues& t) { t.ComboBox9 = -1; }, "ComboBox9",
         "Alarm 2 mode: no item selected"},
        {"conversion errors have one form", Locale::C, [](SettingsTabValues& t) { t.Edit1 = "x"; },
         "Edit1", "'x' is not a valid floating point value"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsTabValues tab = ValidTab();
        c.edit(tab);
        const SaveResult result = TabToSettings(tab, PreviousSettings(), MakeLocale(c.locale), true);
        const auto* error = std::get_if<SaveError>(&result);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->control, c.control);
        EXPECT_EQ(error->message, QString::fromUtf8(c.message));
    }
}
