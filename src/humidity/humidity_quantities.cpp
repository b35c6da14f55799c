#include "humidity/humidity_quantities.h"

#include <cmath>

#include "humidity/saturation.h"

namespace humidity {

namespace {

constexpr double kZeroCelsiusKelvin = 273.15;
constexpr double kPascalsPerHpa = 100.0;
// g·K/J: the molar mass of water over the molar gas constant, for e/T in Pa/K to g/m³.
constexpr double kAbsoluteHumidityFactor = 2.16679;
// 1000 × the ratio of the molar masses of water and dry air, for g/kg.
constexpr double kMixingRatioFactor = 621.98;

bool PressureInRange(double hpa) {
    return std::isfinite(hpa) && hpa >= kLowestPressureHpa && hpa <= kHighestPressureHpa;
}

}  // namespace

HumidityQuantities ComputeQuantitiesCelsius(double dewPointCelsius, double ambientCelsius,
                                            double pressureHpa) {
    HumidityQuantities q;
    q.pressureHpa = pressureHpa;
    const bool dewPointValid = InFormulationRange(dewPointCelsius);
    const bool ambientValid = InFormulationRange(ambientCelsius);
    const bool pressureValid = PressureInRange(pressureHpa);
    if (!dewPointValid) {
        q.problems |= kDewPointOutOfRange;
    }
    if (!ambientValid) {
        q.problems |= kAmbientOutOfRange;
    }
    if (!pressureValid) {
        q.problems |= kPressureOutOfRange;
    }
    if (!dewPointValid) {
        return q;  // every quantity starts from the dew point
    }

    const double ewDewPoint = SaturationOverWaterPa(dewPointCelsius);
    q.frostPoint = FrostPointFromDewPoint(dewPointCelsius);
    if (ambientValid) {
        q.relativeHumidityCalculated = 100.0 * ewDewPoint / SaturationOverWaterPa(ambientCelsius);
        if (ambientCelsius < 0.0) {
            q.relativeHumidityIce = 100.0 * ewDewPoint / SaturationOverIcePa(ambientCelsius);
        }
    }
    if (!pressureValid) {
        return q;
    }

    const double e = EnhancementFactor(pressureHpa) * ewDewPoint;
    const double p = pressureHpa * kPascalsPerHpa;
    q.vapourPressurePa = e;
    if (ambientValid) {
        q.absoluteHumidityGPerM3 =
            kAbsoluteHumidityFactor * e / (ambientCelsius + kZeroCelsiusKelvin);
    }
    if (e >= p) {
        q.problems |= kVapourPressureAtPressure;
        return q;
    }
    q.mixingRatioGPerKg = kMixingRatioFactor * e / (p - e);
    q.ppmv = 1e6 * e / (p - e);
    return q;
}

HumidityQuantities ComputeQuantities(double dewPoint, double ambient, TemperatureScale scale,
                                     double pressureHpa) {
    HumidityQuantities q = ComputeQuantitiesCelsius(ToCelsius(dewPoint, scale),
                                                    ToCelsius(ambient, scale), pressureHpa);
    if (q.frostPoint) {
        q.frostPoint = FromCelsius(*q.frostPoint, scale);
    }
    return q;
}

}  // namespace humidity
