#pragma once
// The columns of a sample as data, named in one place: the dated CSV record, the chart's data
// export and a JSON payload all use these names, in this order, with these value texts.
// Values never depend on the operator's locale: "." before decimals, "-" for negatives, no
// grouping, so a script or a spreadsheet reads them the same everywhere.

#include <QDateTime>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "humidity/humidity_tracker.h"
#include "measure/measurement_record.h"
#include "series/series_table.h"

// Temperatures are in the instrument's temperature scale, as it sends them. The humidity
// columns come after the instrument's, so that the instrument's keep their places; a quantity
// that cannot be computed (an input out of range) is empty.
inline constexpr std::array<std::string_view, 30> kSampleColumnNames = {
    "time",    // local date and time, ISO 8601 with milliseconds and UTC offset
    "sample",  // the sample number of the measurement log
    // The chart's series are named by their table.
    kSeriesTable[DewPointSeries].columnName,            // degrees
    kSeriesTable[AmbientTemperatureSeries].columnName,  // degrees
    "relative_humidity",                                // percent
    kSeriesTable[HeadTemperatureSeries].columnName,     // degrees
    kSeriesTable[MirrorTemperatureSeries].columnName,   // degrees
    kSeriesTable[MirrorDewLevelSeries].columnName,      // the instrument's units
    kSeriesTable[PeltierPowerSeries].columnName,        // the instrument's units
    kSeriesTable[FrostLevelSeries].columnName,          // the instrument's units
    "aux_value_1",
    "aux_value_2",
    "aux_value_3",
    "aux_value_4",
    "run_half_days",  // the instrument's running time, its three counters
    "run_hours",
    "run_seconds",
    "reply_bytes",  // what the poll's read brought: 32 for a whole record
    "vapour_pressure_pa",
    "frost_point",                   // degrees, only below 0 °C
    "relative_humidity_calculated",  // percent, over water
    "relative_humidity_ice",         // percent, only below 0 °C
    "absolute_humidity_g_m3",
    "mixing_ratio_g_kg",
    "ppmv",          // by volume in the dry gas
    "pressure_hpa",  // the pressure the quantities are computed for
    // The dew point's window: mean and sd in degrees, drift in degrees per hour, 0 or 1.
    "dew_point_mean",
    "dew_point_sd",
    "dew_point_drift_per_h",
    "stable",
};
// The first of the humidity columns.
inline constexpr std::size_t kFirstHumidityColumn = 18;
inline constexpr std::size_t kSampleColumnCount = kSampleColumnNames.size();

// One sample as the columns see it.
struct SampleValues {
    QDateTime time;  // local time, with the offset from UTC it had then
    std::int32_t sampleCount = 0;
    MeasurementSample sample;
    std::size_t replyBytes = 0;
    // None: the humidity columns are empty.
    std::optional<humidity::SampleHumidity> humidity = std::nullopt;
};

// "2026-12-10T13:15:00.123+01:00": the date-time in its own offset from UTC, which a
// spreadsheet or a script turns into one instant whatever the zone or daylight saving did.
QString IsoDateTimeText(const QDateTime& time);

// hundredths / 100 exactly, always two decimals: -1234 -> "-12.34", -5 -> "-0.05".
QString HundredthsText(std::int16_t hundredths);

// A quantity with six significant digits (so rounding stays below 0.01 %), in plain
// decimals, never in exponent form, at most nine decimals: 2350.3, 0.0507001, -8.90163;
// empty for none.
QString QuantityText(std::optional<double> value);

// The texts of `values`, in the order of kSampleColumnNames.
std::array<QString, kSampleColumnCount> SampleColumnTexts(const SampleValues& values);
