#pragma once
// Items of the Settings tab's drop-down lists, shared by the window and the conversions so
// that an item's index means the same to both. Texts are UTF-8.

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <array>
#include <span>

// The unit the instrument displays; the index is the display unit code.
inline constexpr std::array<const char*, 9> kDisplayUnitItems = {
    "°Cdp", "°Fdp", "ppmV", "gm-3", "%Rh", "°C", "°F", "°C-°Cdp", "°F-°Fdp"};

// The hidden lists kept in step with the display unit and the temperature scale.
inline constexpr std::array<const char*, 8> kHiddenUnitItems = {"°Cdp", "°Fdp", "g/m3", "%Rh",
                                                                "aw",   "°C",   "°F",   "t-tdp"};

// The temperature scale; code = index + kTemperatureScaleCodeBase (the places of °C and °F in the
// unit list).
inline constexpr std::array<const char*, 2> kTemperatureScaleItems = {"°C", "°F"};
inline constexpr int kTemperatureScaleCodeBase = 5;

// The current range of an analogue output; code = index × kOutputRangeCodeStep.
inline constexpr std::array<const char*, 2> kOutputRangeItems = {"0-20mA", "4-20mA"};
inline constexpr int kOutputRangeCodeStep = 4;

// The mode of an alarm; the index is the alarm mode. The one list with words to translate.
inline constexpr std::array<const char*, 7> kAlarmModeItems = {
    QT_TRANSLATE_NOOP("AlarmMode", "0 wyłączony"),
    QT_TRANSLATE_NOOP("AlarmMode", "1 górny"),
    QT_TRANSLATE_NOOP("AlarmMode", "2 dolny"),
    QT_TRANSLATE_NOOP("AlarmMode", "3 pomiędzy"),
    QT_TRANSLATE_NOOP("AlarmMode", "4 poza"),
    QT_TRANSLATE_NOOP("AlarmMode", "5 górny z histerezą"),
    QT_TRANSLATE_NOOP("AlarmMode", "6 dolny z histerezą")};

// Which alarms sound the buzzer; the index is the code.
inline constexpr std::array<const char*, 4> kBuzzerItems = {"OFF", "AL1", "AL2", "AL1&AL2"};

// What the logger does when full; the index is the code.
inline constexpr std::array<const char*, 2> kLoggerModeItems = {"Loop", "Stop"};

// The logger's record intervals (always, alarm 1, alarm 2); the index is the interval code.
inline constexpr std::array<const char*, 13> kRecordIntervalItems = {
    "OFF", "1min", "2min", "5min", "10min", "15min", "30min", "1h", "2h", "4h", "6h", "12h", "24h"};

inline QStringList SettingsListItems(std::span<const char* const> items) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const char* item : items) {
        list.append(QString::fromUtf8(item));
    }
    return list;
}
