#pragma once
// The instrument's settings as text lines for a script or a person at a terminal.

#include <QStringList>

#include "settings/instrument_settings.h"

// One "Name = value" line per row of kSettingsTable: every field of InstrumentSettings, in
// its order and under its name. A list's code shows as its item (the alarm modes in the
// interface's language), or as "code N" when the list has no such item; a scaled number in
// decimal with "." whatever the locale, followed by its unit where the instrument gives one
// (h, bar, the temperature scale). The bytes kept for the instrument show as plain numbers.
QStringList SettingsListing(const InstrumentSettings& settings);
