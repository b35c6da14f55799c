#pragma once
// The settings frame read back at its own offsets, independently of how it was laid out:
// what the instrument would take from it.

#include "settings/instrument_settings.h"
#include "settings/settings_frame.h"

InstrumentSettings SettingsFromFrame(const SettingsFrame& frame);

// "01m" and "end" around the values, the letters k and j in their places, and the unit
// codes repeated at the head with 30 added.
bool FrameFixedBytesInPlace(const SettingsFrame& frame);
