#pragma once
// The stability criteria the operator set on the Quantities tab, kept between runs in the
// program's QSettings. Values that are missing or not valid give the defaults.

#include "humidity/stability_window.h"

class QSettings;

humidity::StabilityCriteria LoadStabilityCriteria(const QSettings& settings);
void SaveStabilityCriteria(QSettings& settings, const humidity::StabilityCriteria& criteria);

// Where the program keeps what the operator chose (QSettings' organisation and application).
inline constexpr char kSettingsOrganization[] = "hygrometer";
inline constexpr char kSettingsApplication[] = "hygrometer";
