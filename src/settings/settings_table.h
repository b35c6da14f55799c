#pragma once
// Every setting of the instrument in one row: its name, where InstrumentSettings and the
// Settings tab's values hold it, where the settings reply and the settings frame carry it,
// its place in the Save's order, how it is shown (a list's items, a number's decimals, its
// unit), the caption that names it to the operator and the control that shows it. The reply's
// decoding, the frame, the tab's conversions and its controls, the Save, the window's lists
// and the headless listing all read it from here: a new setting is a member of
// InstrumentSettings and of SettingsTabValues, its row, and its control on the tab.

#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "link/instrument_protocol.h"
#include "settings/instrument_settings.h"
#include "settings/settings_field.h"
#include "settings/settings_lists.h"
#include "settings/settings_tab.h"

enum class SettingsKind {
    List,     // a drop-down list; the record holds the code of the selected item
    Decimal,  // an edit of a number the record holds times 10^decimals
    Integer,  // an edit of a whole number
    Kept,     // a byte the instrument sends and takes back; never shown, never edited
};

// The unit a value is in, where the instrument gives one.
enum class SettingsUnit {
    None,
    Hours,
    Bar,
    TemperatureScale,  // the scale the instrument is set to (the TemperatureUnit setting)
};

// A hidden list of the tab that shows a setting's code in kHiddenUnitList.
struct SettingsCopy {
    int SettingsTabValues::*index = nullptr;
    const char* control = nullptr;  // its object name
};

struct SettingsEntry {
    const char* name;  // the member's name, as the headless listing prints it
    SettingsKind kind;
    std::uint8_t InstrumentSettings::*byte = nullptr;  // List, Kept
    std::int16_t InstrumentSettings::*word = nullptr;  // Decimal, Integer
    int SettingsTabValues::*index = nullptr;           // List
    QString SettingsTabValues::*text = nullptr;        // Decimal, Integer
    // Where the reply to "01s?end" holds it and where the settings frame carries it, counted
    // from their first bytes; a word takes two bytes, the high one first.
    std::size_t reply = 0;
    std::size_t frame = 0;
    // Its place in the order a Save takes the settings in, from 1 (all but Kept): the first
    // that does not convert is the one the operator is told about.
    int save = 0;
    const SettingsItemList* list = nullptr;  // List
    int decimals = 0;                        // Decimal
    // The caption in the Polish interface, with its group in front where two controls share
    // a caption; translated in the context "SettingsField". nullptr for Kept.
    const char* caption = nullptr;
    SettingsUnit unit = SettingsUnit::None;
    // The object name of the control that shows it on the Settings tab; nullptr for Kept.
    const char* control = nullptr;
    std::array<SettingsCopy, 2> hiddenCopies{};
    // Where the frame's head carries the code a second time, kSettingsFrameHeadCodeOffset
    // higher (the two unit settings).
    std::optional<std::size_t> frameHead = std::nullopt;

    constexpr SettingsField Field() const {
        return byte != nullptr ? SettingsField(byte) : SettingsField(word);
    }
    // Bytes it takes in the reply and in the frame.
    constexpr std::size_t Width() const { return word != nullptr ? 2 : 1; }
};

// How much higher the frame's head carries the unit codes than the codes themselves.
inline constexpr int kSettingsFrameHeadCodeOffset = 30;

// The rows name each setting's member once, for InstrumentSettings, the tab's values and the
// listing alike; the other columns are named where they are given.
#define HYGRO_LIST_SETTING(member, ...)                                                   \
    SettingsEntry {                                                                       \
        .name = #member, .kind = SettingsKind::List, .byte = &InstrumentSettings::member, \
        .index = &SettingsTabValues::member, __VA_ARGS__                                  \
    }
#define HYGRO_DECIMAL_SETTING(member, ...)                                                   \
    SettingsEntry {                                                                          \
        .name = #member, .kind = SettingsKind::Decimal, .word = &InstrumentSettings::member, \
        .text = &SettingsTabValues::member, __VA_ARGS__                                      \
    }
#define HYGRO_INTEGER_SETTING(member, ...)                                                   \
    SettingsEntry {                                                                          \
        .name = #member, .kind = SettingsKind::Integer, .word = &InstrumentSettings::member, \
        .text = &SettingsTabValues::member, __VA_ARGS__                                      \
    }
#define HYGRO_KEPT_BYTE(member, ...)                                                      \
    SettingsEntry {                                                                       \
        .name = #member, .kind = SettingsKind::Kept, .byte = &InstrumentSettings::member, \
        __VA_ARGS__                                                                       \
    }

