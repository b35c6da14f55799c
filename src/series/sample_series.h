#pragma once
// What each chart series plots of a measurement sample.

#include <array>

#include "measure/measurement_record.h"
#include "series/series_table.h"

// One y value per series for a sample, in series order: its field over the field's divisor.
std::array<double, kSeriesCount> SeriesValues(const MeasurementSample& sample);
