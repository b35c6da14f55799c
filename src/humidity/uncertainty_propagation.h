#pragma once
// The uncertainty of every humidity quantity by the law of propagation of uncertainty (GUM,
// uncorrelated inputs): u_c(y)² = Σ (c_i·u(x_i))², U = 2·u_c. Each quantity comes with its
// budget (each input's standard uncertainty, sensitivity coefficient and contribution), so
// a report can print it and an auditor recompute it. Sensitivity coefficients are analytic,
// with the slopes of the saturation curves by central differences; one call costs the same
// whatever the window holds. Standard library only.
//
// The inputs, all uncorrelated:
// - the dew point and the ambient temperature as the instrument gives them: their expanded
//   uncertainties (k = 2) in kelvin whatever the instrument's scale;
// - their Type A part, the standard deviation of the window's mean (sd/√n), when given;
// - the pressure: its expanded uncertainty (k = 2) in hPa;
// - each evaluation of a formulation, as a relative error: ew at the dew point, ew at the
//   ambient temperature, ei at the ambient temperature, ei at the frost point, and f(P).
//   The curve over water at Td and at T are taken as independent, which overstates the
//   formulation's part of RH a little where Td and T are close (it cancels there).
//
// A quantity that ComputeQuantities leaves empty has no uncertainty either; temperatures
// (the dew point, the ambient temperature, the frost point) come back in the instrument's
// scale, their uncertainties in degrees of that scale (1 K = 1.8 °F).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "humidity/formulation_uncertainty.h"
#include "humidity/humidity_inputs.h"
#include "humidity/humidity_quantities.h"
#include "humidity/stability_window.h"

namespace humidity {

inline constexpr double kCoverageFactor = 2.0;
// The defaults of U(Td) and U(T), kelvin.
inline constexpr double kDefaultTemperatureUncertaintyK = 0.2;
// The defaults of U(P), hPa: for a pressure given on the command line or read from the
// instrument, and for the standard atmosphere assumed when neither tells.
inline constexpr double kKnownPressureUncertaintyHpa = 1.0;
inline constexpr double kAssumedPressureUncertaintyHpa = 30.0;

// U(P) when none is configured, for the pressure's source.
double DefaultPressureUncertaintyHpa(PressureSource source);

// The Type A part of a mean over the window: its samples' standard deviation (n - 1) in the
// instrument's scale, and their count.
struct MeanScatter {
    double standardDeviation = 0.0;
    std::size_t count = 0;

    bool operator==(const MeanScatter&) const = default;
};

// sd/√n, in the instrument's scale; 0 for no samples.
double StandardUncertaintyOfMean(const MeanScatter& scatter);
// The window's scatter; empty while it has no standard deviation (fewer than 2 samples).
std::optional<MeanScatter> MeanScatterOf(const WindowStatistics& statistics);

struct UncertaintyInputs {
    // Temperatures in `scale`, as the instrument gives them; pressure in hPa.
    double dewPoint = 0.0;
    double ambient = 0.0;
    TemperatureScale scale = TemperatureScale::Celsius;
    double pressureHpa = kStandardPressureHpa;
    // Expanded uncertainties (k = 2): kelvin whatever the scale, and hPa; finite and not
    // below zero (what the operator types is checked before it comes here).
    double dewPointExpandedK = kDefaultTemperatureUncertaintyK;
    double ambientExpandedK = kDefaultTemperatureUncertaintyK;
    double pressureExpandedHpa = kKnownPressureUncertaintyHpa;
    // Type A parts: none for a single sample.
    std::optional<MeanScatter> dewPointScatter;
    std::optional<MeanScatter> ambientScatter;
    FormulationUncertainties formulations;
};

enum class UncertaintySource : std::uint8_t {
    DewPointInstrument,
    DewPointScatter,
    AmbientInstrument,
    AmbientScatter,
    Pressure,
    WaterAtDewPoint,
    WaterAtAmbient,
    IceAtAmbient,
    IceAtFrostPoint,
    EnhancementFactor,
};
inline constexpr std::size_t kUncertaintySourceCount = 10;

// "dew_point_instrument", "dew_point_type_a", ..., "enhancement_factor": the input's name in
// files and budgets.
std::string_view UncertaintySourceName(UncertaintySource source);
// The unit of the input's standard uncertainty: "K", "hPa", or "1" for a relative one.
std::string_view UncertaintySourceUnit(UncertaintySource source);

struct Contribution {
    UncertaintySource source = UncertaintySource::DewPointInstrument;
    double standardUncertainty = 0.0;  // u(x_i), in the input's unit
    double sensitivity = 0.0;          // c_i = ∂y/∂x_i: the quantity's unit per input's unit
    double contribution = 0.0;         // c_i·u(x_i), in the quantity's unit
};

// The most inputs one quantity depends on (absolute humidity's).
inline constexpr std::size_t kMostContributions = 7;

struct QuantityUncertainty {
    double value = 0.0;
    std::array<Contribution, kMostContributions> contributions{};
    std::size_t contributionCount = 0;
    double standardUncertainty = 0.0;  // u_c
    double expanded = 0.0;             // U = kCoverageFactor·u_c

    std::span<const Contribution> Budget() const {
        return {contributions.data(), contributionCount};
    }
};

struct PropagatedUncertainties {
    // The values, as ComputeQuantities gives them for the same inputs.
    HumidityQuantities quantities;
    // The dew point and the ambient temperature themselves: whenever they are finite.
    std::optional<QuantityUncertainty> dewPoint;
    std::optional<QuantityUncertainty> ambientTemperature;
    // The rest exactly when `quantities` has them; named as there.
    std::optional<QuantityUncertainty> vapourPressurePa;
    std::optional<QuantityUncertainty> frostPoint;
    std::optional<QuantityUncertainty> relativeHumidityCalculated;
    std::optional<QuantityUncertainty> relativeHumidityIce;
    std::optional<QuantityUncertainty> absoluteHumidityGPerM3;
    std::optional<QuantityUncertainty> mixingRatioGPerKg;
    std::optional<QuantityUncertainty> ppmv;
};

PropagatedUncertainties PropagateUncertainties(const UncertaintyInputs& inputs);

}  // namespace humidity