// In the order of InstrumentSettings' members, which the headless listing keeps.
inline constexpr std::array<SettingsEntry, 26> kSettingsTable = {{
    HYGRO_LIST_SETTING(DisplayUnit, .reply = 0, .frame = 7, .save = 1, .list = &kDisplayUnitList,
                       .caption = QT_TRANSLATE_NOOP("SettingsField", "Displayed unit"),
                       .control = "ComboBox1",
                       .hiddenCopies = {{{&SettingsTabValues::DisplayUnitCopy1, "ComboBox3"},
                                         {&SettingsTabValues::DisplayUnitCopy2, "ComboBox4"}}},
                       .frameHead = 3),
    HYGRO_LIST_SETTING(
        TemperatureUnit, .reply = 1, .frame = 8, .save = 2, .list = &kTemperatureScaleList,
        .caption = QT_TRANSLATE_NOOP("SettingsField", "Temp System Unit"), .control = "ComboBox10",
        .hiddenCopies = {{{&SettingsTabValues::TemperatureUnitCopy1, "ComboBox6"},
                          {&SettingsTabValues::TemperatureUnitCopy2, "ComboBox8"}}},
        .frameHead = 4),
    HYGRO_LIST_SETTING(Alarm1Mode, .reply = 2, .frame = 5, .save = 3, .list = &kAlarmModeList,
                       .caption = QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Tryb pracy"),
                       .control = "ComboBox7"),
    HYGRO_LIST_SETTING(Alarm2Mode, .reply = 3, .frame = 6, .save = 4, .list = &kAlarmModeList,
                       .caption = QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Tryb pracy"),
                       .control = "ComboBox9"),
    HYGRO_LIST_SETTING(Output1Type, .reply = 18, .frame = 21, .save = 10, .list = &kOutputRangeList,
                       .caption = QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1: Rodzaj wyjścia"),
                       .control = "ComboBox2"),
    HYGRO_LIST_SETTING(Output2Type, .reply = 19, .frame = 22, .save = 11, .list = &kOutputRangeList,
                       .caption = QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2: Rodzaj wyjścia"),
                       .control = "ComboBox5"),
    HYGRO_KEPT_BYTE(Alarm1HighExtra, .reply = 8, .frame = 11),
    HYGRO_KEPT_BYTE(Alarm1LowExtra, .reply = 11, .frame = 14),
    HYGRO_KEPT_BYTE(Output1MinExtra, .reply = 24, .frame = 27),
    HYGRO_KEPT_BYTE(Output1MaxExtra, .reply = 27, .frame = 30),
    HYGRO_LIST_SETTING(Buzzer, .reply = 40, .frame = 39, .save = 5, .list = &kBuzzerList,
                       .caption = QT_TRANSLATE_NOOP("SettingsField", "Buzzer"),
                       .control = "ComboBox12"),
    HYGRO_LIST_SETTING(LoggerMode, .reply = 41, .frame = 40, .save = 17, .list = &kLoggerModeList,
                       .caption = QT_TRANSLATE_NOOP("SettingsField", "Logger: Mode"),
                       .control = "ComboBox11"),
    HYGRO_LIST_SETTING(
        RecordInterval, .reply = 42, .frame = 41, .save = 18, .list = &kRecordIntervalList,
        .caption = QT_TRANSLATE_NOOP("SettingsField", "Record interval"), .control = "ComboBox15"),
    HYGRO_LIST_SETTING(
        RecordIntervalAl1, .reply = 43, .frame = 42, .save = 19, .list = &kRecordIntervalList,
        .caption = QT_TRANSLATE_NOOP("SettingsField", "Record when AL1"), .control = "ComboBox13"),
    HYGRO_LIST_SETTING(
        RecordIntervalAl2, .reply = 44, .frame = 43, .save = 20, .list = &kRecordIntervalList,
        .caption = QT_TRANSLATE_NOOP("SettingsField", "Record when AL2"), .control = "ComboBox14"),
    HYGRO_DECIMAL_SETTING(Alarm1High, .reply = 6, .frame = 9, .save = 6, .decimals = 1,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Próg górny"),
                          .control = "Edit5"),
    HYGRO_DECIMAL_SETTING(Alarm1Low, .reply = 9, .frame = 12, .save = 7, .decimals = 1,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Próg dolny"),
                          .control = "Edit16"),
    HYGRO_DECIMAL_SETTING(Alarm2High, .reply = 12, .frame = 15, .save = 8, .decimals = 1,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Próg górny"),
                          .control = "Edit17"),
    HYGRO_DECIMAL_SETTING(Alarm2Low, .reply = 15, .frame = 18, .save = 9, .decimals = 1,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Próg dolny"),
                          .control = "Edit18"),
    HYGRO_DECIMAL_SETTING(Output1Min, .reply = 22, .frame = 25, .save = 12, .decimals = 1,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1 min"),
                          .control = "Edit1"),
    HYGRO_DECIMAL_SETTING(Output1Max, .reply = 25, .frame = 28, .save = 13, .decimals = 1,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1 max"),
                          .control = "Edit2"),
    HYGRO_DECIMAL_SETTING(Output2Min, .reply = 28, .frame = 31, .save = 14, .decimals = 1,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2 min"),
                          .control = "Edit3"),
    HYGRO_DECIMAL_SETTING(Output2Max, .reply = 31, .frame = 34, .save = 15, .decimals = 1,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2 max"),
                          .control = "Edit4"),
    HYGRO_INTEGER_SETTING(CleaningInterval, .reply = 34, .frame = 37, .save = 16,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Czyszczenie co"),
                          .unit = SettingsUnit::Hours, .control = "Edit12"),
    HYGRO_DECIMAL_SETTING(ManualTemperature, .reply = 45, .frame = 44, .save = 21, .decimals = 2,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Manual Temp."),
                          .unit = SettingsUnit::TemperatureScale, .control = "Edit32"),
    HYGRO_DECIMAL_SETTING(Pressure, .reply = 47, .frame = 46, .save = 22, .decimals = 2,
                          .caption = QT_TRANSLATE_NOOP("SettingsField", "Pressure"),
                          .unit = SettingsUnit::Bar, .control = "Edit33"),
}};

