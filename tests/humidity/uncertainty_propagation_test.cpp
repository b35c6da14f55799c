// The propagated uncertainties against an independent computation: the expanded
// uncertainties below come from uncertainty_reference.py beside this file, which shares no
// code with the propagation (its frost point by bisection, every sensitivity coefficient,
// the formulations' too, by central differences of the whole quantity).
//
// One case worked by hand: relative humidity at Td = 20 °C, T = 30 °C, U(Td) = U(T) = 0.2 K,
// no Type A part, the default formulation uncertainties.
//   RH = 100·ew(20 °C)/ew(30 °C) = 100·2339.262/4247.046 = 55.0797 %
//   d ln ew/dt = 0.0619503 /K at 20 °C and 0.0574076 /K at 30 °C
//   dew point:    c = 55.0797 × 0.0619503 =  3.41221 %/K,  u = 0.2/2 = 0.1 K ->  0.341221 %
//   temperature:  c = -55.0797 × 0.0574076 = -3.16200 %/K, u = 0.1 K          -> -0.316200 %
//   ew at Td:     c =  55.0797 %,  u = 5e-5 (0.005 %, 0..100 °C)              ->  0.002754 %
//   ew at T:      c = -55.0797 %,  u = 5e-5                                   -> -0.002754 %
//   u_c = √(0.341221² + 0.316200² + 2 × 0.002754²) = √0.216429 = 0.465219 %
//   U = 2·u_c = 0.93044 %
#include "humidity/uncertainty_propagation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace humidity {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

struct Expected {
    double dewPoint, ambient, vapourPressure, relativeHumidity, absoluteHumidity, mixingRatio, ppmv;
    double frostPoint = kNone;
    double relativeHumidityIce = kNone;
};

struct Case {
    const char* name;
    UncertaintyInputs inputs;
    Expected value;  // the quantities, to see the case is the one meant
    Expected expanded;
};

UncertaintyInputs Inputs(double dewPoint, double ambient, double pressureHpa, double uTemperature,
                         double uPressure, TemperatureScale scale = TemperatureScale::Celsius) {
    UncertaintyInputs in;
    in.dewPoint = dewPoint;
    in.ambient = ambient;
    in.scale = scale;
    in.pressureHpa = pressureHpa;
    in.dewPointExpandedK = uTemperature;
    in.ambientExpandedK = uTemperature;
    in.pressureExpandedHpa = uPressure;
    return in;
}

UncertaintyInputs WithScatter(UncertaintyInputs in, double dewPointSd, double ambientSd,
                              std::size_t count) {
    in.dewPointScatter = MeanScatter{dewPointSd, count};
    in.ambientScatter = MeanScatter{ambientSd, count};
    return in;
}

const Case kCases[] = {
    {"warm, worked by hand",
     Inputs(20.0, 30.0, 1013.25, 0.2, 1.0),
     {20.0, 30.0, 2350.30069, 55.079749, 16.7989709, 14.7698354, 23746.4797},
     {0.2, 0.2, 29.216, 0.9304384, 0.2091177, 0.1885476, 303.141}},
    {"the same in Fahrenheit",
     Inputs(68.0, 86.0, 1013.25, 0.2, 1.0, TemperatureScale::Fahrenheit),
     {68.0, 86.0, 2350.30069, 55.079749, 16.7989709, 14.7698354, 23746.4797},
     {0.36, 0.36, 29.216, 0.9304384, 0.2091177, 0.1885476, 303.141}},
    {"near saturation, with Type A",
     WithScatter(Inputs(24.5, 25.0, 1013.25, 0.2, 1.0), 0.02, 0.05, 600),
     {24.5, 25.0, 3091.16423, 97.0575366, 22.4648793, 19.5720987, 31467.4085},
     {0.2000067, 0.2000417, 37.1304, 1.640037, 0.2702639, 0.2433055, 391.179}},
    {"hot and humid, pressure assumed",
     Inputs(60.0, 70.0, 1013.25, 0.1, 30.0),
     {60.0, 70.0, 20041.6027, 63.930339, 126.550909, 153.358206, 246564.53},
     {0.1, 0.1, 94.93089, 0.4050315, 0.600566, 5.713916, 9186.655}},
    {"over ice, with Type A",
     WithScatter(Inputs(-40.0, -20.0, 1000.0, 0.2, 1.0), 0.03, 0.01, 300),
     {-40.0, -20.0, 19.1200872, 15.1541381, 0.163654804, 0.118945861, 191.237437, -36.4681431,
      18.4352184},
     {0.20003, 0.2000033, 0.4244899, 0.4300128, 0.003635642, 0.002643913, 4.250801, 0.2049658,
      0.5423582}},
    {"very dry, pressure assumed",
     Inputs(-60.0, 23.0, 1013.25, 0.2, 30.0),
     {-60.0, 23.0, 1.95722277, 0.0692992887, 0.0143200768, 0.0120145762, 19.3166601, -55.5528197},
     {0.2, 0.2, 0.05457304, 0.002105425, 0.0003994023, 0.0004878034, 0.784275, 0.2190248}},
};

