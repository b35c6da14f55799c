#pragma once
// The humidity of each sample as a run sees it: the quantities of the sample, the dew point's
// window after it, and the quantities at the window's means, for the scale and the pressure
// the run knows at that moment. Standard library only; not thread-safe (its owner guards it).
//
// The window holds the dew point in the instrument's scale, as the criteria are given; when
// the scale changes, the windows start afresh, since degrees of two scales do not compare.

#include <cstdint>
#include <optional>

#include "humidity/humidity_inputs.h"
#include "humidity/humidity_quantities.h"
#include "humidity/stability_window.h"

namespace humidity {

struct SampleHumidity {
    HumidityQuantities quantities;  // of the sample
    WindowStatistics statistics;    // of the dew point, this sample included
    // At the window's mean dew point and mean ambient temperature: what a calibration point
    // is written down as. Empty while the window holds nothing.
    std::optional<HumidityQuantities> atMean;
    std::optional<double> ambientMean;
    TemperatureScale scale = TemperatureScale::Celsius;
    PressureSource pressureSource = PressureSource::Standard;
    StabilityCriteria criteria;
};

class HumidityTracker {
  public:
    // `commandLinePressureHpa`: `--pressure`, which wins over the instrument's setting.
    explicit HumidityTracker(std::optional<double> commandLinePressureHpa = std::nullopt,
                             const StabilityCriteria& criteria = {});

    // The instrument's scale once its settings are known.
    void SetScale(TemperatureScale scale);
    // The instrument's `Pressure` setting, hundredths of a bar, once read.
    void SetInstrumentPressure(std::int32_t hundredthsOfBar);
    // As StabilityWindow::SetCriteria.
    bool SetCriteria(const StabilityCriteria& criteria);

    const StabilityCriteria& Criteria() const { return dewPoint_.Criteria(); }
    TemperatureScale Scale() const { return scale_; }
    ChosenPressure Pressure() const;

    // A sample taken at `timeSeconds` (any steady scale), temperatures in the instrument's
    // scale.
    SampleHumidity Add(double timeSeconds, double dewPoint, double ambient);

  private:
    std::optional<double> commandLinePressure_;
    std::optional<std::int32_t> instrumentPressure_;
    TemperatureScale scale_ = TemperatureScale::Celsius;
    StabilityWindow dewPoint_;
    // The same window over the ambient temperature, for its mean alone.
    StabilityWindow ambient_;
};

}  // namespace humidity
