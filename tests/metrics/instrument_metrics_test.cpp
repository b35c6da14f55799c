// The metric families /metrics serves: the quantities in degrees Celsius whatever the
// instrument's scale, and only while connected; the state, the labels and the counters
// always.
#include "metrics/instrument_metrics.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using prometheus::MetricFamily;
using prometheus::MetricType;

// Each family's one value, by name.
std::map<std::string, double> Values(const std::vector<MetricFamily>& families) {
    std::map<std::string, double> values;
    for (const MetricFamily& family : families) {
        EXPECT_EQ(family.metric.size(), 1u) << family.name;
        const prometheus::ClientMetric& metric = family.metric.front();
        values[family.name] =
            family.type == MetricType::Counter ? metric.counter.value : metric.gauge.value;
    }
    return values;
}

InstrumentMetrics Connected(TemperatureScale scale) {
    InstrumentMetrics m;
    m.connected = true;
    m.instrument = "KRT-10";
    m.serial = "300";
    m.port = "/dev/ttyUSB0";
    m.sample = MeasurementSample{.DewPoint = -1234,
                                 .HeadTemperature = 2369,
                                 .MirrorDewLevel = 118,
                                 .PeltierPower = 116,
                                 .RelativeHumidity = 4461,
                                 .FrostLevel = 2,
                                 .AmbientTemperature = 7700,
                                 .MirrorTemperature = 3200,
                                 .RunHalfDays = 2,
                                 .RunHours = 7,
                                 .RunSeconds = 1801};
    m.scale = scale;
    m.lastSampleTime = 1796922066.5;
    m.samples = 12;
    m.pollsWithoutData = 3;
    m.incompleteReplies = 1;
    m.reconnects = 2;
    m.logWriteErrors = 4;
    m.logLinesHeld = 5;
    m.recordRowsHeld = 6;
    m.logLinesDropped = 7;
    m.recordRowsDropped = 8;
    m.humidity = HumidityMetrics{.vapourPressurePa = 244.5,
                                 .frostPointCelsius = -11.0,
                                 .mixingRatioGPerKg = 1.5,
                                 .ppmv = 2417.5,
                                 .absoluteHumidityGPerM3 = 1.79,
                                 .pressurePa = 101325.0,
                                 .stable = true,
                                 .dewPointSdCelsius = 0.005,
                                 .dewPointDriftCelsiusPerHour = -0.01};
    return m;
}

TEST(MetricFamilies, ConvertTemperaturesToCelsiusWhateverTheScale) {
    struct Case {
        TemperatureScale scale;
        double dewPoint, ambient, head, mirror;
    };
    const Case cases[] = {
        {TemperatureScale::Celsius, -12.34, 77.0, 23.69, 32.0},
        {TemperatureScale::Unknown, -12.34, 77.0, 23.69, 32.0},
        {TemperatureScale::Fahrenheit, -24.633333333333333, 25.0, -4.6166666666666667, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.scale));
        std::map<std::string, double> values = Values(MetricFamilies(Connected(c.scale)));
        EXPECT_DOUBLE_EQ(values["hygrometer_dew_point_celsius"], c.dewPoint);
        EXPECT_DOUBLE_EQ(values["hygrometer_ambient_temperature_celsius"], c.ambient);
        EXPECT_DOUBLE_EQ(values["hygrometer_head_temperature_celsius"], c.head);
        EXPECT_DOUBLE_EQ(values["hygrometer_mirror_temperature_celsius"], c.mirror);
        EXPECT_DOUBLE_EQ(values["hygrometer_relative_humidity_percent"], 44.61);
    }
}

TEST(MetricFamilies, ShowTheQuantitiesOnlyWhileConnected) {
    const std::map<std::string, double> live = {
        {"hygrometer_dew_point_celsius", -12.34},
        {"hygrometer_ambient_temperature_celsius", 77.0},
        {"hygrometer_relative_humidity_percent", 44.61},
        {"hygrometer_mirror_temperature_celsius", 32.0},
        {"hygrometer_head_temperature_celsius", 23.69},
        {"hygrometer_peltier_power", 116},
        {"hygrometer_mirror_dew_level", 118},
        {"hygrometer_frost_level", 2},
        {"hygrometer_running_time_seconds", 113401},
        {"hygrometer_vapour_pressure_pascals", 244.5},
        {"hygrometer_frost_point_celsius", -11.0},
        {"hygrometer_mixing_ratio_grams_per_kilogram", 1.5},
        {"hygrometer_ppmv", 2417.5},
        {"hygrometer_absolute_humidity_grams_per_cubic_metre", 1.79},
        {"hygrometer_pressure_pascals", 101325.0},
        {"hygrometer_dew_point_stable", 1},
        {"hygrometer_dew_point_sd_celsius", 0.005},
        {"hygrometer_dew_point_drift_celsius_per_hour", -0.01},
    };
    std::map<std::string, double> always = {
        {"hygrometer_connected", 1},
        {"hygrometer_last_sample_timestamp_seconds", 1796922066.5},
        {"hygrometer_samples_total", 12},
        {"hygrometer_polls_without_data_total", 3},
        {"hygrometer_incomplete_replies_total", 1},
        {"hygrometer_reconnects_total", 2},
        {"hygrometer_log_write_errors_total", 4},
        {"hygrometer_log_lines_held", 5},
        {"hygrometer_record_rows_held", 6},
        {"hygrometer_log_lines_dropped_total", 7},
        {"hygrometer_record_rows_dropped_total", 8},
    };
    InstrumentMetrics metrics = Connected(TemperatureScale::Celsius);
    std::map<std::string, double> expected = always;
    expected.insert(live.begin(), live.end());
    EXPECT_EQ(Values(MetricFamilies(metrics)), expected);

    metrics.connected = false;
    always["hygrometer_connected"] = 0;
    EXPECT_EQ(Values(MetricFamilies(metrics)), always) << "no stale value looks live";

    metrics.connected = true;
    metrics.sample.reset();  // connected again, no sample yet
    always["hygrometer_connected"] = 1;
    EXPECT_EQ(Values(MetricFamilies(metrics)), always);
}

