// What each series plots of a sample.
#include <gtest/gtest.h>

#include <functional>

#include "series/sample_series.h"

namespace {

TEST(SeriesValuesTest, EachSeriesPlotsItsFieldOverItsDivisor) {
    struct Case {
        const char* name;
        std::function<void(MeasurementSample&)> set;
        ChartSeries series;
        double y;
    };
    const Case cases[] = {
        {"DewPoint -1234", [](MeasurementSample& s) { s.DewPoint = -1234; }, DewPointSeries,
         -12.34},
        {"DewPoint extreme", [](MeasurementSample& s) { s.DewPoint = -32768; }, DewPointSeries,
         -327.68},
        {"HeadTemperature", [](MeasurementSample& s) { s.HeadTemperature = 2550; },
         HeadTemperatureSeries, 25.5},
        {"MirrorDewLevel 200", [](MeasurementSample& s) { s.MirrorDewLevel = 200; },
         MirrorDewLevelSeries, 20.0},
        {"MirrorDewLevel 255 (unsigned)", [](MeasurementSample& s) { s.MirrorDewLevel = 255; },
         MirrorDewLevelSeries, 25.5},
        {"PeltierPower 255 (unsigned)", [](MeasurementSample& s) { s.PeltierPower = 255; },
         PeltierPowerSeries, 25.5},
        {"FrostLevel", [](MeasurementSample& s) { s.FrostLevel = -15; }, FrostLevelSeries, -1.5},
        {"MirrorTemperature", [](MeasurementSample& s) { s.MirrorTemperature = 1999; },
         MirrorTemperatureSeries, 19.99},
        {"AmbientTemperature", [](MeasurementSample& s) { s.AmbientTemperature = 2210; },
         AmbientTemperatureSeries, 22.10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementSample sample;
        // Fields no series plots must not reach the chart.
        sample.RelativeHumidity = 4512;
        sample.AuxValue1 = 111;
        sample.AuxValue2 = 222;
        sample.RunSeconds = 333;
        c.set(sample);
        const std::array<double, kSeriesCount> values = SeriesValues(sample);
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_DOUBLE_EQ(values[i], i == c.series ? c.y : 0.0);
        }
    }
}

}  // namespace
