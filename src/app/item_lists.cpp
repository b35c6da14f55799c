#include "app/item_lists.h"

#include "settings/settings_lists.h"
#include "settings/settings_table.h"

QStringList ItemsOf(SettingsField field) {
    const SettingsEntry& setting = SettingOf(field);
    return setting.list != nullptr ? ItemTexts(*setting.list) : QStringList();
}

QStringList HiddenUnitItems() {
    return ItemTexts(kHiddenUnitList);
}
