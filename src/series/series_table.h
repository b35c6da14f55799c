#pragma once
// The seven series of the chart, in one table: which value of a sample each plots, its column
// in the dated record and the chart's data export, and how the chart draws it. The chart, the
// window, the data export and the dated record's columns all read it, so a series is added or
// changed here alone.

#include <array>
#include <cstddef>
#include <string_view>

#include "measure/measurement_record.h"

// The index into the table, in the chart's legend order.
enum ChartSeries : std::size_t {
    DewPointSeries,
    HeadTemperatureSeries,
    MirrorDewLevelSeries,
    PeltierPowerSeries,
    FrostLevelSeries,
    MirrorTemperatureSeries,
    AmbientTemperatureSeries,
};
inline constexpr std::size_t kSeriesCount = 7;

struct SeriesColour {
    int red;
    int green;
    int blue;
};

struct SeriesEntry {
    // The sample's field, single-byte fields as 0..255.
    int (*field)(const MeasurementSample& sample);
    std::string_view columnName;
    const char* title;  // UTF-8, the same in both interface languages
    SeriesColour colour;
    int lineWidth;
    bool shown;  // at start
    // Live readings come in whole steps of 1 / divisor.
    double divisor;
};

inline constexpr std::array<SeriesEntry, kSeriesCount> kSeriesTable{{
    {[](const MeasurementSample& s) -> int { return s.DewPoint; },
     "dew_point",
     "°Cdp",
     {255, 0, 0},
     2,
     true,
     100.0},
    {[](const MeasurementSample& s) -> int { return s.HeadTemperature; },
     "head_temperature",
     "Radiator",
     {0, 128, 0},
     1,
     false,
     100.0},
    {[](const MeasurementSample& s) -> int { return s.MirrorDewLevel; },
     "mirror_dew_level",
     "Rosa",
     {255, 255, 0},
     2,
     false,
     10.0},
    {[](const MeasurementSample& s) -> int { return s.PeltierPower; },
     "peltier_power",
     "Moc",
     {128, 0, 64},
     1,
     false,
     10.0},
    {[](const MeasurementSample& s) -> int { return s.FrostLevel; },
     "frost_level",
     "Szron",
     {0, 0, 0},
     1,
     false,
     10.0},
    {[](const MeasurementSample& s) -> int { return s.MirrorTemperature; },
     "mirror_temperature",
     "Lustro",
     {255, 128, 64},
     2,
     false,
     100.0},
    {[](const MeasurementSample& s) -> int { return s.AmbientTemperature; },
     "ambient_temperature",
     "°C",
     {0, 0, 255},
     1,
     true,
     100.0},
}};
