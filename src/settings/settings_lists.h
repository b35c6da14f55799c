#pragma once
// The items of the Settings tab's drop-down lists and the code the instrument holds for each,
// shared by the window, the conversions and the headless listing so that an item means the
// same to all of them. Which setting uses which list is in settings_table.h. Texts are UTF-8.

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <array>
#include <span>

// A list's items; the item at `index` stands for code = index × step + base.
struct SettingsItemList {
    std::span<const char* const> items;
    int step = 1;
    int base = 0;
    // The translation context of a list whose items are words; nullptr: shown as written.
    const char* context = nullptr;
};

namespace settings_items {

inline constexpr std::array<const char*, 9> kDisplayUnit = {
    "°Cdp", "°Fdp", "ppmV", "gm-3", "%Rh", "°C", "°F", "°C-°Cdp", "°F-°Fdp"};

inline constexpr std::array<const char*, 8> kHiddenUnit = {"°Cdp", "°Fdp", "g/m3", "%Rh",
                                                           "aw",   "°C",   "°F",   "t-tdp"};

inline constexpr std::array<const char*, 2> kTemperatureScale = {"°C", "°F"};

inline constexpr std::array<const char*, 2> kOutputRange = {"0-20mA", "4-20mA"};

inline constexpr std::array<const char*, 7> kAlarmMode = {
    QT_TRANSLATE_NOOP("AlarmMode", "0 wyłączony"),
    QT_TRANSLATE_NOOP("AlarmMode", "1 górny"),
    QT_TRANSLATE_NOOP("AlarmMode", "2 dolny"),
    QT_TRANSLATE_NOOP("AlarmMode", "3 pomiędzy"),
    QT_TRANSLATE_NOOP("AlarmMode", "4 poza"),
    QT_TRANSLATE_NOOP("AlarmMode", "5 górny z histerezą"),
    QT_TRANSLATE_NOOP("AlarmMode", "6 dolny z histerezą")};

inline constexpr std::array<const char*, 4> kBuzzer = {"OFF", "AL1", "AL2", "AL1&AL2"};

inline constexpr std::array<const char*, 2> kLoggerMode = {"Loop", "Stop"};

inline constexpr std::array<const char*, 13> kRecordInterval = {
    "OFF", "1min", "2min", "5min", "10min", "15min", "30min", "1h", "2h", "4h", "6h", "12h", "24h"};

}  // namespace settings_items

// The unit the instrument displays; the index is the display unit code.
inline constexpr SettingsItemList kDisplayUnitList{settings_items::kDisplayUnit};

// The hidden lists of the tab that follow the display unit and the temperature scale: they
// show the setting's code as an index here, and are never read back.
inline constexpr SettingsItemList kHiddenUnitList{settings_items::kHiddenUnit};

// The temperature scale; codes 5 and 6, the places of °C and °F in the unit list.
inline constexpr SettingsItemList kTemperatureScaleList{settings_items::kTemperatureScale, 1, 5};

// The current range of an analogue output; codes 0 and 4.
inline constexpr SettingsItemList kOutputRangeList{settings_items::kOutputRange, 4};

// The mode of an alarm; the index is the mode. The one list with words to translate.
inline constexpr SettingsItemList kAlarmModeList{settings_items::kAlarmMode, 1, 0, "AlarmMode"};

// Which alarms sound the buzzer; the index is the code.
inline constexpr SettingsItemList kBuzzerList{settings_items::kBuzzer};

// What the logger does when full; the index is the code.
inline constexpr SettingsItemList kLoggerModeList{settings_items::kLoggerMode};

// The logger's record intervals (always, alarm 1, alarm 2); the index is the interval code.
inline constexpr SettingsItemList kRecordIntervalList{settings_items::kRecordInterval};

// The item the tab selects for `code`: a code between two items' codes counts as the lower
// one (the output range shows 5 as 4-20mA). -1 when the list has no item there.
int ItemIndexForCode(const SettingsItemList& list, int code);

// The item whose code is exactly `code`, or -1.
int ExactItemIndex(const SettingsItemList& list, int code);

// The code the instrument holds for the item at `index`, which must be in the list.
int CodeOfItem(const SettingsItemList& list, int index);

// Whether `index` names an item of the list (-1, a list's "no selection", does not).
bool HasItem(const SettingsItemList& list, int index);

// The item at `index` as the operator reads it: words in the interface's language, units as
// written. `index` must be in the list.
QString ItemText(const SettingsItemList& list, int index);

// Every item, as ItemText gives it.
QStringList ItemTexts(const SettingsItemList& list);
