#pragma once
// Every setting of the instrument in one row: its name, where InstrumentSettings and the
// Settings tab hold it, how it is shown (a list's items, a number's decimals, its unit) and
// the caption that names it to the operator. The tab's conversions, the Save, the window's
// lists and the headless listing all read it from here; a new setting is a new row.

#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

#include "settings/instrument_settings.h"
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

struct SettingsEntry {
    const char* name;  // the member's name, as the headless listing prints it
    SettingsKind kind;
    std::uint8_t InstrumentSettings::*byte = nullptr;  // List, Kept
    std::int16_t InstrumentSettings::*word = nullptr;  // Decimal, Integer
    int SettingsTabValues::*index = nullptr;           // List
    QString SettingsTabValues::*text = nullptr;        // Decimal, Integer
    const SettingsItemList* list = nullptr;            // List
    int decimals = 0;                                  // Decimal
    SettingsField field{};                             // all but Kept
    // The caption in the Polish interface, with its group in front where two controls share
    // a caption; translated in the context "SettingsField". nullptr for Kept.
    const char* caption = nullptr;
    SettingsUnit unit = SettingsUnit::None;
    // Hidden lists of the tab that show the code in kHiddenUnitList.
    std::array<int SettingsTabValues::*, 2> hiddenCopies{};
};

// The rows name each setting once: member, tab value, field and listing name alike.
#define HYGRO_LIST_SETTING(member, itemList, captionText, ...)                                    \
    SettingsEntry {                                                                               \
        .name = #member, .kind = SettingsKind::List, .byte = &InstrumentSettings::member,         \
        .index = &SettingsTabValues::member, .list = &(itemList), .field = SettingsField::member, \
        .caption = (captionText), __VA_ARGS__                                                     \
    }
#define HYGRO_DECIMAL_SETTING(member, places, captionText, ...)                                   \
    SettingsEntry {                                                                               \
        .name = #member, .kind = SettingsKind::Decimal, .word = &InstrumentSettings::member,      \
        .text = &SettingsTabValues::member, .decimals = (places), .field = SettingsField::member, \
        .caption = (captionText), __VA_ARGS__                                                     \
    }
#define HYGRO_INTEGER_SETTING(member, captionText, ...)                                      \
    SettingsEntry {                                                                          \
        .name = #member, .kind = SettingsKind::Integer, .word = &InstrumentSettings::member, \
        .text = &SettingsTabValues::member, .field = SettingsField::member,                  \
        .caption = (captionText), __VA_ARGS__                                                \
    }
#define HYGRO_KEPT_BYTE(member)                                                          \
    SettingsEntry {                                                                      \
        .name = #member, .kind = SettingsKind::Kept, .byte = &InstrumentSettings::member \
    }

