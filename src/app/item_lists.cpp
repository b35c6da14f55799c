#include "app/item_lists.h"

#include <QCoreApplication>

#include "settings/settings_lists.h"

// The texts live with the settings conversions, so an item's index means the same to the
// window and to the record.
QStringList DisplayUnitItems() {
    return SettingsListItems(kDisplayUnitItems);
}
QStringList TemperatureScaleItems() {
    return SettingsListItems(kTemperatureScaleItems);
}
QStringList OutputRangeItems() {
    return SettingsListItems(kOutputRangeItems);
}
QStringList AlarmModeItems() {
    QStringList items;
    for (const char* item : kAlarmModeItems) {
        items << QCoreApplication::translate("AlarmMode", item);
    }
    return items;
}
QStringList BuzzerItems() {
    return SettingsListItems(kBuzzerItems);
}
QStringList LoggerModeItems() {
    return SettingsListItems(kLoggerModeItems);
}
QStringList RecordIntervalItems() {
    return SettingsListItems(kRecordIntervalItems);
}
QStringList HiddenUnitItems() {
    return SettingsListItems(kHiddenUnitItems);
}
