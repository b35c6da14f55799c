// The quantities of one sample. Expected values are worked out by hand from published
// saturation pressures (ew(20 °C) = 2339.26 Pa, ew(0.01 °C) = 611.657 Pa, the steam tables'
// ew(30 °C) = 4246.9 Pa), so they hold to about 0.01 %.
#include "humidity/humidity_quantities.h"

#include <gtest/gtest.h>

#include <cmath>

namespace humidity {
namespace {

void ExpectRelative(const std::optional<double>& got, double expected, double tolerance = 1e-4) {
    ASSERT_TRUE(got.has_value());
    EXPECT_NEAR(*got, expected, std::fabs(expected) * tolerance);
}

// Td 20 °C, T 30 °C at the standard atmosphere: f = 1.0047187052,
// e = f·2339.26 = 2350.298 Pa, RH = 100·2339.26/4246.9, AH = 2.16679·e/303.15,
// MR = 621.98·e/(101325 - e), ppmv = 1e6·e/(101325 - e).
void ExpectTheWarmCase(const HumidityQuantities& q) {
    ExpectRelative(q.vapourPressurePa, 2350.298);
    ExpectRelative(q.relativeHumidityCalculated, 55.0816);
    ExpectRelative(q.absoluteHumidityGPerM3, 16.79895);
    ExpectRelative(q.mixingRatioGPerKg, 14.76982);
    ExpectRelative(q.ppmv, 23746.45);
    EXPECT_FALSE(q.frostPoint.has_value());
    EXPECT_FALSE(q.relativeHumidityIce.has_value());
    EXPECT_EQ(q.pressureHpa, 1013.25);
    EXPECT_EQ(q.problems, kNoProblem);
}

TEST(HumidityQuantities, AWarmSampleInCelsius) {
    ExpectTheWarmCase(ComputeQuantitiesCelsius(20.0, 30.0, 1013.25));
    ExpectTheWarmCase(ComputeQuantities(20.0, 30.0, TemperatureScale::Celsius, 1013.25));
}

TEST(HumidityQuantities, TheSameSampleInFahrenheit) {
    ExpectTheWarmCase(ComputeQuantities(68.0, 86.0, TemperatureScale::Fahrenheit, 1013.25));
}

// At the triple point and 1000 hPa (the instrument's 1.00 bar): f = 1.004676,
// e = f·611.657 = 614.5171 Pa; saturated, so RH 100 %; no frost point at 0.01 °C.
TEST(HumidityQuantities, AtTheTriplePoint) {
    const HumidityQuantities q = ComputeQuantitiesCelsius(0.01, 0.01, 1000.0);
    ExpectRelative(q.vapourPressurePa, 614.5171);
    ExpectRelative(q.relativeHumidityCalculated, 100.0, 1e-12);
    ExpectRelative(q.absoluteHumidityGPerM3, 4.874541);
    ExpectRelative(q.mixingRatioGPerKg, 3.845807);
    ExpectRelative(q.ppmv, 6183.168);
    EXPECT_FALSE(q.frostPoint.has_value());
    EXPECT_FALSE(q.relativeHumidityIce.has_value());
    EXPECT_EQ(q.pressureHpa, 1000.0);
}

// Below 0 °C: the frost point (-10 °C dew point: -8.9 °C frost point in the conversion
// tables), and RH over ice: ew(-10 °C)/ei(-10 °C) = 286.45/259.87 from the reference
// equations.
TEST(HumidityQuantities, BelowZero) {
    const HumidityQuantities c = ComputeQuantitiesCelsius(-10.0, -10.0, 1013.25);
    ASSERT_TRUE(c.frostPoint.has_value());
    EXPECT_NEAR(*c.frostPoint, -8.9, 0.05);
    ExpectRelative(c.relativeHumidityCalculated, 100.0, 1e-12);
    ExpectRelative(c.relativeHumidityIce, 110.23, 5e-4);
    EXPECT_EQ(c.problems, kNoProblem);

    // In °F the frost point comes back in °F: -8.9 °C is 15.98 °F.
    const HumidityQuantities f =
        ComputeQuantities(14.0, 14.0, TemperatureScale::Fahrenheit, 1013.25);
    ASSERT_TRUE(f.frostPoint.has_value());
    EXPECT_NEAR(*f.frostPoint, 15.98, 0.09);
    ExpectRelative(f.relativeHumidityIce, 110.23, 5e-4);
}

TEST(HumidityQuantities, OutOfRangeIsEmptyAndMarked) {
    // A dew point outside -100..100 °C: nothing at all.
    for (double dewPoint : {-100.5, 100.5, double(NAN), double(INFINITY)}) {
        SCOPED_TRACE(dewPoint);
        const HumidityQuantities q = ComputeQuantitiesCelsius(dewPoint, 20.0, 1013.25);
        EXPECT_EQ(q.problems, kDewPointOutOfRange);
        EXPECT_FALSE(q.vapourPressurePa || q.frostPoint || q.relativeHumidityCalculated ||
                     q.relativeHumidityIce || q.absoluteHumidityGPerM3 || q.mixingRatioGPerKg ||
                     q.ppmv);
    }
    // An ambient temperature outside: what needs it is empty, the rest is there.
    {
        const HumidityQuantities q = ComputeQuantitiesCelsius(-20.0, -101.0, 1013.25);
        EXPECT_EQ(q.problems, kAmbientOutOfRange);
        EXPECT_FALSE(q.relativeHumidityCalculated || q.relativeHumidityIce ||
                     q.absoluteHumidityGPerM3);
        EXPECT_TRUE(q.vapourPressurePa && q.frostPoint && q.mixingRatioGPerKg && q.ppmv);
    }
    // A pressure outside 10..10000 hPa (a setting of 0 bar read from the instrument): no
    // vapour pressure and nothing built on it; the relative humidity needs no pressure.
    for (double pressure : {0.0, 9.99, 10000.5, double(NAN)}) {
        SCOPED_TRACE(pressure);
        const HumidityQuantities q = ComputeQuantitiesCelsius(20.0, 30.0, pressure);
        EXPECT_EQ(q.problems, kPressureOutOfRange);
        EXPECT_FALSE(q.vapourPressurePa || q.absoluteHumidityGPerM3 || q.mixingRatioGPerKg ||
                     q.ppmv);
        ExpectRelative(q.relativeHumidityCalculated, 55.0816);
    }
    // Vapour pressure at or above the pressure: no dry gas to mix with. At 100 °C and
    // 1000 hPa, e = 1.004676·101417.8 Pa > 100000 Pa.
    {
        const HumidityQuantities q = ComputeQuantitiesCelsius(100.0, 100.0, 1000.0);
        EXPECT_EQ(q.problems, kVapourPressureAtPressure);
        EXPECT_FALSE(q.mixingRatioGPerKg || q.ppmv);
        ExpectRelative(q.vapourPressurePa, 101892.0);
    }
    // Both ends of the range are inside it.
    EXPECT_EQ(ComputeQuantitiesCelsius(-100.0, -100.0, 1013.25).problems, kNoProblem);
    EXPECT_EQ(ComputeQuantitiesCelsius(100.0, 100.0, 1100.0).problems, kNoProblem);
    // Several problems at once are all told.
    EXPECT_EQ(ComputeQuantitiesCelsius(-120.0, 150.0, 0.0).problems,
              kDewPointOutOfRange | kAmbientOutOfRange | kPressureOutOfRange);
}

// A dew point above the ambient temperature is supersaturation, reported as it is.
TEST(HumidityQuantities, AboveSaturationIsReportedAsItIs) {
    const HumidityQuantities q = ComputeQuantitiesCelsius(30.0, 20.0, 1013.25);
    ExpectRelative(q.relativeHumidityCalculated, 181.5489);  // 100·4246.9/2339.26
}

}  // namespace
}  // namespace humidity
