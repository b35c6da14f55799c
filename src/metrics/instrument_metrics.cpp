#include "metrics/instrument_metrics.h"

namespace {

using prometheus::ClientMetric;
using prometheus::MetricFamily;
using prometheus::MetricType;

struct Quantity {
    const char* name;
    const char* help;
    double (*value)(const MeasurementSample&, TemperatureScale);
};

// Every decoded quantity the instrument sends, but the four without a known meaning.
using S = const MeasurementSample&;
using T = TemperatureScale;
constexpr Quantity kQuantities[] = {
    {"hygrometer_dew_point_celsius", "Dew point.",
     [](S s, T t) { return CelsiusFromHundredths(s.DewPoint, t); }},
    {"hygrometer_ambient_temperature_celsius", "Ambient temperature.",
     [](S s, T t) { return CelsiusFromHundredths(s.AmbientTemperature, t); }},
    {"hygrometer_relative_humidity_percent", "Relative humidity.",
     [](S s, T) { return s.RelativeHumidity / 100.0; }},
    {"hygrometer_mirror_temperature_celsius", "Temperature of the mirror.",
     [](S s, T t) { return CelsiusFromHundredths(s.MirrorTemperature, t); }},
    {"hygrometer_head_temperature_celsius", "Temperature of the measuring head.",
     [](S s, T t) { return CelsiusFromHundredths(s.HeadTemperature, t); }},
    {"hygrometer_peltier_power", "Power of the Peltier element, in the instrument's units.",
     [](S s, T) { return double(s.PeltierPower); }},
    {"hygrometer_mirror_dew_level", "Dew on the mirror, in the instrument's units.",
     [](S s, T) { return double(s.MirrorDewLevel); }},
    {"hygrometer_frost_level", "Frost on the mirror, in the instrument's units.",
     [](S s, T) { return double(s.FrostLevel); }},
    {"hygrometer_running_time_seconds", "The instrument's running time.",
     [](S s, T) { return s.RunHalfDays * 43200.0 + s.RunHours * 3600.0 + s.RunSeconds; }},
};

std::vector<ClientMetric::Label> Labels(const InstrumentMetrics& m) {
    const ClientMetric::Label all[] = {
        {"instrument", m.instrument}, {"serial", m.serial}, {"port", m.port}};
    std::vector<ClientMetric::Label> labels;
    for (const ClientMetric::Label& label : all) {
        if (!label.value.empty()) {
            labels.push_back(label);
        }
    }
    return labels;
}

MetricFamily Family(const char* name, const char* help, MetricType type, double value,
                    const std::vector<ClientMetric::Label>& labels) {
    ClientMetric metric;
    metric.label = labels;
    if (type == MetricType::Counter) {
        metric.counter.value = value;
    } else {
        metric.gauge.value = value;
    }
    return MetricFamily{name, help, type, {metric}};
}

}  // namespace

std::vector<MetricFamily> MetricFamilies(const InstrumentMetrics& m) {
    const std::vector<ClientMetric::Label> labels = Labels(m);
    std::vector<MetricFamily> families;
    if (m.connected && m.sample) {
        for (const Quantity& q : kQuantities) {
            families.push_back(
                Family(q.name, q.help, MetricType::Gauge, q.value(*m.sample, m.scale), labels));
        }
    }
    families.push_back(Family("hygrometer_connected",
                              "1 while the instrument is connected and polled, 0 otherwise.",
                              MetricType::Gauge, m.connected ? 1 : 0, labels));
    if (m.lastSampleTime) {
        families.push_back(Family("hygrometer_last_sample_timestamp_seconds",
                                  "When the last sample came, in seconds since 1970.",
                                  MetricType::Gauge, *m.lastSampleTime, labels));
    }
    struct Count {
        const char* name;
        const char* help;
        std::uint64_t value;
    };
    const Count counters[] = {
        {"hygrometer_samples_total", "Samples logged.", m.samples},
        {"hygrometer_polls_without_data_total", "Polls the instrument did not answer.",
         m.pollsWithoutData},
        {"hygrometer_incomplete_replies_total",
         "Samples decoded from fewer bytes than a whole record.", m.incompleteReplies},
        {"hygrometer_reconnects_total", "Times the connection was found again after a loss.",
         m.reconnects},
        {"hygrometer_log_write_errors_total",
         "Sample lines the log or the dated record could not take.", m.logWriteErrors},
    };
    for (const Count& c : counters) {
        families.push_back(
            Family(c.name, c.help, MetricType::Counter, static_cast<double>(c.value), labels));
    }
    return families;
}
