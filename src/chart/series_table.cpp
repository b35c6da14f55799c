#include "chart/series_table.h"

namespace {

const std::array<SeriesLook, kSeriesCount> kTable{{
    {"°Cdp", QColor(255, 0, 0), 2, true,
     [](const MeasurementSample& s) -> int { return s.DewPoint; }, 100.0},
    {"Radiator", QColor(0, 128, 0), 1, false,
     [](const MeasurementSample& s) -> int { return s.HeadTemperature; }, 100.0},
    {"Rosa", QColor(255, 255, 0), 2, false,
     [](const MeasurementSample& s) -> int { return s.MirrorDewLevel; }, 10.0},
    {"Moc", QColor(128, 0, 64), 1, false,
     [](const MeasurementSample& s) -> int { return s.PeltierPower; }, 10.0},
    {"Szron", QColor(0, 0, 0), 1, false,
     [](const MeasurementSample& s) -> int { return s.FrostLevel; }, 10.0},
    {"Lustro", QColor(255, 128, 64), 2, false,
     [](const MeasurementSample& s) -> int { return s.MirrorTemperature; }, 100.0},
    {"°C", QColor(0, 0, 255), 1, true,
     [](const MeasurementSample& s) -> int { return s.AmbientTemperature; }, 100.0},
}};

}  // namespace

const std::array<SeriesLook, kSeriesCount>& SeriesTable() {
    return kTable;
}

std::array<double, kSeriesCount> SeriesValues(const MeasurementSample& sample) {
    std::array<double, kSeriesCount> values{};
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        values[i] = static_cast<double>(kTable[i].field(sample)) / kTable[i].divisor;
    }
    return values;
}
