#pragma once
// A device under test beside the reference: what it reads, in which unit, its resolution and
// its tolerance; and its reading at a point compared with the reference.
//
// The reference of a device is the point's relative humidity over water, mean dew point or
// mean ambient temperature, with its expanded uncertainty U_ref, brought to the device's
// unit (a U in kelvin or °C is 1.8 times as many °F). The deviation is reading - reference,
// in the device's unit. Its expanded uncertainty combines U_ref with the device's
// resolution r, a rectangular distribution of half-width r/2 (standard uncertainty
// r/(2·√3)):
//   U_dev = 2·√((U_ref/2)² + (r/(2·√3))²)
// The verdict is GuardBandVerdict(deviation, U_dev, tolerance).

#include <QString>
#include <optional>
#include <string_view>

#include "calibration/calibration_point.h"
#include "calibration/guard_band.h"

namespace calibration {

enum class DeviceQuantity { RelativeHumidity, DewPoint, Temperature };
// Percent for relative humidity; °C or °F for the temperatures.
enum class DeviceUnit { Percent, Celsius, Fahrenheit };

struct DeviceUnderTest {
    QString name;
    DeviceQuantity quantity = DeviceQuantity::RelativeHumidity;
    DeviceUnit unit = DeviceUnit::Percent;
    double resolution = 0.0;  // in `unit`, 0 or more
    double tolerance = 0.0;   // ±, in `unit`, 0 or more

    bool operator==(const DeviceUnderTest&) const = default;
};

// The longest name a device may have, in characters.
inline constexpr qsizetype kLongestDeviceName = 200;

// A name of 1 to kLongestDeviceName characters with no control characters and not only
// blanks, a unit that fits the quantity, a finite resolution and tolerance not below zero.
bool IsValid(const DeviceUnderTest& device);

// "relative_humidity", "dew_point", "temperature"; "%", "°C", "°F": as the file writes them.
std::string_view DeviceQuantityName(DeviceQuantity quantity);
std::string_view DeviceUnitName(DeviceUnit unit);
std::optional<DeviceQuantity> DeviceQuantityFromName(QStringView name);
std::optional<DeviceUnit> DeviceUnitFromName(QStringView name);

struct Reference {
    double value = 0.0;
    double expanded = 0.0;  // U, k = 2
};

// The point's reference for the device, in the device's unit; empty when the point has no
// such value or no uncertainty for it, or the unit does not fit the quantity.
std::optional<Reference> ReferenceFor(const CalibrationPoint& point, const DeviceUnderTest& device);

// U_dev of a deviation: U_ref and the resolution in the same unit.
double DeviationExpandedUncertainty(double referenceExpanded, double resolution);

struct Comparison {
    double deviation = 0.0;  // reading - reference, in the device's unit
    double expanded = 0.0;   // U_dev
    Verdict verdict = Verdict::Inconclusive;
};

// The reading (in the device's unit) against the point's reference; empty without a
// reference or for a reading that is not finite.
std::optional<Comparison> CompareReading(const CalibrationPoint& point,
                                         const DeviceUnderTest& device, double reading);

}  // namespace calibration
