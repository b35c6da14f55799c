// A point from the values the session hands over: its numbers as the file writes them, and
// its quantities and uncertainties propagated from exactly those numbers.
#include "calibration/calibration_point.h"

#include <gtest/gtest.h>

#include <QTimeZone>
#include <cmath>

#include "calibration/point_texts.h"

namespace calibration {
namespace {

const QDateTime kTime(QDate(2026, 12, 10), QTime(13, 15, 0, 123), QTimeZone(3600));

humidity::WindowStatistics Window(double mean, double sd, double drift, std::size_t count) {
    humidity::WindowStatistics w;
    w.count = count;
    w.spanSeconds = static_cast<double>(count - 1);
    w.mean = mean;
    w.minimum = mean - 0.01;
    w.maximum = mean + 0.01;
    w.standardDeviation = sd;
    w.driftPerHour = drift;
    w.full = true;
    w.stable = true;
    return w;
}

PointSource Source() {
    PointSource s;
    s.time = kTime;
    s.dewPoint = Window(-12.3412345, 0.00512345, -0.0123456, 601);
    s.ambient = Window(22.1049999, 0.0213, 0.05, 601);
    s.pressure = {1001.256, humidity::PressureSource::Instrument};
    s.dewPointExpandedK = 0.15;
    s.ambientExpandedK = 0.1;
    s.pressureExpandedHpa = 1.0;
    return s;
}

TEST(CalibrationPoint, KeepsItsNumbersAsTheFileWritesThem) {
    const CalibrationPoint p = RecordPoint(Source(), {});
    EXPECT_EQ(p.time, kTime);
    EXPECT_EQ(p.samples, 601u);
    EXPECT_EQ(p.spanSeconds, 600.0);
    EXPECT_EQ(p.dewPoint.mean, -12.3412);
    EXPECT_EQ(p.dewPoint.standardDeviation, 0.00512345);
    EXPECT_EQ(p.dewPoint.driftPerHour, -0.0123456);
    EXPECT_EQ(p.ambient.mean, 22.105);
    EXPECT_EQ(p.pressureHpa, 1001.26);
    EXPECT_EQ(p.pressureSource, humidity::PressureSource::Instrument);
    EXPECT_EQ(p.dewPointExpandedK, 0.15);
    EXPECT_TRUE(p.stable);
    EXPECT_FALSE(p.excluded);
    // Every number of the point reads back as itself.
    for (const ValueWithUncertainty& q : p.quantities) {
        for (const std::optional<double>& v : {q.value, q.expanded}) {
            if (v) {
                EXPECT_EQ(AsWritten(*v), *v);
            }
        }
    }
}

// What an auditor does with the file's columns: propagate from the written means, spreads
// and input uncertainties, and round as the file does.
TEST(CalibrationPoint, ItsQuantitiesArePropagatedFromItsOwnNumbers) {
    const CalibrationPoint p = RecordPoint(Source(), {});
    humidity::UncertaintyInputs in;
    in.dewPoint = -12.3412;
    in.ambient = 22.105;
    in.pressureHpa = 1001.26;
    in.dewPointExpandedK = 0.15;
    in.ambientExpandedK = 0.1;
    in.pressureExpandedHpa = 1.0;
    in.dewPointScatter = humidity::MeanScatter{0.00512345, 601};
    in.ambientScatter = humidity::MeanScatter{0.0213, 601};
    const humidity::PropagatedUncertainties r = humidity::PropagateUncertainties(in);
    const auto expect = [&](PointQuantity q,
                            const std::optional<humidity::QuantityUncertainty>& u) {
        SCOPED_TRACE(std::string(PointQuantityColumn(q)));
        ASSERT_EQ(p.Quantity(q).value.has_value(), u.has_value());
        if (u) {
            EXPECT_EQ(*p.Quantity(q).value, AsWritten(u->value));
            EXPECT_EQ(*p.Quantity(q).expanded, AsWritten(u->expanded));
        }
    };
    expect(PointQuantity::DewPoint, r.dewPoint);
    expect(PointQuantity::AmbientTemperature, r.ambientTemperature);
    expect(PointQuantity::VapourPressure, r.vapourPressurePa);
    expect(PointQuantity::FrostPoint, r.frostPoint);
    expect(PointQuantity::RelativeHumidity, r.relativeHumidityCalculated);
    expect(PointQuantity::RelativeHumidityIce, r.relativeHumidityIce);
    expect(PointQuantity::AbsoluteHumidity, r.absoluteHumidityGPerM3);
    expect(PointQuantity::MixingRatio, r.mixingRatioGPerKg);
    expect(PointQuantity::Ppmv, r.ppmv);
    EXPECT_TRUE(p.Quantity(PointQuantity::FrostPoint).value.has_value());
    EXPECT_FALSE(p.Quantity(PointQuantity::RelativeHumidityIce).value.has_value())
        << "22 °C is above 0 °C";
    // The dew point's U: the instrument's 0.075 K and the mean's 0.00512345/√601 together.
    EXPECT_NEAR(*p.Quantity(PointQuantity::DewPoint).expanded,
                2.0 * std::hypot(0.075, 0.00512345 / std::sqrt(601.0)), 5e-6);
}

// The same air measured in °F: temperatures and their U in °F (1 K = 1.8 °F), the rest the
// same as in °C, to the file's six digits.
TEST(CalibrationPoint, InFahrenheitTheTemperaturesStayInFahrenheit) {
    PointSource c = Source();
    c.dewPoint = Window(-10.0, 0.009, 0.0, 10);
    c.ambient = Window(22.0, 0.018, 0.0, 10);
    PointSource f = c;
    f.scale = humidity::TemperatureScale::Fahrenheit;
    f.dewPoint = Window(14.0, 0.0162, 0.0, 10);
    f.ambient = Window(71.6, 0.0324, 0.0, 10);
    const CalibrationPoint inC = RecordPoint(c, {});
    const CalibrationPoint inF = RecordPoint(f, {});
    EXPECT_EQ(inF.scale, humidity::TemperatureScale::Fahrenheit);
    for (PointQuantity q :
         {PointQuantity::DewPoint, PointQuantity::AmbientTemperature, PointQuantity::FrostPoint}) {
        SCOPED_TRACE(std::string(PointQuantityColumn(q)));
        ASSERT_TRUE(inC.Quantity(q).value && inF.Quantity(q).value);
        EXPECT_NEAR(*inF.Quantity(q).value, *inC.Quantity(q).value * 1.8 + 32.0, 1e-4);
        EXPECT_NEAR(*inF.Quantity(q).expanded, *inC.Quantity(q).expanded * 1.8, 1e-5);
    }
    for (PointQuantity q :
         {PointQuantity::VapourPressure, PointQuantity::RelativeHumidity, PointQuantity::Ppmv}) {
        SCOPED_TRACE(std::string(PointQuantityColumn(q)));
        EXPECT_NEAR(*inF.Quantity(q).value, *inC.Quantity(q).value, 1e-5 * *inC.Quantity(q).value);
        EXPECT_NEAR(*inF.Quantity(q).expanded, *inC.Quantity(q).expanded,
                    1e-5 * *inC.Quantity(q).expanded);
    }
    // The frost point of a -10 °C dew point is about -8.9 °C, and moves less than it.
    EXPECT_NEAR(*inC.Quantity(PointQuantity::FrostPoint).value, -8.9, 0.05);
    EXPECT_LT(*inC.Quantity(PointQuantity::FrostPoint).expanded,
              *inC.Quantity(PointQuantity::DewPoint).expanded);
}

// A point taken before the window holds anything: nothing computed, nothing that looks so.
TEST(CalibrationPoint, AnEmptyWindowGivesNoQuantities) {
    PointSource s;
    s.time = kTime;
    const CalibrationPoint p = RecordPoint(s, {});
    EXPECT_EQ(p.samples, 0u);
    EXPECT_FALSE(p.stable);
    for (const ValueWithUncertainty& q : p.quantities) {
        EXPECT_FALSE(q.value || q.expanded);
    }
}

TEST(CalibrationPoint, PropagationInputsCarryTheWindowsScatter) {
    const CalibrationPoint p = RecordPoint(Source(), {});
    humidity::FormulationUncertainties f;
    f.enhancementFactor = 0.0;
    const humidity::UncertaintyInputs in = PropagationInputs(p, f);
    EXPECT_EQ(in.dewPoint, -12.3412);
    ASSERT_TRUE(in.dewPointScatter.has_value());
    EXPECT_EQ(*in.dewPointScatter, (humidity::MeanScatter{0.00512345, 601}));
    EXPECT_EQ(in.pressureExpandedHpa, 1.0);
    EXPECT_EQ(in.formulations, f);
}

}  // namespace
}  // namespace calibration
