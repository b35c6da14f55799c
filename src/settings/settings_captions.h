#pragma once
// How messages to the operator name a setting of the Settings tab.

#include <QString>

#include "settings/settings_tab.h"

// The caption beside the setting's control in the interface's language, with its group in
// front where two controls share a caption ("Alarm 1: Próg górny", "Output 1: Min value").
// The captions themselves are in settings_table.h.
QString SettingsFieldCaption(SettingsField field);