// Each quantity of the result by name, with its value and U; `expected` NaN: it must be
// absent.
void ExpectQuantity(const char* name, const std::optional<QuantityUncertainty>& got,
                    double expectedValue, double expectedU) {
    SCOPED_TRACE(name);
    if (std::isnan(expectedU)) {
        EXPECT_FALSE(got.has_value());
        return;
    }
    ASSERT_TRUE(got.has_value());
    EXPECT_NEAR(got->value, expectedValue, std::fabs(expectedValue) * 1e-6 + 1e-9);
    // The reference's central differences hold to about 1e-7; its printed digits to 1e-7.
    EXPECT_NEAR(got->expanded, expectedU, expectedU * 2e-6);
    EXPECT_DOUBLE_EQ(got->expanded, 2.0 * got->standardUncertainty);
    double sum = 0.0;
    for (const Contribution& c : got->Budget()) {
        EXPECT_DOUBLE_EQ(c.contribution, c.sensitivity * c.standardUncertainty);
        sum += c.contribution * c.contribution;
    }
    EXPECT_NEAR(got->standardUncertainty, std::sqrt(sum), 1e-12 * got->standardUncertainty);
}

TEST(UncertaintyPropagation, AgreesWithTheIndependentComputation) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const PropagatedUncertainties r = PropagateUncertainties(c.inputs);
        ExpectQuantity("dew point", r.dewPoint, c.value.dewPoint, c.expanded.dewPoint);
        ExpectQuantity("ambient", r.ambientTemperature, c.value.ambient, c.expanded.ambient);
        ExpectQuantity("vapour pressure", r.vapourPressurePa, c.value.vapourPressure,
                       c.expanded.vapourPressure);
        ExpectQuantity("relative humidity", r.relativeHumidityCalculated, c.value.relativeHumidity,
                       c.expanded.relativeHumidity);
        ExpectQuantity("absolute humidity", r.absoluteHumidityGPerM3, c.value.absoluteHumidity,
                       c.expanded.absoluteHumidity);
        ExpectQuantity("mixing ratio", r.mixingRatioGPerKg, c.value.mixingRatio,
                       c.expanded.mixingRatio);
        ExpectQuantity("ppmv", r.ppmv, c.value.ppmv, c.expanded.ppmv);
        ExpectQuantity("frost point", r.frostPoint, c.value.frostPoint, c.expanded.frostPoint);
        ExpectQuantity("relative humidity over ice", r.relativeHumidityIce,
                       c.value.relativeHumidityIce, c.expanded.relativeHumidityIce);
    }
}

TEST(UncertaintyPropagation, TheBudgetWorkedByHand) {
    const PropagatedUncertainties r = PropagateUncertainties(kCases[0].inputs);
    ASSERT_TRUE(r.relativeHumidityCalculated.has_value());
    const auto budget = r.relativeHumidityCalculated->Budget();
    ASSERT_EQ(budget.size(), 4u);
    EXPECT_EQ(budget[0].source, UncertaintySource::DewPointInstrument);
    EXPECT_DOUBLE_EQ(budget[0].standardUncertainty, 0.1);
    EXPECT_NEAR(budget[0].sensitivity, 3.41221, 1e-5);
    EXPECT_EQ(budget[1].source, UncertaintySource::AmbientInstrument);
    EXPECT_NEAR(budget[1].contribution, -0.316200, 1e-6);
    EXPECT_EQ(budget[2].source, UncertaintySource::WaterAtDewPoint);
    EXPECT_NEAR(budget[2].contribution, 0.002754, 1e-6);
    EXPECT_EQ(budget[3].source, UncertaintySource::WaterAtAmbient);
    EXPECT_NEAR(budget[3].contribution, -0.002754, 1e-6);
    EXPECT_NEAR(r.relativeHumidityCalculated->standardUncertainty, 0.465219, 1e-6);
    EXPECT_NEAR(r.relativeHumidityCalculated->expanded, 0.93044, 1e-5);
}