// In the order of InstrumentSettings' members, which the headless listing keeps.
inline constexpr std::array<SettingsEntry, 26> kSettingsTable = {{
    HYGRO_LIST_SETTING(DisplayUnit, kDisplayUnitList,
                       QT_TRANSLATE_NOOP("SettingsField", "Displayed unit"),
                       .hiddenCopies = {&SettingsTabValues::DisplayUnitCopy1,
                                        &SettingsTabValues::DisplayUnitCopy2}),
    HYGRO_LIST_SETTING(TemperatureUnit, kTemperatureScaleList,
                       QT_TRANSLATE_NOOP("SettingsField", "Temp System Unit"),
                       .hiddenCopies = {&SettingsTabValues::TemperatureUnitCopy1,
                                        &SettingsTabValues::TemperatureUnitCopy2}),
    HYGRO_LIST_SETTING(Alarm1Mode, kAlarmModeList,
                       QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Tryb pracy")),
    HYGRO_LIST_SETTING(Alarm2Mode, kAlarmModeList,
                       QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Tryb pracy")),
    HYGRO_LIST_SETTING(Output1Type, kOutputRangeList,
                       QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1: Rodzaj wyjścia")),
    HYGRO_LIST_SETTING(Output2Type, kOutputRangeList,
                       QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2: Rodzaj wyjścia")),
    HYGRO_KEPT_BYTE(Alarm1HighExtra),
    HYGRO_KEPT_BYTE(Alarm1LowExtra),
    HYGRO_KEPT_BYTE(Output1MinExtra),
    HYGRO_KEPT_BYTE(Output1MaxExtra),
    HYGRO_LIST_SETTING(Buzzer, kBuzzerList, QT_TRANSLATE_NOOP("SettingsField", "Buzzer")),
    HYGRO_LIST_SETTING(LoggerMode, kLoggerModeList,
                       QT_TRANSLATE_NOOP("SettingsField", "Logger: Mode")),
    HYGRO_LIST_SETTING(RecordInterval, kRecordIntervalList,
                       QT_TRANSLATE_NOOP("SettingsField", "Record interval")),
    HYGRO_LIST_SETTING(RecordIntervalAl1, kRecordIntervalList,
                       QT_TRANSLATE_NOOP("SettingsField", "Record when AL1")),
    HYGRO_LIST_SETTING(RecordIntervalAl2, kRecordIntervalList,
                       QT_TRANSLATE_NOOP("SettingsField", "Record when AL2")),
    HYGRO_DECIMAL_SETTING(Alarm1High, 1, QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Próg górny")),
    HYGRO_DECIMAL_SETTING(Alarm1Low, 1, QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Próg dolny")),
    HYGRO_DECIMAL_SETTING(Alarm2High, 1, QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Próg górny")),
    HYGRO_DECIMAL_SETTING(Alarm2Low, 1, QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Próg dolny")),
    HYGRO_DECIMAL_SETTING(Output1Min, 1, QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1 min")),
    HYGRO_DECIMAL_SETTING(Output1Max, 1, QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1 max")),
    HYGRO_DECIMAL_SETTING(Output2Min, 1, QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2 min")),
    HYGRO_DECIMAL_SETTING(Output2Max, 1, QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2 max")),
    HYGRO_INTEGER_SETTING(CleaningInterval, QT_TRANSLATE_NOOP("SettingsField", "Czyszczenie co"),
                          .unit = SettingsUnit::Hours),
    HYGRO_DECIMAL_SETTING(ManualTemperature, 2, QT_TRANSLATE_NOOP("SettingsField", "Manual Temp."),
                          .unit = SettingsUnit::TemperatureScale),
    HYGRO_DECIMAL_SETTING(Pressure, 2, QT_TRANSLATE_NOOP("SettingsField", "Pressure"),
                          .unit = SettingsUnit::Bar),
}};

#undef HYGRO_LIST_SETTING
#undef HYGRO_DECIMAL_SETTING
#undef HYGRO_INTEGER_SETTING
#undef HYGRO_KEPT_BYTE

// The row of the setting the operator edits as `field`.
constexpr const SettingsEntry& SettingOf(SettingsField field) {
    for (const SettingsEntry& setting : kSettingsTable) {
        if (setting.kind != SettingsKind::Kept && setting.field == field) {
            return setting;
        }
    }
    return kSettingsTable.front();  // unreachable: every field has its row (checked below)
}

namespace settings_table_checks {

constexpr std::size_t RowsOf(SettingsField field) {
    std::size_t rows = 0;
    for (const SettingsEntry& setting : kSettingsTable) {
        rows += setting.kind != SettingsKind::Kept && setting.field == field ? 1 : 0;
    }
    return rows;
}

constexpr bool EveryFieldHasOneRow() {
    constexpr std::size_t kFields = static_cast<std::size_t>(SettingsField::RecordInterval) + 1;
    std::size_t edited = 0;
    for (const SettingsEntry& setting : kSettingsTable) {
        edited += setting.kind != SettingsKind::Kept ? 1 : 0;
    }
    for (std::size_t i = 0; i < kFields; ++i) {
        if (RowsOf(static_cast<SettingsField>(i)) != 1) {
            return false;
        }
    }
    return edited == kFields;
}
static_assert(EveryFieldHasOneRow());

}  // namespace settings_table_checks
