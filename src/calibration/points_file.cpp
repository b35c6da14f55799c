#include "calibration/points_file.h"

#include <cmath>

#include "calibration/csv_fields.h"
#include "calibration/point_texts.h"

namespace calibration {

QString FileText(const QString& text) {
    return SingleLine(text).left(kLongestText);
}

void SetInstrument(PointsFile& file, const ReferenceInstrument& instrument) {
    file.instrument = {FileText(instrument.identification), FileText(instrument.serialNumber),
                       FileText(instrument.firmware)};
}

void SetOperator(PointsFile& file, const QString& name) {
    file.operatorName = FileText(name);
}

bool AddPoint(PointsFile& file, const CalibrationPoint& point) {
    if (file.points.size() >= kMostPoints) {
        return false;
    }
    file.points.push_back({point, std::vector<std::optional<double>>(file.devices.size())});
    return true;
}

bool AddDevice(PointsFile& file, DeviceUnderTest device) {
    if (!IsValid(device) || file.devices.size() >= kMostDevices) {
        return false;
    }
    device.resolution = AsWritten(device.resolution);
    device.tolerance = AsWritten(device.tolerance);
    file.devices.push_back(std::move(device));
    for (RecordedPoint& p : file.points) {
        p.readings.emplace_back();
    }
    return true;
}

bool SetReading(PointsFile& file, std::size_t point, std::size_t device,
                std::optional<double> reading) {
    if (point >= file.points.size() || device >= file.devices.size() ||
        (reading && !std::isfinite(*reading))) {
        return false;
    }
    file.points[point].readings[device] = AsWritten(reading);
    return true;
}

bool SetExcluded(PointsFile& file, std::size_t point, bool excluded) {
    if (point >= file.points.size()) {
        return false;
    }
    file.points[point].point.excluded = excluded;
    return true;
}

std::optional<Comparison> CompareAt(const PointsFile& file, std::size_t point, std::size_t device) {
    if (point >= file.points.size() || device >= file.devices.size()) {
        return std::nullopt;
    }
    const RecordedPoint& p = file.points[point];
    const std::optional<double>& reading = p.readings[device];
    if (!reading) {
        return std::nullopt;
    }
    return CompareReading(p.point, file.devices[device], *reading);
}

}  // namespace calibration
