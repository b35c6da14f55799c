#pragma once
// What each chart series plots of a measurement sample.

#include <array>
#include <string_view>

#include "chart/series_table.h"
#include "measure/measurement_record.h"

// One y value per series for a sample, in series order: its field (single-byte fields as
// 0..255) over the field's divisor.
std::array<double, kSeriesCount> SeriesValues(const MeasurementSample& sample);

// Each series' column in the dated record's names, in series order.
const std::array<std::string_view, kSeriesCount>& SeriesColumnNames();
