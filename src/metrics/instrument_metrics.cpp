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

// Degrees of the instrument's scale, or a difference of them, in degrees Celsius.
double CelsiusOf(double value, humidity::TemperatureScale scale) {
    return humidity::ToCelsius(value, scale);
}
double CelsiusDifferenceOf(double value, humidity::TemperatureScale scale) {
    return scale == humidity::TemperatureScale::Fahrenheit ? value * 5.0 / 9.0 : value;
}

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

void AddHumidity(const HumidityMetrics& h, const std::vector<ClientMetric::Label>& labels,
                 std::vector<MetricFamily>& families) {
    struct Gauge {
        const char* name;
        const char* help;
        std::optional<double> value;
    };
    const Gauge gauges[] = {
        {"hygrometer_vapour_pressure_pascals", "Water vapour pressure, from the dew point.",
         h.vapourPressurePa},
        {"hygrometer_frost_point_celsius", "Frost point, below a dew point of 0 degrees.",
         h.frostPointCelsius},
        {"hygrometer_mixing_ratio_grams_per_kilogram",
         "Mass of water vapour per mass of dry gas, at the pressure used.", h.mixingRatioGPerKg},
        {"hygrometer_ppmv", "Water vapour in parts per million of the dry gas, by volume.", h.ppmv},
        {"hygrometer_absolute_humidity_grams_per_cubic_metre",
         "Mass of water vapour per volume of moist gas.", h.absoluteHumidityGPerM3},
        {"hygrometer_pressure_pascals", "The pressure the humidity quantities are computed for.",
         h.pressurePa},
        {"hygrometer_dew_point_stable",
         "1 while the dew point is stable by the stability criteria, 0 otherwise.",
         h.stable ? 1.0 : 0.0},
        {"hygrometer_dew_point_sd_celsius",
         "Standard deviation of the dew point over the stability window.", h.dewPointSdCelsius},
        {"hygrometer_dew_point_drift_celsius_per_hour",
         "Drift of the dew point over the stability window (least-squares slope).",
         h.dewPointDriftCelsiusPerHour},
    };
    for (const Gauge& g : gauges) {
        if (g.value) {
            families.push_back(Family(g.name, g.help, MetricType::Gauge, *g.value, labels));
        }
    }
}

}  // namespace

HumidityMetrics HumidityMetricsOf(const humidity::SampleHumidity& sample) {
    const humidity::HumidityQuantities& q = sample.quantities;
    const humidity::TemperatureScale scale = sample.scale;
    HumidityMetrics h;
    h.vapourPressurePa = q.vapourPressurePa;
    if (q.frostPoint) {
        h.frostPointCelsius = CelsiusOf(*q.frostPoint, scale);
    }
    h.mixingRatioGPerKg = q.mixingRatioGPerKg;
    h.ppmv = q.ppmv;
    h.absoluteHumidityGPerM3 = q.absoluteHumidityGPerM3;
    h.pressurePa = q.pressureHpa * 100.0;
    h.stable = sample.statistics.stable;
    if (sample.statistics.standardDeviation) {
        h.dewPointSdCelsius = CelsiusDifferenceOf(*sample.statistics.standardDeviation, scale);
    }
    if (sample.statistics.driftPerHour) {
        h.dewPointDriftCelsiusPerHour = CelsiusDifferenceOf(*sample.statistics.driftPerHour, scale);
    }
    return h;
}

std::vector<MetricFamily> MetricFamilies(const InstrumentMetrics& m) {
    const std::vector<ClientMetric::Label> labels = Labels(m);
    std::vector<MetricFamily> families;
    if (m.connected && m.sample) {
        for (const Quantity& q : kQuantities) {
            families.push_back(
                Family(q.name, q.help, MetricType::Gauge, q.value(*m.sample, m.scale), labels));
        }
        if (m.humidity) {
            AddHumidity(*m.humidity, labels, families);
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
    families.push_back(Family("hygrometer_log_lines_held",
                              "Sample lines held until the log takes them again.",
                              MetricType::Gauge, static_cast<double>(m.logLinesHeld), labels));
    families.push_back(Family("hygrometer_record_rows_held",
                              "Sample rows held until the dated record takes them again.",
                              MetricType::Gauge, static_cast<double>(m.recordRowsHeld), labels));
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
         "Writes of a sample's line to the log or row to the dated record that failed.",
         m.logWriteErrors},
        {"hygrometer_log_lines_dropped_total",
         "Sample lines the log dropped for good, too many being held.", m.logLinesDropped},
        {"hygrometer_record_rows_dropped_total",
         "Sample rows the dated record dropped for good, too many being held.",
         m.recordRowsDropped},
    };
    for (const Count& c : counters) {
        families.push_back(
            Family(c.name, c.help, MetricType::Counter, static_cast<double>(c.value), labels));
    }
    return families;
}