// Empty quantities are left out, not shown as a number; not stable is 0.
TEST(MetricFamilies, LeaveOutTheHumidityThatCouldNotBeComputed) {
    InstrumentMetrics metrics = Connected(TemperatureScale::Celsius);
    metrics.humidity = HumidityMetrics{};  // nothing computed, a pressure of 0
    const std::map<std::string, double> values = Values(MetricFamilies(metrics));
    for (const char* name :
         {"hygrometer_vapour_pressure_pascals", "hygrometer_frost_point_celsius",
          "hygrometer_mixing_ratio_grams_per_kilogram", "hygrometer_ppmv",
          "hygrometer_absolute_humidity_grams_per_cubic_metre", "hygrometer_dew_point_sd_celsius",
          "hygrometer_dew_point_drift_celsius_per_hour"}) {
        EXPECT_EQ(values.count(name), 0u) << name;
    }
    EXPECT_EQ(values.at("hygrometer_dew_point_stable"), 0.0);
    EXPECT_EQ(values.at("hygrometer_pressure_pascals"), 0.0);
}

// Temperatures and their spreads in degrees Celsius, pressures in pascals, whatever the scale:
// a frost point of 12.2 °F is -11 °C; 0.09 °F of sd is 0.05 °C, 0.36 °F an hour 0.2 °C.
TEST(HumidityMetricsOf, DegreesCelsiusAndPascals) {
    const struct {
        humidity::TemperatureScale scale;
        double frostPoint, sd, drift;
        double frostPointCelsius, sdCelsius, driftCelsius;
    } cases[] = {
        {humidity::TemperatureScale::Celsius, -11.0, 0.05, -0.2, -11.0, 0.05, -0.2},
        {humidity::TemperatureScale::Fahrenheit, 12.2, 0.09, -0.36, -11.0, 0.05, -0.2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.scale));
        humidity::SampleHumidity sample;
        sample.scale = c.scale;
        sample.quantities.vapourPressurePa = 244.5;
        sample.quantities.frostPoint = c.frostPoint;
        sample.quantities.ppmv = 2417.5;
        sample.quantities.pressureHpa = 1013.25;
        sample.statistics.standardDeviation = c.sd;
        sample.statistics.driftPerHour = c.drift;
        sample.statistics.stable = true;
        const HumidityMetrics h = HumidityMetricsOf(sample);
        EXPECT_EQ(h.vapourPressurePa, 244.5);
        EXPECT_NEAR(*h.frostPointCelsius, c.frostPointCelsius, 1e-12);
        EXPECT_EQ(h.ppmv, 2417.5);
        EXPECT_FALSE(h.mixingRatioGPerKg.has_value());
        EXPECT_DOUBLE_EQ(h.pressurePa, 101325.0);
        EXPECT_TRUE(h.stable);
        EXPECT_NEAR(*h.dewPointSdCelsius, c.sdCelsius, 1e-12);
        EXPECT_NEAR(*h.dewPointDriftCelsiusPerHour, c.driftCelsius, 1e-12);
    }
}

TEST(MetricFamilies, TypeTheCountersAndLabelEverySeriesWithWhatIsKnown) {
    InstrumentMetrics metrics = Connected(TemperatureScale::Celsius);
    for (const MetricFamily& family : MetricFamilies(metrics)) {
        SCOPED_TRACE(family.name);
        const bool counter = family.name.ends_with("_total");
        EXPECT_EQ(family.type, counter ? MetricType::Counter : MetricType::Gauge);
        EXPECT_FALSE(family.help.empty());
        const std::vector<prometheus::ClientMetric::Label> labels = {
            {"instrument", "KRT-10"}, {"serial", "300"}, {"port", "/dev/ttyUSB0"}};
        EXPECT_EQ(family.metric.front().label, labels);
    }
    // Before the identification and the version: no empty label values.
    metrics = InstrumentMetrics{};
    metrics.port = "/dev/ttyS0";
    for (const MetricFamily& family : MetricFamilies(metrics)) {
        SCOPED_TRACE(family.name);
        const std::vector<prometheus::ClientMetric::Label> labels = {{"port", "/dev/ttyS0"}};
        EXPECT_EQ(family.metric.front().label, labels);
    }
}

}  // namespace
