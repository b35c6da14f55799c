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
        {TemperatureScale::Fahrenheit, (-12.34 - 32) * 5 / 9, 25.0, (23.69 - 32) * 5 / 9, 0.0},
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
        {"hygrometer_running_time_seconds", 2 * 43200 + 7 * 3600 + 1801},
    };
    std::map<std::string, double> always = {
        {"hygrometer_connected", 1},
        {"hygrometer_last_sample_timestamp_seconds", 1796922066.5},
        {"hygrometer_samples_total", 12},
        {"hygrometer_polls_without_data_total", 3},
        {"hygrometer_incomplete_replies_total", 1},
        {"hygrometer_reconnects_total", 2},
        {"hygrometer_log_write_errors_total", 4},
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
