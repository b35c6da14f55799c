#pragma once
// The Settings tab as plain data, and the conversions between it and InstrumentSettings.

#include <QLocale>
#include <QString>
#include <variant>

#include "settings/instrument_settings.h"
#include "settings/settings_field.h"

// What the tab's controls hold, by what each means: the selected index of each list (-1 for
// no selection) and the text of each edit.
struct SettingsTabValues {
    int DisplayUnit = -1;
    int TemperatureUnit = -1;
    int Alarm1Mode = -1;
    int Alarm2Mode = -1;
    int Buzzer = -1;
    int Output1Type = -1;
    int Output2Type = -1;
    int LoggerMode = -1;
    int RecordInterval = -1;
    int RecordIntervalAl1 = -1;
    int RecordIntervalAl2 = -1;
    // The hidden lists that follow the two unit lists; shown, never read back.
    int DisplayUnitCopy1 = -1;
    int DisplayUnitCopy2 = -1;
    int TemperatureUnitCopy1 = -1;
    int TemperatureUnitCopy2 = -1;
    QString Alarm1High;
    QString Alarm1Low;
    QString Alarm2High;
    QString Alarm2Low;
    QString Output1Min;
    QString Output1Max;
    QString Output2Min;
    QString Output2Max;
    QString CleaningInterval;
    QString ManualTemperature;
    QString Pressure;

    friend bool operator==(const SettingsTabValues&, const SettingsTabValues&) = default;
};

// Why a Save stopped: the setting to blame and the text for the standard error box.
struct SaveError {
    SettingsField field;
    QString message;
};

using SaveResult = std::variant<InstrumentSettings, SaveError>;

// What the tab shows for `settings`. A code that has no item in its list leaves the list
// with no selection; numbers use the locale's decimal separator.
SettingsTabValues SettingsToTab(const InstrumentSettings& settings, const QLocale& locale);

// Takes the controls back into settings, in the table's save order (kSaveOrder). The first
// control that does not convert, holds a number a word cannot carry, or has no selection
// stops the Save with its error; nothing is half-applied. The four bytes the tab does not
// show are kept from `previous`. The hidden unit lists are not read. Refusals (out of range, no
// selection) are worded in the interface's language; the conversion errors have one form.
SaveResult TabToSettings(const SettingsTabValues& tab, const InstrumentSettings& previous,
                         const QLocale& locale);