#undef HYGRO_LIST_SETTING
#undef HYGRO_DECIMAL_SETTING
#undef HYGRO_INTEGER_SETTING
#undef HYGRO_KEPT_BYTE

// The row of `field`.
constexpr const SettingsEntry& SettingOf(SettingsField field) {
    for (const SettingsEntry& setting : kSettingsTable) {
        if (setting.Field() == field) {
            return setting;
        }
    }
    return kSettingsTable.front();  // unreachable: the reply tests decode every member by its row
}

// The settings the operator edits: every row but the kept bytes.
inline constexpr std::size_t kEditedSettings = [] {
    std::size_t edited = 0;
    for (const SettingsEntry& setting : kSettingsTable) {
        edited += setting.kind != SettingsKind::Kept ? 1 : 0;
    }
    return edited;
}();

// The order a Save takes the settings in, by their rows' `save`.
inline constexpr std::array<SettingsField, kEditedSettings> kSaveOrder = [] {
    std::array<SettingsField, kEditedSettings> order{};
    for (const SettingsEntry& setting : kSettingsTable) {
        if (setting.save >= 1 && static_cast<std::size_t>(setting.save) <= order.size()) {
            order[static_cast<std::size_t>(setting.save) - 1] = setting.Field();
        }
    }
    return order;
}();

namespace settings_table_checks {

// Each member has one row; each edited setting a caption, a control and its own place in the
// Save, the kept bytes none.
constexpr bool EveryRowIsWhole() {
    std::array<int, kEditedSettings + 1> places{};
    for (const SettingsEntry& setting : kSettingsTable) {
        if (&SettingOf(setting.Field()) != &setting) {
            return false;
        }
        const bool edited = setting.kind != SettingsKind::Kept;
        if (edited != (setting.caption != nullptr) || edited != (setting.control != nullptr) ||
            edited != (setting.save >= 1) || setting.save < 0 ||
            static_cast<std::size_t>(setting.save) > kEditedSettings ||
            (setting.save >= 1 && places[static_cast<std::size_t>(setting.save)]++ != 0)) {
            return false;
        }
    }
    return true;
}
static_assert(EveryRowIsWhole());

// Each reply byte is read for one setting at most, and within the reply's length.
constexpr bool RepliesDoNotOverlap() {
    std::array<int, kSettingsReplySize> taken{};
    for (const SettingsEntry& setting : kSettingsTable) {
        for (std::size_t i = 0; i < setting.Width(); ++i) {
            if (setting.reply + i >= taken.size() || taken[setting.reply + i]++ != 0) {
                return false;
            }
        }
    }
    return true;
}
static_assert(RepliesDoNotOverlap());

}  // namespace settings_table_checks
