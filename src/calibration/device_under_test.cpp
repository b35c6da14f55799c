#include "calibration/device_under_test.h"

#include <cmath>

namespace calibration {

namespace {

constexpr double kFahrenheitPerKelvin = 1.8;

bool IsTemperature(DeviceQuantity quantity) {
    return quantity != DeviceQuantity::RelativeHumidity;
}

bool UnitFits(const DeviceUnderTest& device) {
    return IsTemperature(device.quantity) ? device.unit != DeviceUnit::Percent
                                          : device.unit == DeviceUnit::Percent;
}

bool NameIsValid(const QString& name) {
    if (name.isEmpty() || name.size() > kLongestDeviceName || name.trimmed().isEmpty()) {
        return false;
    }
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsValid(const DeviceUnderTest& device) {
    return NameIsValid(device.name) && UnitFits(device) && std::isfinite(device.resolution) &&
           device.resolution >= 0.0 && std::isfinite(device.tolerance) && device.tolerance >= 0.0;
}

std::string_view DeviceQuantityName(DeviceQuantity quantity) {
    switch (quantity) {
        case DeviceQuantity::RelativeHumidity:
            return "relative_humidity";
        case DeviceQuantity::DewPoint:
            return "dew_point";
        case DeviceQuantity::Temperature:
            break;
    }
    return "temperature";
}

std::string_view DeviceUnitName(DeviceUnit unit) {
    switch (unit) {
        case DeviceUnit::Percent:
            return "%";
        case DeviceUnit::Celsius:
            return "°C";
        case DeviceUnit::Fahrenheit:
            break;
    }
    return "°F";
}

std::optional<DeviceQuantity> DeviceQuantityFromName(QStringView name) {
    for (DeviceQuantity q : {DeviceQuantity::RelativeHumidity, DeviceQuantity::DewPoint,
                             DeviceQuantity::Temperature}) {
        if (name == QString::fromUtf8(DeviceQuantityName(q))) {
            return q;
        }
    }
    return std::nullopt;
}

std::optional<DeviceUnit> DeviceUnitFromName(QStringView name) {
    for (DeviceUnit u : {DeviceUnit::Percent, DeviceUnit::Celsius, DeviceUnit::Fahrenheit}) {
        if (name == QString::fromUtf8(DeviceUnitName(u))) {
            return u;
        }
    }
    return std::nullopt;
}

std::optional<Reference> ReferenceFor(const CalibrationPoint& point,
                                      const DeviceUnderTest& device) {
    if (!UnitFits(device)) {
        return std::nullopt;
    }
    const PointQuantity quantity =
        device.quantity == DeviceQuantity::RelativeHumidity ? PointQuantity::RelativeHumidity
        : device.quantity == DeviceQuantity::DewPoint       ? PointQuantity::DewPoint
                                                            : PointQuantity::AmbientTemperature;
    const ValueWithUncertainty& q = point.Quantity(quantity);
    if (!q.value || !q.expanded) {
        return std::nullopt;
    }
    if (!IsTemperature(device.quantity)) {
        return Reference{*q.value, *q.expanded};
    }
    // The point's temperatures are in the instrument's scale; the device has its own.
    const humidity::TemperatureScale deviceScale = device.unit == DeviceUnit::Fahrenheit
                                                       ? humidity::TemperatureScale::Fahrenheit
                                                       : humidity::TemperatureScale::Celsius;
    const double celsius = humidity::ToCelsius(*q.value, point.scale);
    const double perInstrumentDegree =
        (deviceScale == humidity::TemperatureScale::Fahrenheit ? kFahrenheitPerKelvin : 1.0) /
        (point.scale == humidity::TemperatureScale::Fahrenheit ? kFahrenheitPerKelvin : 1.0);
    return Reference{humidity::FromCelsius(celsius, deviceScale),
                     *q.expanded * perInstrumentDegree};
}

double DeviationExpandedUncertainty(double referenceExpanded, double resolution) {
    const double referenceStandard = referenceExpanded / humidity::kCoverageFactor;
    const double resolutionStandard = resolution / (2.0 * std::sqrt(3.0));
    return humidity::kCoverageFactor * std::hypot(referenceStandard, resolutionStandard);
}

std::optional<Comparison> CompareReading(const CalibrationPoint& point,
                                         const DeviceUnderTest& device, double reading) {
    const std::optional<Reference> reference = ReferenceFor(point, device);
    if (!reference || !std::isfinite(reading)) {
        return std::nullopt;
    }
    Comparison c;
    c.deviation = reading - reference->value;
    c.expanded = DeviationExpandedUncertainty(reference->expanded, device.resolution);
    c.verdict = GuardBandVerdict(c.deviation, c.expanded, device.tolerance);
    return c;
}

}  // namespace calibration
