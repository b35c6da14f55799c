#pragma once
// The humidity quantities of one sample, from its dew point, its ambient temperature and
// the pressure. A quantity that cannot be computed (an input outside the formulations'
// range, vapour pressure at or above the pressure) is empty, and `problems` says why:
// never a number that merely looks valid. Pure functions, standard library only.

#include <cstdint>
#include <optional>

#include "humidity/humidity_inputs.h"

namespace humidity {

// Why quantities are missing: a set of these bits.
enum Problem : std::uint8_t {
    kNoProblem = 0,
    kDewPointOutOfRange = 1 << 0,        // not finite or outside -100..100 °C
    kAmbientOutOfRange = 1 << 1,         // not finite or outside -100..100 °C
    kPressureOutOfRange = 1 << 2,        // not finite or outside kLowest..kHighestPressureHpa
    kVapourPressureAtPressure = 1 << 3,  // e >= P: no dry gas left to mix with
};

struct HumidityQuantities {
    // e = f(P)·ew(Td), Pa. Needs the dew point and the pressure.
    std::optional<double> vapourPressurePa;
    // The t with ei(t) = ew(Td), in the scale given to ComputeQuantities. Only when the dew
    // point is below 0 °C (above it the mirror holds water, not frost): empty otherwise,
    // without a problem.
    std::optional<double> frostPoint;
    // 100·ew(Td)/ew(T), over water as meteorology reports it, %.
    std::optional<double> relativeHumidityCalculated;
    // 100·ew(Td)/ei(T), %: only when T is below 0 °C (empty otherwise, without a problem).
    std::optional<double> relativeHumidityIce;
    // 2.16679·e/(T + 273.15), g/m³.
    std::optional<double> absoluteHumidityGPerM3;
    // 621.98·e/(P - e), g of water per kg of dry gas.
    std::optional<double> mixingRatioGPerKg;
    // 1e6·e/(P - e): parts per million by volume of the dry gas.
    std::optional<double> ppmv;
    // The pressure used, hPa (as given, also when out of range).
    double pressureHpa = kStandardPressureHpa;
    // The Problem bits behind the empty quantities; kNoProblem when nothing is missing
    // for lack of a valid input.
    std::uint8_t problems = kNoProblem;
};

// The quantities from a dew point and an ambient temperature in °C and a pressure in hPa;
// the frost point comes in °C.
HumidityQuantities ComputeQuantitiesCelsius(double dewPointCelsius, double ambientCelsius,
                                            double pressureHpa);

// The same from temperatures in the instrument's scale: they are converted to °C first, and
// the frost point is given back in that scale, like the dew point.
HumidityQuantities ComputeQuantities(double dewPoint, double ambient, TemperatureScale scale,
                                     double pressureHpa);

}  // namespace humidity
