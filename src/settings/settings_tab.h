#pragma once
// The Settings tab as plain data, and the conversions between it and InstrumentSettings.

#include <QLocale>
#include <QString>
#include <variant>

#include "settings/instrument_settings.h"

// What the tab's controls hold, by design name: the selected index of each list (-1 for
// no selection) and the text of each edit.
struct SettingsTabValues {
    int ComboBox1 = -1;
    int ComboBox2 = -1;
    int ComboBox3 = -1;
    int ComboBox4 = -1;
    int ComboBox5 = -1;
    int ComboBox6 = -1;
    int ComboBox7 = -1;
    int ComboBox8 = -1;
    int ComboBox9 = -1;
    int ComboBox10 = -1;
    int ComboBox11 = -1;
    int ComboBox12 = -1;
    int ComboBox13 = -1;
    int ComboBox14 = -1;
    int ComboBox15 = -1;
    QString Edit1;
    QString Edit2;
    QString Edit3;
    QString Edit4;
    QString Edit5;
    QString Edit12;
    QString Edit16;
    QString Edit17;
    QString Edit18;
    QString Edit32;
    QString Edit33;

    friend bool operator==(const SettingsTabValues&, const SettingsTabValues&) = default;
};

// Why a Save stopped: the control to blame and the text for the standard error box.
struct SaveError {
    QString control;  // design name, e.g. "Edit5"
    QString message;
};

using SaveResult = std::variant<InstrumentSettings, SaveError>;

// What the tab shows for `settings`. A code that has no item in its list leaves the list
// with no selection; numbers use the locale's decimal separator.
SettingsTabValues SettingsToTab(const InstrumentSettings& settings, const QLocale& locale);

// Takes the controls back into settings, in the order of the Save button. The first control
// that does not convert, holds a number a word cannot carry, or has no selection stops the
// Save with its error; nothing is half-applied. The four bytes the tab does not show are
// kept from `previous`. The hidden unit lists are not read. Refusals (out of range, no
// selection) are worded in the interface's language; the conversion errors have one form.
SaveResult TabToSettings(const SettingsTabValues& tab, const InstrumentSettings& previous,
                         const QLocale& locale, bool englishUi);
