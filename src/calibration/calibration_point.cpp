#include "calibration/calibration_point.h"

#include <cmath>

#include "calibration/point_texts.h"

namespace calibration {

namespace {

constexpr std::array<std::string_view, kPointQuantityCount> kColumns = {
    "dew_point_mean",
    "ambient_temperature_mean",
    "vapour_pressure_pa",
    "frost_point",
    "relative_humidity_calculated",
    "relative_humidity_ice",
    "absolute_humidity_g_m3",
    "mixing_ratio_g_kg",
    "ppmv",
};

TemperatureWindow WindowAsWritten(const humidity::WindowStatistics& w) {
    return {AsWritten(w.mean), AsWritten(w.standardDeviation), AsWritten(w.driftPerHour)};
}

std::optional<humidity::MeanScatter> Scatter(std::optional<double> sd, std::size_t samples) {
    if (!sd) {
        return std::nullopt;
    }
    return humidity::MeanScatter{*sd, samples};
}

ValueWithUncertainty AsWritten(const std::optional<humidity::QuantityUncertainty>& q) {
    if (!q) {
        return {};
    }
    return {calibration::AsWritten(q->value), calibration::AsWritten(q->expanded)};
}

}  // namespace

std::string_view PointQuantityColumn(PointQuantity quantity) {
    return kColumns[static_cast<std::size_t>(quantity)];
}

bool CalibrationPoint::operator==(const CalibrationPoint& other) const {
    return time == other.time && TimeText(time) == TimeText(other.time) &&
           samples == other.samples && spanSeconds == other.spanSeconds && scale == other.scale &&
           dewPoint == other.dewPoint && ambient == other.ambient &&
           quantities == other.quantities && pressureHpa == other.pressureHpa &&
           pressureSource == other.pressureSource && dewPointExpandedK == other.dewPointExpandedK &&
           ambientExpandedK == other.ambientExpandedK &&
           pressureExpandedHpa == other.pressureExpandedHpa && stable == other.stable &&
           excluded == other.excluded;
}

humidity::UncertaintyInputs PropagationInputs(
    const CalibrationPoint& point, const humidity::FormulationUncertainties& formulations) {
    humidity::UncertaintyInputs in;
    // A missing mean is no number: what needs it stays empty.
    in.dewPoint = point.dewPoint.mean.value_or(std::nan(""));
    in.ambient = point.ambient.mean.value_or(std::nan(""));
    in.scale = point.scale;
    in.pressureHpa = point.pressureHpa;
    in.dewPointExpandedK = point.dewPointExpandedK;
    in.ambientExpandedK = point.ambientExpandedK;
    in.pressureExpandedHpa = point.pressureExpandedHpa;
    in.dewPointScatter = Scatter(point.dewPoint.standardDeviation, point.samples);
    in.ambientScatter = Scatter(point.ambient.standardDeviation, point.samples);
    in.formulations = formulations;
    return in;
}

std::array<ValueWithUncertainty, kPointQuantityCount> QuantitiesAtMeans(
    const CalibrationPoint& point, const humidity::FormulationUncertainties& formulations) {
    const humidity::PropagatedUncertainties r =
        humidity::PropagateUncertainties(PropagationInputs(point, formulations));
    return {
        AsWritten(r.dewPoint),
        AsWritten(r.ambientTemperature),
        AsWritten(r.vapourPressurePa),
        AsWritten(r.frostPoint),
        AsWritten(r.relativeHumidityCalculated),
        AsWritten(r.relativeHumidityIce),
        AsWritten(r.absoluteHumidityGPerM3),
        AsWritten(r.mixingRatioGPerKg),
        AsWritten(r.ppmv),
    };
}

CalibrationPoint RecordPoint(const PointSource& source,
                             const humidity::FormulationUncertainties& formulations) {
    CalibrationPoint point;
    point.time = source.time;
    point.samples = source.dewPoint.count;
    point.spanSeconds = AsWritten(source.dewPoint.spanSeconds);
    point.scale = source.scale;
    point.dewPoint = WindowAsWritten(source.dewPoint);
    point.ambient = WindowAsWritten(source.ambient);
    point.pressureHpa = AsWritten(source.pressure.hpa);
    point.pressureSource = source.pressure.source;
    point.dewPointExpandedK = AsWritten(source.dewPointExpandedK);
    point.ambientExpandedK = AsWritten(source.ambientExpandedK);
    point.pressureExpandedHpa = AsWritten(source.pressureExpandedHpa);
    point.stable = source.dewPoint.stable;
    point.quantities = QuantitiesAtMeans(point, formulations);
    return point;
}

}  // namespace calibration
