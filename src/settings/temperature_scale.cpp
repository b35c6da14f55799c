#include "settings/temperature_scale.h"

#include "settings/settings_lists.h"

TemperatureScale ScaleOf(const InstrumentSettings& settings) {
    switch (ExactItemIndex(kTemperatureScaleList, settings.TemperatureUnit)) {
        case 0:
            return TemperatureScale::Celsius;
        case 1:
            return TemperatureScale::Fahrenheit;
        default:
            return TemperatureScale::Unknown;
    }
}

double CelsiusFromHundredths(std::int16_t hundredths, TemperatureScale scale) {
    const double degrees = hundredths / 100.0;
    return scale == TemperatureScale::Fahrenheit ? (degrees - 32.0) * 5.0 / 9.0 : degrees;
}
