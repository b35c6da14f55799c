#include "series/sample_series.h"

std::array<double, kSeriesCount> SeriesValues(const MeasurementSample& sample) {
    std::array<double, kSeriesCount> values{};
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        const SeriesEntry& entry = kSeriesTable[i];
        values[i] = static_cast<double>(entry.field(sample)) / entry.divisor;
    }
    return values;
}
