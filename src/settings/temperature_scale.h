#pragma once
// The temperature scale the instrument is set to, which every temperature it sends is in,
// and the way to degrees Celsius for readers that want one scale whatever the setting.

#include <cstdint>

#include "settings/instrument_settings.h"

enum class TemperatureScale { Unknown, Celsius, Fahrenheit };

// From the settings' TemperatureUnit code; Unknown for a code the list does not have.
TemperatureScale ScaleOf(const InstrumentSettings& settings);

// A temperature in hundredths of a degree of `scale` as degrees Celsius; Unknown is taken
// as Celsius, the instrument's usual setting.
double CelsiusFromHundredths(std::int16_t hundredths, TemperatureScale scale);
