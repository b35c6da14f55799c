#pragma once
// What /metrics says about the instrument at one moment, and its metric families in
// Prometheus's naming: units in the names, temperatures in degrees Celsius whatever scale
// the instrument is set to.
//
// The decoded quantities are there only while the connection stands and a sample has come
// since it was made: no value of a lost instrument looks live. hygrometer_connected, the
// time of the last sample and the counters are always there.

#include <prometheus/metric_family.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "humidity/humidity_tracker.h"
#include "measure/measurement_record.h"
#include "settings/temperature_scale.h"

// The humidity of a sample as /metrics gives it: pascals, degrees Celsius whatever the
// instrument's scale. A quantity that could not be computed is empty and left out.
struct HumidityMetrics {
    std::optional<double> vapourPressurePa;
    std::optional<double> frostPointCelsius;
    std::optional<double> mixingRatioGPerKg;
    std::optional<double> ppmv;
    std::optional<double> absoluteHumidityGPerM3;
    double pressurePa = 0.0;
    bool stable = false;
    std::optional<double> dewPointSdCelsius;
    std::optional<double> dewPointDriftCelsiusPerHour;

    friend bool operator==(const HumidityMetrics&, const HumidityMetrics&) = default;
};

HumidityMetrics HumidityMetricsOf(const humidity::SampleHumidity& sample);

struct InstrumentMetrics {
    bool connected = false;
    // The labels of every series; one that is not known yet is left out.
    std::string instrument;  // the identification
    std::string serial;
    std::string port;

    std::optional<MeasurementSample> sample;
    std::optional<HumidityMetrics> humidity;  // of `sample`, shown with it
    TemperatureScale scale = TemperatureScale::Unknown;
    std::optional<double> lastSampleTime;  // seconds since 1970-01-01 UTC

    std::uint64_t samples = 0;  // as numbered in the log
    std::uint64_t pollsWithoutData = 0;
    std::uint64_t incompleteReplies = 0;  // samples from fewer bytes than a whole record
    std::uint64_t reconnects = 0;         // connections made again after a loss
    std::uint64_t logWriteErrors = 0;     // writes of a line or a row that failed
    // Lines the log and rows the record hold until their file takes them, and those dropped
    // for good because too many were held.
    std::uint64_t logLinesHeld = 0;
    std::uint64_t recordRowsHeld = 0;
    std::uint64_t logLinesDropped = 0;
    std::uint64_t recordRowsDropped = 0;

    friend bool operator==(const InstrumentMetrics&, const InstrumentMetrics&) = default;
};

std::vector<prometheus::MetricFamily> MetricFamilies(const InstrumentMetrics& metrics);
