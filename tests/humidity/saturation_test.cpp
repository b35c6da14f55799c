// The saturation curves against published values, their inverses, and the enhancement
// factor. Where the ITS-90 formulations are compared with the international reference
// equations, the tolerance is how far the two are documented to differ.
#include "humidity/saturation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace humidity {
namespace {

struct Point {
    double celsius;
    double pa;
    double tolerance;  // relative
};

constexpr double kOneInTenThousand = 1e-4;  // 0.01 %

// The formulation's own check values, to the digits they are published with (half a unit
// of the last digit).
TEST(Saturation, PublishedCheckValues) {
    EXPECT_NEAR(SaturationOverWaterPa(0.01), 611.657, 0.0005);
    EXPECT_NEAR(SaturationOverIcePa(0.01), 611.657, 0.0005);
    EXPECT_NEAR(SaturationOverWaterPa(20.0), 2339.26, 0.005);
    EXPECT_NEAR(SaturationOverWaterPa(100.0), 101417.8, 0.05);
    EXPECT_NEAR(SaturationOverIcePa(-40.0), 12.837, 0.0005);
}

// Over water from 0 to 100 °C: the saturation pressure of the IAPWS-95 formulation (its check
// value at 275 K, and the steam tables at five significant figures); the ITS-90 water
// formulation agrees with it to better than 0.01 %.
TEST(Saturation, OverWaterAgreesWithTheSteamTables) {
    const Point points[] = {
        {1.85, 698.451, kOneInTenThousand},
        {10.0, 1228.1, kOneInTenThousand},
        {30.0, 4246.9, kOneInTenThousand},
        {40.0, 7385.1, kOneInTenThousand},
        {50.0, 12352.0, kOneInTenThousand},
        {60.0, 19947.0, kOneInTenThousand},
        {70.0, 31202.0, kOneInTenThousand},
        {80.0, 47416.0, kOneInTenThousand},
        {90.0, 70183.0, kOneInTenThousand},
        // Supercooled water (Murphy and Koop 2005): the extrapolation stays within 0.1 %
        // down to -20 °C.
        {-10.0, 286.45, 1e-3},
        {-20.0, 125.50, 1e-3},
    };
    for (const Point& p : points) {
        SCOPED_TRACE(p.celsius);
        EXPECT_NEAR(SaturationOverWaterPa(p.celsius), p.pa, p.pa * p.tolerance);
    }
}

// Over ice: the IAPWS 2011 sublimation-pressure equation (its check value at 230 K, and five
// significant figures elsewhere). Down to -20 °C the ITS-90 ice formulation agrees to
// 0.01 %; below, it runs lower, by 0.04 % at -40 °C growing to 0.22 % at -100 °C.
TEST(Saturation, OverIceAgreesWithTheSublimationEquation) {
    const Point points[] = {
        {-5.0, 401.74, kOneInTenThousand},
        {-10.0, 259.87, kOneInTenThousand},
        {-20.0, 103.24, kOneInTenThousand},
        {-30.0, 38.005, 3e-4},
        {-43.15, 8.94735, 6e-4},
        {-60.0, 1.0813, 1.2e-3},
        {-80.0, 0.054773, 1.8e-3},
        {-100.0, 0.0014049, 2.5e-3},
    };
    for (const Point& p : points) {
        SCOPED_TRACE(p.celsius);
        const double got = SaturationOverIcePa(p.celsius);
        EXPECT_NEAR(got, p.pa, p.pa * p.tolerance);
        // Below -20 °C the formulation lies below the newer equation, never above it.
        if (p.celsius < -20.0) {
            EXPECT_LT(got, p.pa);
        }
    }
}

TEST(Saturation, IceLiesBelowSupercooledWater) {
    for (double t = -100.0; t < 0.0; t += 5.0) {
        SCOPED_TRACE(t);
        EXPECT_LT(SaturationOverIcePa(t), SaturationOverWaterPa(t));
    }
}

TEST(Saturation, DewAndFrostPointsInvertTheCurves) {
    for (double t = -100.0; t <= 100.0; t += 2.5) {
        SCOPED_TRACE(t);
        const std::optional<double> dew = DewPointFromVapourPressure(SaturationOverWaterPa(t));
        ASSERT_TRUE(dew.has_value());
        EXPECT_NEAR(*dew, t, 1e-7);
    }
    for (double t = -100.0; t <= 0.0; t += 2.5) {
        SCOPED_TRACE(t);
        const std::optional<double> frost = FrostPointFromVapourPressure(SaturationOverIcePa(t));
        ASSERT_TRUE(frost.has_value());
        EXPECT_NEAR(*frost, t, 1e-7);
    }
    // The ends of the range are reached, one step beyond them is not.
    const std::optional<double> nearTop = DewPointFromVapourPressure(101417.0);
    ASSERT_TRUE(nearTop.has_value());
    EXPECT_NEAR(*nearTop, 100.0, 0.001);
    const std::optional<double> triple = FrostPointFromVapourPressure(611.657);
    ASSERT_TRUE(triple.has_value());
    EXPECT_NEAR(*triple, 0.01, 1e-5);
    EXPECT_FALSE(DewPointFromVapourPressure(101500.0).has_value());
    EXPECT_FALSE(FrostPointFromVapourPressure(612.0).has_value());
    EXPECT_FALSE(DewPointFromVapourPressure(0.0036).has_value());    // below ew(-100 °C)
    EXPECT_FALSE(FrostPointFromVapourPressure(0.0014).has_value());  // below ei(-100 °C)
    for (double bad : {0.0, -1.0, double(NAN), double(INFINITY)}) {
        EXPECT_FALSE(DewPointFromVapourPressure(bad).has_value());
        EXPECT_FALSE(FrostPointFromVapourPressure(bad).has_value());
    }
}

// Dew point to frost point as the conversion tables give it, to 0.1 °C.
TEST(Saturation, FrostPointOfADewPoint) {
    const struct {
        double dewPoint;
        double frostPoint;
    } cases[] = {{-10.0, -8.9},  {-20.0, -17.9}, {-40.0, -36.5},
                 {-60.0, -55.6}, {-80.0, -75.2}, {-100.0, -95.2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dewPoint);
        const std::optional<double> frost = FrostPointFromDewPoint(c.dewPoint);
        ASSERT_TRUE(frost.has_value());
        EXPECT_NEAR(*frost, c.frostPoint, 0.05);
        // and it is where ice holds the vapour that water holds at the dew point
        EXPECT_NEAR(SaturationOverIcePa(*frost) / SaturationOverWaterPa(c.dewPoint), 1.0, 1e-9);
    }
    // Just below 0 °C the frost point lies a little above the dew point, up to the triple
    // point; at and above 0 °C the mirror holds water: no frost point.
    const std::optional<double> justBelow = FrostPointFromDewPoint(-0.001);
    ASSERT_TRUE(justBelow.has_value());
    EXPECT_GT(*justBelow, -0.001);
    EXPECT_LE(*justBelow, kTriplePointCelsius);
    for (double none : {0.0, 0.01, 20.0, -100.01, 100.5, double(NAN)}) {
        SCOPED_TRACE(none);
        EXPECT_FALSE(FrostPointFromDewPoint(none).has_value());
    }
}

// f(p) = 1.0016 + 3.15e-6·p - 0.074/p, worked out by hand.
TEST(Saturation, EnhancementFactor) {
    EXPECT_NEAR(EnhancementFactor(1013.25), 1.0047187052, 1e-10);
    EXPECT_NEAR(EnhancementFactor(500.0), 1.003027, 1e-10);
    EXPECT_NEAR(EnhancementFactor(1100.0), 1.0049977273, 1e-10);
}

TEST(Saturation, FormulationRange) {
    EXPECT_TRUE(InFormulationRange(-100.0));
    EXPECT_TRUE(InFormulationRange(100.0));
    EXPECT_TRUE(InFormulationRange(0.0));
    for (double out : {-100.001, 100.001, double(NAN), double(INFINITY), -double(INFINITY)}) {
        SCOPED_TRACE(out);
        EXPECT_FALSE(InFormulationRange(out));
    }
}

}  // namespace
}  // namespace humidity
