#pragma once
// The items of the Settings tab's drop-down lists as the window shows them. Which list a
// setting has, and the code each item stands for, are in settings/settings_table.h.

#include <QStringList>

#include "settings/settings_tab.h"

// The items of the setting's list; an item's index is what SettingsTabValues holds for it.
// Empty for a setting edited as a number.
QStringList ItemsOf(SettingsField field);

// The hidden unit lists kept in step with the two visible unit lists.
QStringList HiddenUnitItems();
