#pragma once
// The programs' command line: the window's options, and the headless mode's.

#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "headless/headless_job.h"
#include "humidity/stability_window.h"
#include "metrics/metrics_address.h"
#include "mqtt/mqtt_address.h"

struct CommandLine {
    std::vector<std::string> ports;  // replaces the system's port list when not empty
    // Where the dated record goes (empty: the working directory); none with --no-csv.
    std::optional<std::string> recordDirectory = std::string();
    std::optional<MetricsAddress> metrics;  // serve /metrics there
    std::optional<MqttAddress> mqtt;        // publish to that broker
    bool showHelp = false;
    bool headless = false;
    HeadlessJob headlessJob = HeadlessJob::Measure;
    std::optional<std::chrono::seconds> duration;  // headless measuring stops by itself
    bool quiet = false;

    // Humidity: the pressure of the quantities, the dew point's stability criteria, and the
    // headless run that ends once the dew point is stable.
    std::optional<double> pressureHpa;  // --pressure, over the instrument's setting
    humidity::StabilityCriteria stability;
    bool untilStable = false;

    QString error;  // not empty when the arguments could not be understood
};

CommandLine ParseCommandLine(const QStringList& arguments);  // arguments without argv[0]

QString CommandLineHelp(const QString& program);
