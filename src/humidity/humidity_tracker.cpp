#include "humidity/humidity_tracker.h"

namespace humidity {

HumidityTracker::HumidityTracker(std::optional<double> commandLinePressureHpa,
                                 const StabilityCriteria& criteria)
    : commandLinePressure_(commandLinePressureHpa), dewPoint_(criteria), ambient_(criteria) {}

void HumidityTracker::SetScale(TemperatureScale scale) {
    if (scale == scale_) {
        return;
    }
    scale_ = scale;
    dewPoint_.Clear();
    ambient_.Clear();
}

void HumidityTracker::SetInstrumentPressure(std::int32_t hundredthsOfBar) {
    instrumentPressure_ = hundredthsOfBar;
}

bool HumidityTracker::SetCriteria(const StabilityCriteria& criteria) {
    if (!dewPoint_.SetCriteria(criteria)) {
        return false;
    }
    ambient_.SetCriteria(criteria);
    return true;
}

ChosenPressure HumidityTracker::Pressure() const {
    return ChoosePressure(commandLinePressure_, instrumentPressure_);
}

SampleHumidity HumidityTracker::Add(double timeSeconds, double dewPoint, double ambient) {
    const ChosenPressure pressure = Pressure();
    dewPoint_.Add(timeSeconds, dewPoint);
    ambient_.Add(timeSeconds, ambient);
    SampleHumidity h;
    h.quantities = ComputeQuantities(dewPoint, ambient, scale_, pressure.hpa);
    h.statistics = dewPoint_.Statistics();
    h.ambientMean = ambient_.Statistics().mean;
    if (h.statistics.mean && h.ambientMean) {
        h.atMean = ComputeQuantities(*h.statistics.mean, *h.ambientMean, scale_, pressure.hpa);
    }
    h.scale = scale_;
    h.pressureSource = pressure.source;
    h.criteria = dewPoint_.Criteria();
    return h;
}

}  // namespace humidity
