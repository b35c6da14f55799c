#pragma once
// The fixed item lists of the Settings tab's drop-down lists. An item's index is the value
// that the instrument's settings record holds for it (or that value's code, see each list).

#include <QStringList>

// The unit the instrument displays, index = DisplayUnit.
QStringList DisplayUnitItems();
// The temperature scale, index = TemperatureUnit - 5.
QStringList TemperatureScaleItems();
// Current range of an analogue output, index = output type / 4.
QStringList OutputRangeItems();
// Alarm mode, index = mode.
QStringList AlarmModeItems();
// Which alarms sound the buzzer.
QStringList BuzzerItems();
// What the logger does when full.
QStringList LoggerModeItems();
// Logger record interval, index = interval code.
QStringList RecordIntervalItems();
// The hidden unit lists kept in step with the
// two visible unit lists.
QStringList HiddenUnitItems();
