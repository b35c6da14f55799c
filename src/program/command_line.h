#pragma once
// The programs' command line: the window's options, and the headless mode's, each a row of
// option_rows.h. Its messages and its help are in the interface's language, so the texts of
// the program's language must be in place before they are made.

#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "headless/headless_job.h"
#include "humidity/stability_window.h"
#include "metrics/metrics_address.h"
#include "metrics/metrics_web_config.h"
#include "mqtt/mqtt_address.h"
#include "mqtt/mqtt_security.h"

// A file an option names, read once every option is in place.
struct NamedFile {
    QString option;  // "--mqtt-ca"
    QString path;
};

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
    bool showVersion = false;
    std::optional<QString> configFile;  // --config: more options in that file
    bool headless = false;
    HeadlessJob headlessJob = HeadlessJob::Measure;
    std::optional<std::chrono::seconds> duration;  // headless measuring stops by itself
    bool quiet = false;

    // Humidity: the pressure of the quantities, the dew point's stability criteria, and the
    // headless run that ends once the dew point is stable.
    std::optional<double> pressureHpa;  // --pressure, over the instrument's setting
    humidity::StabilityCriteria stability;
    bool untilStable = false;

    QString error;            // not empty when the arguments could not be understood
    QString unknownArgument;  // with `error`: the argument that is no option at all
    QStringList given;        // the options given, without values ("--port"), in order
    // The files named, each option's last, in the order given; read by WithNamedFiles.
    std::vector<NamedFile> namedFiles;

    // Only a text to print, no run: the help, the version or what was wrong.
    bool AnswersAtOnce() const { return showHelp || showVersion || !error.isEmpty(); }
};

// The arguments (without argv[0]) alone, the files they name read, checked as a whole. A
// configuration file is not read (program_options.h does that).
CommandLine ParseCommandLine(const QStringList& arguments);

// What `arguments` say added to `start`, the options read so far: a value given again
// replaces the earlier one, a repeatable option adds to it. Stops at the first error. No
// file is read, and the options are not yet checked as a whole.
CommandLine ParseOptions(const QStringList& arguments, CommandLine start);

// `line` with the files its options name read (none for a run that only answers at once),
// and `error` set by the first that cannot be used.
CommandLine WithNamedFiles(CommandLine line);

// `line` with `error` set when its options do not make one run together.
CommandLine CheckedCombination(CommandLine line);

// The usage and every option, `program` as it was started.
QString CommandLineHelp(const QString& program);

// docs/command-line.md: the usage, every option and where it is taken, as Markdown.
QString CommandLineReference();

// "hygrometer 0.1.0": what --version prints, without the line end.
QString VersionLine(const QString& program, const QString& version);
