#pragma once
// A calibration point: the dew point's and the ambient temperature's window at one moment,
// every humidity quantity at the window's means with its expanded uncertainty, the pressure
// and where it came from, whether the dew point was stable, and whether the operator has
// excluded the point. Built from the values the session hands over, with no tie to the poll
// loop.
//
// Its numbers are kept as the points file writes them (six significant digits), and the
// quantities and their uncertainties are computed from those rounded means, spreads and
// input uncertainties: what a point holds, the file holds, and an auditor who recomputes a
// quantity or its U from the file's columns gets the file's value.

#include <QDateTime>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "humidity/formulation_uncertainty.h"
#include "humidity/humidity_inputs.h"
#include "humidity/stability_window.h"
#include "humidity/uncertainty_propagation.h"

namespace calibration {

// The quantities a point holds at the window's means, in the points file's order.
enum class PointQuantity : std::uint8_t {
    DewPoint,
    AmbientTemperature,
    VapourPressure,
    FrostPoint,
    RelativeHumidity,  // over water, the record's relative_humidity_calculated
    RelativeHumidityIce,
    AbsoluteHumidity,
    MixingRatio,
    Ppmv,
};
inline constexpr std::size_t kPointQuantityCount = 9;

// Its column in the points file, the dated record's name: "dew_point_mean",
// "ambient_temperature_mean", "vapour_pressure_pa", ..., "ppmv". Its U is this + "_U".
std::string_view PointQuantityColumn(PointQuantity quantity);

struct ValueWithUncertainty {
    std::optional<double> value;
    std::optional<double> expanded;  // U, k = 2

    bool operator==(const ValueWithUncertainty&) const = default;
};

// One temperature over the window, in the instrument's scale.
struct TemperatureWindow {
    std::optional<double> mean;
    std::optional<double> standardDeviation;
    std::optional<double> driftPerHour;

    bool operator==(const TemperatureWindow&) const = default;
};

struct CalibrationPoint {
    QDateTime time;  // the newest sample's, with its offset from UTC
    std::size_t samples = 0;
    double spanSeconds = 0.0;
    humidity::TemperatureScale scale = humidity::TemperatureScale::Celsius;
    TemperatureWindow dewPoint;
    TemperatureWindow ambient;
    // At the means, indexed by PointQuantity; temperatures in `scale`.
    std::array<ValueWithUncertainty, kPointQuantityCount> quantities{};
    double pressureHpa = humidity::kStandardPressureHpa;
    humidity::PressureSource pressureSource = humidity::PressureSource::Standard;
    // The instrument's expanded uncertainties the quantities' U were propagated from (k = 2):
    // kelvin whatever the scale, and hPa.
    double dewPointExpandedK = humidity::kDefaultTemperatureUncertaintyK;
    double ambientExpandedK = humidity::kDefaultTemperatureUncertaintyK;
    double pressureExpandedHpa = humidity::kAssumedPressureUncertaintyHpa;
    bool stable = false;
    bool excluded = false;

    const ValueWithUncertainty& Quantity(PointQuantity q) const {
        return quantities[static_cast<std::size_t>(q)];
    }
    // The time compared as text too: the same instant with another offset is another point.
    bool operator==(const CalibrationPoint& other) const;
};

// What the session hands over when a point is taken.
struct PointSource {
    QDateTime time;
    humidity::WindowStatistics dewPoint;  // the dew point's window, this sample included
    humidity::WindowStatistics ambient;   // the ambient temperature's window, the same samples
    humidity::TemperatureScale scale = humidity::TemperatureScale::Celsius;
    humidity::ChosenPressure pressure;
    double dewPointExpandedK = humidity::kDefaultTemperatureUncertaintyK;
    double ambientExpandedK = humidity::kDefaultTemperatureUncertaintyK;
    // As configured, else DefaultPressureUncertaintyHpa(pressure.source).
    double pressureExpandedHpa = humidity::kAssumedPressureUncertaintyHpa;
};

// The point, its numbers as the file writes them and its quantities computed from them.
// Stable when the dew point's window is; never excluded.
CalibrationPoint RecordPoint(const PointSource& source,
                             const humidity::FormulationUncertainties& formulations);

// What the point's uncertainties are propagated from: its means, the window's scatter
// (sd/√samples of each temperature) and the instrument's uncertainties. A report prints the
// budget of PropagateUncertainties(PropagationInputs(point, ...)).
humidity::UncertaintyInputs PropagationInputs(
    const CalibrationPoint& point, const humidity::FormulationUncertainties& formulations);

// The quantities and their U at the point's means, as the file writes them; those that need
// a missing mean are empty. RecordPoint fills them so.
std::array<ValueWithUncertainty, kPointQuantityCount> QuantitiesAtMeans(
    const CalibrationPoint& point, const humidity::FormulationUncertainties& formulations);

}  // namespace calibration
