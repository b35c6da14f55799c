#pragma once
// The points file's text: UTF-8, LF line ends, "." before decimals whatever the locale.
//
//   #hygrometer-points,1                         what the file is, and its format's version
//   #instrument,<identification>,<serial number>,<firmware>
//   #operator,<name>
//   #formulations,water_above_0c,<u>,water_at_minus_100c,<u>,ice_at_0c,<u>,
//                 ice_at_minus_100c,<u>,enhancement_factor,<u>      (one line)
//   #device,1,<name>,<relative_humidity|dew_point|temperature>,<%|°C|°F>,<resolution>,<tolerance>
//   #device,2,...                                one line per device, numbered from 1
//   time,samples,span_s,...,excluded,device_1_reading,...   the one header row
//   2026-12-10T13:15:00.123+01:00,601,...        one row per point, in the order recorded
//
// The "#" lines come first and once; a spreadsheet shows them above the table, a script
// skips them as comments. The header and the rows are the points table: its columns are
// PointColumns(devices), see docs/calibration.md for what each holds. A text field is quoted
// as spreadsheets quote it (csv_fields.h); numbers are NumberText; a value that does not
// exist is an empty field.

#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <string_view>

#include "calibration/points_file.h"

namespace calibration {

inline constexpr std::string_view kPointsFileMark = "#hygrometer-points";
inline constexpr int kPointsFileVersion = 1;

// The points table's columns before the devices'.
enum PointColumn : int {
    kTimeColumn,
    kSamplesColumn,
    kSpanColumn,
    kTemperatureUnitColumn,
    // Mean, its U, sd and drift of the dew point, then of the ambient temperature.
    kDewPointColumns,
    kAmbientColumns = kDewPointColumns + 4,
    // Value and U of each PointQuantity from VapourPressure on, in that order.
    kQuantityColumns = kAmbientColumns + 4,
    kPressureColumn = kQuantityColumns + 2 * 7,
    kPressureUncertaintyColumn,
    kPressureSourceColumn,
    kDewPointInstrumentColumn,  // U(Td) of the instrument, kelvin
    kAmbientInstrumentColumn,   // U(T) of the instrument, kelvin
    kStableColumn,
    kExcludedColumn,
    kPointColumnCount,
};
// Each device's columns: its reading, the deviation, the deviation's U and the verdict.
inline constexpr int kDeviceColumnCount = 4;

// The header's names for `deviceCount` devices.
QStringList PointColumns(std::size_t deviceCount);

// "command_line", "instrument", "standard".
std::string_view PressureSourceName(humidity::PressureSource source);

// The texts of point `index`'s row, one per PointColumns(devices): with the column names,
// what the headless program prints as name=value pairs.
QStringList PointFields(const PointsFile& file, std::size_t index);

// The whole file.
QByteArray PointsFileText(const PointsFile& file);
// The row of point `index`, with its line end.
QByteArray PointsFileRow(const PointsFile& file, std::size_t index);

}  // namespace calibration
