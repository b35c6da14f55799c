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
#include <string_view>

#include "measure/measurement_record.h"
#include "series/series_table.h"

// Temperatures are in the instrument's temperature scale, as it sends them.
inline constexpr std::array<std::string_view, 18> kSampleColumnNames = {
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
    "aux_value_1", "aux_value_2", "aux_value_3", "aux_value_4",
    "run_half_days",  // the instrument's running time, its three counters
    "run_hours", "run_seconds",
    "reply_bytes",  // what the poll's read brought: 32 for a whole record
};
inline constexpr std::size_t kSampleColumnCount = kSampleColumnNames.size();

// One sample as the columns see it.
struct SampleValues {
    QDateTime time;  // local time, with the offset from UTC it had then
    std::int32_t sampleCount = 0;
    MeasurementSample sample;
    std::size_t replyBytes = 0;
};

// "2026-12-10T13:15:00.123+01:00": the date-time in its own offset from UTC, which a
// spreadsheet or a script turns into one instant whatever the zone or daylight saving did.
QString IsoDateTimeText(const QDateTime& time);

// hundredths / 100 exactly, always two decimals: -1234 -> "-12.34", -5 -> "-0.05".
QString HundredthsText(std::int16_t hundredths);

// The texts of `values`, in the order of kSampleColumnNames.
std::array<QString, kSampleColumnCount> SampleColumnTexts(const SampleValues& values);
