#pragma once
// The programs' command line: the window's options, and the headless mode's.

#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "headless/headless_job.h"
#include "metrics/metrics_address.h"
#include "metrics/metrics_web_config.h"
#include "mqtt/mqtt_address.h"
#include "mqtt/mqtt_security.h"

struct CommandLine {
    std::vector<std::string> ports;  // replaces the system's port list when not empty
    // Where the dated record goes (empty: the working directory); none with --no-csv.
    std::optional<std::string> recordDirectory = std::string();
    std::optional<MetricsAddress> metrics;  // serve /metrics there
    std::optional<MqttAddress> mqtt;        // publish to that broker
    // The broker's login and certificates, and who may read the metrics.
    MqttSecurity mqttSecurity;
    MetricsWebConfig metricsWebConfig;
    bool showHelp = false;
    bool headless = false;
    HeadlessJob headlessJob = HeadlessJob::Measure;
    std::optional<std::chrono::seconds> duration;  // headless measuring stops by itself
    bool quiet = false;
    QString error;  // not empty when the arguments could not be understood
};

CommandLine ParseCommandLine(const QStringList& arguments);  // arguments without argv[0]

QString CommandLineHelp(const QString& program);
