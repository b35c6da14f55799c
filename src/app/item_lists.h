#pragma once
// The fixed item lists of the Settings tab's drop-down lists. An item's index is the value
// that the instrument's settings record holds for it (or that value's code, see each list).

#include <QStringList>

// ComboBox1: the unit the instrument displays, index = DisplayUnit.
QStringList DisplayUnitItems();
// ComboBox10: the temperature scale, index = TemperatureUnit - 5.
QStringList TemperatureScaleItems();
// ComboBox2, ComboBox5: current range of an analogue output, index = output type / 4.
QStringList OutputRangeItems();
// ComboBox7, ComboBox9: alarm mode, index = mode.
QStringList AlarmModeItems();
// ComboBox12: which alarms sound the buzzer.
QStringList BuzzerItems();
// ComboBox11: what the logger does when full.
QStringList LoggerModeItems();
// ComboBox13, ComboBox14, ComboBox15: logger record interval, index = interval code.
QStringList RecordIntervalItems();
// ComboBox3, ComboBox4, ComboBox6, ComboBox8: the hidden unit lists kept in step with the
// two visible unit lists.
QStringList HiddenUnitItems();
