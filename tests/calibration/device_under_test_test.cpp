// Devices under test: the guard-band verdict at its edges, the deviation's uncertainty, and
// readings in one temperature scale against a reference in the other.
#include "calibration/device_under_test.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calibration/guard_band.h"

namespace calibration {
namespace {

TEST(GuardBand, VerdictAtItsEdges) {
    struct Row {
        double deviation, expanded, tolerance;
        Verdict verdict;
    };
    const Row rows[] = {
        {0.0, 0.0, 0.0, Verdict::Pass},           // nothing off, nothing allowed
        {0.3, 0.2, 0.5, Verdict::Pass},           // |d| + U exactly the tolerance
        {-0.3, 0.2, 0.5, Verdict::Pass},          // either sign
        {0.1 + 0.2, 0.2, 0.5, Verdict::Pass},     // 0.30000000000000004: still the edge
        {0.31, 0.2, 0.5, Verdict::Inconclusive},  // just beyond it
        {0.5, 0.2, 0.5, Verdict::Inconclusive},   // on the tolerance itself
        {0.7, 0.2, 0.5, Verdict::Inconclusive},   // |d| - U exactly the tolerance: not beyond
        {-0.7, 0.2, 0.5, Verdict::Inconclusive},
        {0.71, 0.2, 0.5, Verdict::Fail},  // beyond it by more than U
        {-0.71, 0.2, 0.5, Verdict::Fail},
        {0.2, 0.6, 0.5, Verdict::Inconclusive},  // U wider than the tolerance: never a pass
        {2.0, 0.0, 1.5, Verdict::Fail},          // no uncertainty: plain comparison
        {1.5, 0.0, 1.5, Verdict::Pass},
        {std::nan(""), 0.1, 0.5, Verdict::Inconclusive},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << r.deviation << " ± " << r.expanded << " / " << r.tolerance);
        EXPECT_EQ(GuardBandVerdict(r.deviation, r.expanded, r.tolerance), r.verdict);
    }
    EXPECT_EQ(VerdictName(Verdict::Pass), "pass");
    EXPECT_EQ(VerdictName(Verdict::Fail), "fail");
    EXPECT_EQ(VerdictName(Verdict::Inconclusive), "inconclusive");
}

// U_dev = 2·√((U_ref/2)² + (r/(2·√3))²): 0.2 and a resolution of 0.1 give
// 2·√(0.01 + 0.000833333) = 0.208167; a resolution alone gives r/√3.
TEST(DeviceUnderTest, TheDeviationsUncertainty) {
    EXPECT_NEAR(DeviationExpandedUncertainty(0.2, 0.1), 0.2081666, 1e-7);
    EXPECT_NEAR(DeviationExpandedUncertainty(0.0, 1.0), 1.0 / std::sqrt(3.0), 1e-12);
    EXPECT_DOUBLE_EQ(DeviationExpandedUncertainty(0.4, 0.0), 0.4);
}

CalibrationPoint PointAt(humidity::TemperatureScale scale, double dewPoint, double dewPointU,
                         double ambient, double ambientU, double rh, double rhU) {
    CalibrationPoint p;
    p.scale = scale;
    p.dewPoint.mean = dewPoint;
    p.ambient.mean = ambient;
    p.quantities[static_cast<std::size_t>(PointQuantity::DewPoint)] = {dewPoint, dewPointU};
    p.quantities[static_cast<std::size_t>(PointQuantity::AmbientTemperature)] = {ambient, ambientU};
    p.quantities[static_cast<std::size_t>(PointQuantity::RelativeHumidity)] = {rh, rhU};
    return p;
}

TEST(DeviceUnderTest, ReadingsAgainstTheReferenceInEitherScale) {
    using humidity::TemperatureScale;
    // Reference 20 °C ± 0.2 K, i.e. 68 °F ± 0.36 °F; 10 °C dew point ± 0.25 K.
    const CalibrationPoint celsius =
        PointAt(TemperatureScale::Celsius, 10.0, 0.25, 20.0, 0.2, 52.5, 1.1);
    const CalibrationPoint fahrenheit =
        PointAt(TemperatureScale::Fahrenheit, 50.0, 0.45, 68.0, 0.36, 52.5, 1.1);
    struct Row {
        const char* what;
        const CalibrationPoint& point;
        DeviceUnderTest device;
        double reading;
        double deviation, expanded;
        Verdict verdict;
    };
    const Row rows[] = {
        {"a thermometer in °F, the reference in °C",
         celsius,
         {"T1", DeviceQuantity::Temperature, DeviceUnit::Fahrenheit, 0.0, 1.0},
         68.5,
         0.5,
         0.36,
         Verdict::Pass},
        {"a thermometer in °C, the reference in °F",
         fahrenheit,
         {"T2", DeviceQuantity::Temperature, DeviceUnit::Celsius, 0.0, 0.1},
         19.6,
         -0.4,
         0.2,
         Verdict::Fail},
        {"a dew-point transmitter in °F, the reference in °C",
         celsius,
         {"D1", DeviceQuantity::DewPoint, DeviceUnit::Fahrenheit, 0.0, 0.5},
         50.3,
         0.3,
         0.45,
         Verdict::Inconclusive},
        {"a dew-point transmitter in °C, the reference in °C",
         celsius,
         {"D2", DeviceQuantity::DewPoint, DeviceUnit::Celsius, 0.0, 0.5},
         10.2,
         0.2,
         0.25,
         Verdict::Pass},
        {"a dew-point transmitter in °C, the reference in °F",
         fahrenheit,
         {"D3", DeviceQuantity::DewPoint, DeviceUnit::Celsius, 0.0, 0.5},
         9.8,
         -0.2,
         0.25,
         Verdict::Pass},
        {"an RH probe with a resolution of 1 %",
         celsius,
         {"H1", DeviceQuantity::RelativeHumidity, DeviceUnit::Percent, 1.0, 2.5},
         54.0,
         1.5,
         2.0 * std::hypot(0.55, 1.0 / (2.0 * std::sqrt(3.0))),
         Verdict::Inconclusive},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const std::optional<Comparison> c = CompareReading(r.point, r.device, r.reading);
        ASSERT_TRUE(c.has_value());
        EXPECT_NEAR(c->deviation, r.deviation, 1e-9);
        EXPECT_NEAR(c->expanded, r.expanded, 1e-9);
        EXPECT_EQ(c->verdict, r.verdict);
    }
}

TEST(DeviceUnderTest, NoComparisonWithoutAReference) {
    CalibrationPoint p =
        PointAt(humidity::TemperatureScale::Celsius, 10.0, 0.25, 20.0, 0.2, 52.5, 1.1);
    p.quantities[static_cast<std::size_t>(PointQuantity::RelativeHumidity)] = {};
    const DeviceUnderTest probe{"H1", DeviceQuantity::RelativeHumidity, DeviceUnit::Percent, 0.1,
                                2.0};
    EXPECT_FALSE(CompareReading(p, probe, 50.0).has_value()) << "no RH at the point";
    const DeviceUnderTest thermometer{"T1", DeviceQuantity::Temperature, DeviceUnit::Celsius, 0.1,
                                      0.5};
    EXPECT_TRUE(CompareReading(p, thermometer, 20.0).has_value());
    EXPECT_FALSE(CompareReading(p, thermometer, std::nan("")).has_value());
    const DeviceUnderTest misfit{"T1", DeviceQuantity::Temperature, DeviceUnit::Percent, 0.1, 0.5};
    EXPECT_FALSE(CompareReading(p, misfit, 20.0).has_value());
}

TEST(DeviceUnderTest, WhatMakesADeviceValid) {
    const DeviceUnderTest good{"Sonda RH nr 7, hala B", DeviceQuantity::RelativeHumidity,
                               DeviceUnit::Percent, 0.1, 2.0};
    EXPECT_TRUE(IsValid(good));
    struct Row {
        const char* what;
        DeviceUnderTest device;
    };
    DeviceUnderTest d = good;
    const auto with = [&](auto change) {
        DeviceUnderTest copy = good;
        change(copy);
        return copy;
    };
    const Row rows[] = {
        {"no name", with([](DeviceUnderTest& x) { x.name.clear(); })},
        {"blanks only", with([](DeviceUnderTest& x) { x.name = "   "; })},
        {"a line end", with([](DeviceUnderTest& x) { x.name = "a\nb"; })},
        {"too long", with([](DeviceUnderTest& x) { x.name = QString(201, 'x'); })},
        {"RH in °C", with([](DeviceUnderTest& x) { x.unit = DeviceUnit::Celsius; })},
        {"a dew point in %",
         with([](DeviceUnderTest& x) { x.quantity = DeviceQuantity::DewPoint; })},
        {"a negative resolution", with([](DeviceUnderTest& x) { x.resolution = -0.1; })},
        {"a tolerance that is no number",
         with([](DeviceUnderTest& x) { x.tolerance = std::nan(""); })},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_FALSE(IsValid(r.device));
    }
    d.name = QString(200, 'x');
    EXPECT_TRUE(IsValid(d));

    for (DeviceQuantity q : {DeviceQuantity::RelativeHumidity, DeviceQuantity::DewPoint,
                             DeviceQuantity::Temperature}) {
        EXPECT_EQ(DeviceQuantityFromName(QString::fromUtf8(DeviceQuantityName(q))), q);
    }
    for (DeviceUnit u : {DeviceUnit::Percent, DeviceUnit::Celsius, DeviceUnit::Fahrenheit}) {
        EXPECT_EQ(DeviceUnitFromName(QString::fromUtf8(DeviceUnitName(u))), u);
    }
    EXPECT_FALSE(DeviceUnitFromName(u"C").has_value());
}

}  // namespace
}  // namespace calibration
