#include "app/sample_series.h"

std::array<double, kSeriesCount> SeriesValues(const MeasurementSample& s) {
    // In series order; single-byte fields are 0..255.
    const std::array<int, kSeriesCount> raw{
        s.DewPoint,   s.HeadTemperature,   s.MirrorDewLevel,    s.PeltierPower,
        s.FrostLevel, s.MirrorTemperature, s.AmbientTemperature};
    std::array<double, kSeriesCount> values{};
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        values[i] = static_cast<double>(raw[i]) / SeriesTable()[i].divisor;
    }
    return values;
}

const std::array<std::string_view, kSeriesCount>& SeriesColumnNames() {
    static constexpr std::array<std::string_view, kSeriesCount> kNames{
        "dew_point",   "head_temperature",   "mirror_dew_level",   "peltier_power",
        "frost_level", "mirror_temperature", "ambient_temperature"};
    return kNames;
}
