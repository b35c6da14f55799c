// A run's humidity: the pressure it takes from --pressure, the instrument or the standard
// atmosphere, the instrument's scale, and the quantities at the window's means. The numbers
// come from ew(20 °C) = 2339.26 Pa and ew(30 °C) = 4246.9 Pa, worked out by hand.
#include "humidity/humidity_tracker.h"

#include <gtest/gtest.h>

#include <cmath>

namespace humidity {
namespace {

void ExpectRelative(const std::optional<double>& got, double expected) {
    ASSERT_TRUE(got.has_value());
    EXPECT_NEAR(*got, expected, std::fabs(expected) * 1e-4);
}

// Td 20 °C, T 30 °C at three pressures: e = f(P)·2339.26, MR = 621.98·e/(P - e).
TEST(HumidityTracker, ThePressureFromTheCommandLineTheInstrumentOrTheStandardAtmosphere) {
    HumidityTracker standard;
    SampleHumidity h = standard.Add(0, 20.0, 30.0);
    EXPECT_EQ(h.pressureSource, PressureSource::Standard);
    EXPECT_EQ(h.quantities.pressureHpa, 1013.25);
    ExpectRelative(h.quantities.vapourPressurePa, 2350.298);
    ExpectRelative(h.quantities.mixingRatioGPerKg, 14.76982);

    // The instrument's 1.00 bar, once its settings are read: f = 1.004676.
    standard.SetInstrumentPressure(100);
    h = standard.Add(1, 20.0, 30.0);
    EXPECT_EQ(h.pressureSource, PressureSource::Instrument);
    EXPECT_EQ(h.quantities.pressureHpa, 1000.0);
    ExpectRelative(h.quantities.vapourPressurePa, 2350.198);
    ExpectRelative(h.quantities.mixingRatioGPerKg, 14.96958);
    ExpectRelative(h.quantities.ppmv, 24067.62);

    // --pressure 900 wins over the instrument's setting, read before or after it.
    HumidityTracker given(900.0);
    given.SetInstrumentPressure(100);
    h = given.Add(0, 20.0, 30.0);
    EXPECT_EQ(h.pressureSource, PressureSource::CommandLine);
    EXPECT_EQ(h.quantities.pressureHpa, 900.0);
    ExpectRelative(h.quantities.vapourPressurePa, 2349.442);
    ExpectRelative(h.quantities.mixingRatioGPerKg, 16.67195);
    given.SetInstrumentPressure(120);
    EXPECT_EQ(given.Pressure(), (ChosenPressure{900.0, PressureSource::CommandLine}));
}

// 68 °F / 86 °F are 20 °C / 30 °C; the statistics stay in °F, as the instrument sends.
TEST(HumidityTracker, AnInstrumentInFahrenheit) {
    HumidityTracker tracker;
    tracker.Add(0, 10.0, 20.0);
    tracker.Add(1, 10.0, 20.0);
    tracker.SetScale(TemperatureScale::Fahrenheit);
    const SampleHumidity h = tracker.Add(2, 68.0, 86.0);
    EXPECT_EQ(h.scale, TemperatureScale::Fahrenheit);
    ExpectRelative(h.quantities.vapourPressurePa, 2350.298);
    ExpectRelative(h.quantities.relativeHumidityCalculated, 55.0816);
    // The degrees Celsius before the change are gone from the window.
    EXPECT_EQ(h.statistics.count, 1u);
    EXPECT_EQ(h.statistics.mean, 68.0);
    EXPECT_EQ(h.ambientMean, 86.0);
    // Setting the same scale again keeps the window.
    tracker.SetScale(TemperatureScale::Fahrenheit);
    EXPECT_EQ(tracker.Add(3, 68.0, 86.0).statistics.count, 2u);
}

// Samples around 20 °C / 30 °C: the quantities at the means are those of 20 °C / 30 °C, not of
// the last sample.
TEST(HumidityTracker, TheQuantitiesAtTheWindowsMeans) {
    HumidityTracker tracker;
    tracker.Add(0, 19.9, 29.0);
    const SampleHumidity h = tracker.Add(1, 20.1, 31.0);
    ASSERT_TRUE(h.atMean.has_value());
    EXPECT_NEAR(*h.statistics.mean, 20.0, 1e-12);
    EXPECT_NEAR(*h.ambientMean, 30.0, 1e-12);
    ExpectRelative(h.atMean->vapourPressurePa, 2350.298);
    ExpectRelative(h.atMean->relativeHumidityCalculated, 55.0816);
    ExpectRelative(h.atMean->absoluteHumidityGPerM3, 16.79895);
    // The sample's own quantities are at 20.1 °C: more vapour than at the mean.
    EXPECT_GT(*h.quantities.vapourPressurePa, *h.atMean->vapourPressurePa);
}

TEST(HumidityTracker, TheCriteriaReachTheWindow) {
    HumidityTracker tracker(std::nullopt, {.windowSeconds = 10.0});
    EXPECT_EQ(tracker.Criteria().windowSeconds, 10.0);
    for (int t = 0; t < 10; ++t) {
        EXPECT_FALSE(tracker.Add(t, 5.0, 20.0).statistics.stable) << t;
    }
    SampleHumidity h = tracker.Add(10, 5.0, 20.0);
    EXPECT_TRUE(h.statistics.stable);
    EXPECT_EQ(h.criteria.windowSeconds, 10.0);
    EXPECT_FALSE(tracker.SetCriteria({.bandDegrees = -1.0}));
    EXPECT_TRUE(tracker.SetCriteria({.windowSeconds = 20.0}));
    h = tracker.Add(11, 5.0, 20.0);
    EXPECT_EQ(h.statistics.count, 1u);
    EXPECT_FALSE(h.statistics.stable);
}

}  // namespace
}  // namespace humidity
