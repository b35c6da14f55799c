#pragma once
// Everything a calibration keeps: the reference instrument and the operator, the
// formulations' uncertainties the points were computed with, the devices under test, and
// the points with each device's reading. The points file (points_file_text.h) holds exactly
// this; the edits below keep it whole (a reading per device for every point, numbers as the
// file writes them), so that what is shown is what the file holds.

#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "calibration/calibration_point.h"
#include "calibration/device_under_test.h"
#include "humidity/formulation_uncertainty.h"

namespace calibration {

inline constexpr std::size_t kMostDevices = 50;
inline constexpr std::size_t kMostPoints = 10000;
// The longest instrument or operator text, in characters.
inline constexpr qsizetype kLongestText = 200;

struct ReferenceInstrument {
    QString identification;  // as the instrument answers it
    QString serialNumber;
    QString firmware;

    bool operator==(const ReferenceInstrument&) const = default;
};

struct RecordedPoint {
    CalibrationPoint point;
    // One per device, in the devices' order, in the device's unit; empty until typed.
    std::vector<std::optional<double>> readings;

    bool operator==(const RecordedPoint&) const = default;
};

struct PointsFile {
    ReferenceInstrument instrument;
    QString operatorName;
    humidity::FormulationUncertainties formulations;
    std::vector<DeviceUnderTest> devices;
    std::vector<RecordedPoint> points;

    bool operator==(const PointsFile&) const = default;
};

// A text as the file keeps it: one line of at most kLongestText characters.
QString FileText(const QString& text);

// The instrument's texts and the operator's name, kept as FileText.
void SetInstrument(PointsFile& file, const ReferenceInstrument& instrument);
void SetOperator(PointsFile& file, const QString& name);

// Appends the point, with no readings; false (and nothing changes) at kMostPoints.
bool AddPoint(PointsFile& file, const CalibrationPoint& point);
// Appends the device, with no reading at any point; false (and nothing changes) for one
// that is not IsValid or at kMostDevices. Its resolution and tolerance are kept as written.
bool AddDevice(PointsFile& file, DeviceUnderTest device);
// Sets or clears a reading, kept as written; false (and nothing changes) for a point or
// device that does not exist or a reading that is not finite.
bool SetReading(PointsFile& file, std::size_t point, std::size_t device,
                std::optional<double> reading);
// Excludes a point from the calibration or takes it back: it stays in the file, marked.
bool SetExcluded(PointsFile& file, std::size_t point, bool excluded);

// A device's reading at a point against the point's reference; empty without a reading or
// a reference.
std::optional<Comparison> CompareAt(const PointsFile& file, std::size_t point, std::size_t device);

}  // namespace calibration
