#pragma once
// Saturation vapour pressure of water and ice on ITS-90 (Hardy 1998), the enhancement
// factor of moist air, and the temperatures that invert them (dew point, frost point).
// Temperatures in °C, pressures in Pa unless a name says hPa. Standard library only.

#include <optional>

namespace humidity {

// The range the formulations are stated for, in °C; outside it a temperature gives no
// quantity at all.
inline constexpr double kLowestCelsius = -100.0;
inline constexpr double kHighestCelsius = 100.0;
// The triple point of water, where the curves over water and over ice meet.
inline constexpr double kTriplePointCelsius = 0.01;

// True for a finite temperature within kLowestCelsius..kHighestCelsius (both included).
bool InFormulationRange(double celsius);

// ew(t): over plane liquid water, supercooled below 0 °C. The bare formulation: no range
// check (callers check InFormulationRange).
double SaturationOverWaterPa(double celsius);
// ei(t): over plane ice. The bare formulation, meant for t at or below the triple point.
double SaturationOverIcePa(double celsius);

// The dew point of vapour pressure `pa` over water: the t in -100..100 °C with ew(t) = pa;
// empty when no such t exists (or pa is not a finite positive number).
std::optional<double> DewPointFromVapourPressure(double pa);
// The frost point of vapour pressure `pa`: the t in -100..0.01 °C with ei(t) = pa; empty
// when no such t exists.
std::optional<double> FrostPointFromVapourPressure(double pa);
// The frost point of dew point `dewPointCelsius` (the t with ei(t) = ew(Td)): only below
// 0 °C and within the formulation's range, empty otherwise.
std::optional<double> FrostPointFromDewPoint(double dewPointCelsius);

// f(p) = 1.0016 + 3.15e-6·p - 0.074/p, p in hPa: how much more vapour moist air holds at
// saturation than pure vapour does (WMO guide). No range check.
double EnhancementFactor(double pressureHpa);

}  // namespace humidity