// The sensitivity coefficients of the dew point, the ambient temperature and the pressure
// against central differences of ComputeQuantities itself, in the instrument's scale.
TEST(UncertaintyPropagation, SensitivitiesMatchCentralDifferences) {
    using Getter = std::optional<double> (*)(const HumidityQuantities&);
    struct Named {
        const char* name;
        std::optional<QuantityUncertainty> PropagatedUncertainties::*result;
        Getter value;
    };
    const Named quantities[] = {
        {"vapour pressure", &PropagatedUncertainties::vapourPressurePa,
         [](const HumidityQuantities& q) { return q.vapourPressurePa; }},
        {"frost point", &PropagatedUncertainties::frostPoint,
         [](const HumidityQuantities& q) { return q.frostPoint; }},
        {"relative humidity", &PropagatedUncertainties::relativeHumidityCalculated,
         [](const HumidityQuantities& q) { return q.relativeHumidityCalculated; }},
        {"relative humidity over ice", &PropagatedUncertainties::relativeHumidityIce,
         [](const HumidityQuantities& q) { return q.relativeHumidityIce; }},
        {"absolute humidity", &PropagatedUncertainties::absoluteHumidityGPerM3,
         [](const HumidityQuantities& q) { return q.absoluteHumidityGPerM3; }},
        {"mixing ratio", &PropagatedUncertainties::mixingRatioGPerKg,
         [](const HumidityQuantities& q) { return q.mixingRatioGPerKg; }},
        {"ppmv", &PropagatedUncertainties::ppmv,
         [](const HumidityQuantities& q) { return q.ppmv; }},
    };
    int checked = 0;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const UncertaintyInputs& in = c.inputs;
        const PropagatedUncertainties r = PropagateUncertainties(in);
        const double perKelvin = in.scale == TemperatureScale::Fahrenheit ? 1.8 : 1.0;
        // The change of a quantity over ±h of one input, h in kelvin (or hPa).
        const auto difference = [&](Getter value, int input, double h) {
            const auto at = [&](double sign) {
                const double dt = sign * h * perKelvin;
                const HumidityQuantities q = ComputeQuantities(
                    in.dewPoint + (input == 0 ? dt : 0.0), in.ambient + (input == 1 ? dt : 0.0),
                    in.scale, in.pressureHpa + (input == 2 ? sign * h : 0.0));
                return *value(q);
            };
            return (at(1.0) - at(-1.0)) / (2.0 * h);
        };
        for (const Named& n : quantities) {
            const std::optional<QuantityUncertainty>& got = r.*(n.result);
            if (!got) {
                continue;
            }
            SCOPED_TRACE(n.name);
            for (const Contribution& term : got->Budget()) {
                int input = -1;
                double h = 1e-4;
                switch (term.source) {
                    case UncertaintySource::DewPointInstrument:
                        input = 0;
                        break;
                    case UncertaintySource::AmbientInstrument:
                        input = 1;
                        break;
                    case UncertaintySource::Pressure:
                        input = 2;
                        h = 1e-3;
                        break;
                    default:
                        continue;
                }
                SCOPED_TRACE(std::string(UncertaintySourceName(term.source)));
                const double expected = difference(n.value, input, h);
                EXPECT_NEAR(term.sensitivity, expected, std::fabs(expected) * 1e-6 + 1e-12);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 60);
}

// The Type A part enters once per temperature, as sd/√n brought to kelvin.
TEST(UncertaintyPropagation, TheTypeAPartInKelvin) {
    UncertaintyInputs in = Inputs(50.0, 77.0, 1013.25, 0.2, 1.0, TemperatureScale::Fahrenheit);
    in.dewPointScatter = MeanScatter{0.9, 9};  // 0.3 °F of the mean: 1/6 K
    const PropagatedUncertainties r = PropagateUncertainties(in);
    ASSERT_TRUE(r.dewPoint.has_value());
    const auto budget = r.dewPoint->Budget();
    ASSERT_EQ(budget.size(), 2u);
    EXPECT_EQ(budget[1].source, UncertaintySource::DewPointScatter);
    EXPECT_NEAR(budget[1].standardUncertainty, 0.3 / 1.8, 1e-12);
    EXPECT_DOUBLE_EQ(budget[1].sensitivity, 1.8);
    // √(0.1² + (1/6)²) K = 0.194365 K; in °F, × 1.8, and U twice that.
    EXPECT_NEAR(r.dewPoint->expanded, 2.0 * 1.8 * std::hypot(0.1, 1.0 / 6.0), 1e-12);
    ASSERT_TRUE(r.ambientTemperature.has_value());
    EXPECT_EQ(r.ambientTemperature->Budget().size(), 1u) << "no Type A given for it";
}

TEST(UncertaintyPropagation, EmptyQuantitiesHaveNoUncertainty) {
    // The pressure out of range: only what needs no pressure.
    PropagatedUncertainties r = PropagateUncertainties(Inputs(-5.0, -2.0, 0.5, 0.2, 1.0));
    EXPECT_TRUE(r.dewPoint && r.ambientTemperature && r.frostPoint &&
                r.relativeHumidityCalculated && r.relativeHumidityIce);
    EXPECT_FALSE(r.vapourPressurePa || r.absoluteHumidityGPerM3 || r.mixingRatioGPerKg || r.ppmv);

    // The ambient temperature out of the formulations' range: nothing that needs it.
    r = PropagateUncertainties(Inputs(10.0, 150.0, 1013.25, 0.2, 1.0));
    EXPECT_TRUE(r.vapourPressurePa && r.mixingRatioGPerKg && r.ppmv && r.ambientTemperature);
    EXPECT_FALSE(r.relativeHumidityCalculated || r.absoluteHumidityGPerM3);

    // Above 0 °C: no frost point, no RH over ice; a dew point that is no number: nothing.
    r = PropagateUncertainties(Inputs(10.0, 20.0, 1013.25, 0.2, 1.0));
    EXPECT_FALSE(r.frostPoint || r.relativeHumidityIce);
    r = PropagateUncertainties(Inputs(std::nan(""), 20.0, 1013.25, 0.2, 1.0));
    EXPECT_FALSE(r.dewPoint || r.vapourPressurePa || r.relativeHumidityCalculated);
    EXPECT_TRUE(r.ambientTemperature.has_value());

    // The vapour pressure at the pressure: no mixing ratio or ppmv, as without uncertainty.
    r = PropagateUncertainties(Inputs(99.0, 99.0, 50.0, 0.2, 1.0));
    EXPECT_TRUE(r.vapourPressurePa.has_value());
    EXPECT_FALSE(r.mixingRatioGPerKg || r.ppmv);
}

TEST(UncertaintyInputs, DefaultsAndTheWindowsScatter) {
    EXPECT_EQ(DefaultPressureUncertaintyHpa(PressureSource::CommandLine), 1.0);
    EXPECT_EQ(DefaultPressureUncertaintyHpa(PressureSource::Instrument), 1.0);
    EXPECT_EQ(DefaultPressureUncertaintyHpa(PressureSource::Standard), 30.0);

    WindowStatistics w;
    EXPECT_FALSE(MeanScatterOf(w).has_value());
    w.count = 1;
    w.mean = 5.0;
    EXPECT_FALSE(MeanScatterOf(w).has_value()) << "one sample has no standard deviation";
    w.count = 400;
    w.standardDeviation = 0.04;
    ASSERT_TRUE(MeanScatterOf(w).has_value());
    EXPECT_DOUBLE_EQ(StandardUncertaintyOfMean(*MeanScatterOf(w)), 0.002);
    EXPECT_EQ(StandardUncertaintyOfMean(MeanScatter{0.5, 0}), 0.0);
}

TEST(FormulationUncertainty, AlongTheTemperature) {
    const FormulationUncertainties u;
    struct Row {
        double celsius, water, ice;
    };
    const Row rows[] = {
        {100.0, 5e-5, 1.6e-4},      {25.0, 5e-5, 1.6e-4}, {0.0, 5e-5, 1.6e-4},
        {-50.0, 5.025e-3, 2.58e-3}, {-100.0, 1e-2, 5e-3}, {-120.0, 1e-2, 5e-3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.celsius);
        EXPECT_NEAR(WaterFormulationUncertainty(row.celsius, u), row.water, 1e-15);
        EXPECT_NEAR(IceFormulationUncertainty(row.celsius, u), row.ice, 1e-15);
    }
}

TEST(UncertaintySources, NamesAndUnits) {
    EXPECT_EQ(UncertaintySourceName(UncertaintySource::DewPointScatter), "dew_point_type_a");
    EXPECT_EQ(UncertaintySourceName(UncertaintySource::EnhancementFactor), "enhancement_factor");
    EXPECT_EQ(UncertaintySourceUnit(UncertaintySource::AmbientScatter), "K");
    EXPECT_EQ(UncertaintySourceUnit(UncertaintySource::Pressure), "hPa");
    EXPECT_EQ(UncertaintySourceUnit(UncertaintySource::IceAtFrostPoint), "1");
}

}  // namespace
}  // namespace humidity
