#include "settings/settings_captions.h"

#include <QCoreApplication>

#include "settings/settings_table.h"

QString SettingsFieldCaption(SettingsField field) {
    return QCoreApplication::translate("SettingsField", SettingOf(field).caption);
}
