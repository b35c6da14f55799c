#include "program/command_line.h"

namespace {

// A run of ten years is the longest --duration takes.
constexpr long long kLongestDurationSeconds = 10LL * 366 * 24 * 3600;

// The options that only mean something without a window.
bool NeedsHeadless(const QString& option) {
    return option == "--duration" || option == "--quiet" || option == "--dump-logger" ||
           option == "--read-settings";
}

// "--name value" or "--name=value"; nullopt (and `error` set) when the value, `what`, is
// missing.
std::optional<QString> TakeValue(const QStringList& arguments, int& i, const QString& name,
                                 const char* what, QString& error) {
    const QString& arg = arguments[i];
    QString value;
    if (arg == name) {
        if (i + 1 < arguments.size()) {
            value = arguments[++i];
        }
    } else {
        value = arg.mid(name.size() + 1);
    }
    if (value.isEmpty()) {
        error = QString("%1 needs %2").arg(name, what);
        return std::nullopt;
    }
    return value;
}

bool IsOption(const QString& arg, const QString& name) {
    return arg == name || arg.startsWith(name + '=');
}

// Checks that the options given make one run together.
QString CombinationError(const CommandLine& line, const QStringList& given) {
    if (!line.headless) {
        for (const QString& option : given) {
            if (NeedsHeadless(option)) {
                return QString("%1 needs --headless").arg(option);
            }
        }
    }
    if (given.contains("--dump-logger") && given.contains("--read-settings")) {
        return "--dump-logger and --read-settings cannot be given together";
    }
    if (line.duration && line.headlessJob != HeadlessJob::Measure) {
        return "--duration goes with measuring, not with --dump-logger or --read-settings";
    }
    for (const QString option : {"--metrics", "--mqtt"}) {
        if (given.contains(option) && line.headlessJob != HeadlessJob::Measure) {
            return QString("%1 goes with measuring, not with --dump-logger or --read-settings")
                .arg(option);
        }
    }
    if (given.contains("--csv-dir") && given.contains("--no-csv")) {
        return "--csv-dir and --no-csv cannot be given together";
    }
    return {};
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    QStringList given;  // option names, without values
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            result.showHelp = true;
        } else if (IsOption(arg, "--port")) {
            const std::optional<QString> path =
                TakeValue(arguments, i, "--port", "a path", result.error);
            if (!path) {
                return result;
            }
            result.ports.push_back(path->toStdString());
        } else if (IsOption(arg, "--csv-dir")) {
            const std::optional<QString> dir =
                TakeValue(arguments, i, "--csv-dir", "a directory", result.error);
            if (!dir) {
                return result;
            }
            result.recordDirectory = dir->toStdString();
            given << "--csv-dir";
        } else if (arg == "--no-csv") {
            result.recordDirectory.reset();
            given << arg;
        } else if (IsOption(arg, "--metrics")) {
            const std::optional<QString> text =
                TakeValue(arguments, i, "--metrics", "[ADDRESS:]PORT", result.error);
            if (!text) {
                return result;
            }
            result.metrics = ParseMetricsAddress(*text, result.error);
            if (!result.metrics) {
                return result;
            }
            given << "--metrics";
        } else if (IsOption(arg, "--mqtt")) {
            const std::optional<QString> text =
                TakeValue(arguments, i, "--mqtt", "mqtt://HOST[:PORT]/PREFIX", result.error);
            if (!text) {
                return result;
            }
            result.mqtt = ParseMqttAddress(*text, result.error);
            if (!result.mqtt) {
                return result;
            }
            given << "--mqtt";
        } else if (arg == "--headless") {
            result.headless = true;
        } else if (IsOption(arg, "--duration")) {
            const std::optional<QString> text =
                TakeValue(arguments, i, "--duration", "a number of seconds", result.error);
            if (!text) {
                return result;
            }
            bool ok = false;
            const long long seconds = text->toLongLong(&ok);
            if (!ok || seconds < 1 || seconds > kLongestDurationSeconds || text->startsWith('+')) {
                result.error =
                    QString("--duration needs a whole number of seconds from 1 to %1, not \"%2\"")
                        .arg(kLongestDurationSeconds)
                        .arg(*text);
                return result;
            }
            result.duration = std::chrono::seconds(seconds);
            given << "--duration";
        } else if (arg == "--quiet") {
            result.quiet = true;
            given << arg;
        } else if (arg == "--dump-logger") {
            result.headlessJob = HeadlessJob::DumpLogger;
            given << arg;
        } else if (arg == "--read-settings") {
            result.headlessJob = HeadlessJob::ReadSettings;
            given << arg;
        } else {
            result.error = QString("unknown argument: %1").arg(arg);
            return result;
        }
    }
    result.error = CombinationError(result, given);
    return result;
}

QString CommandLineHelp(const QString& program) {
    return QString(
               "Usage: %1 [--port PATH]... [--csv-dir DIR | --no-csv]\n"
               "          [--metrics [ADDRESS:]PORT] [--mqtt mqtt://HOST[:PORT]/PREFIX]\n"
               "       %1 --headless [--port PATH]... [--duration SECONDS] [--quiet]\n"
               "                     [--csv-dir DIR | --no-csv] [--metrics [ADDRESS:]PORT]\n"
               "                     [--mqtt mqtt://HOST[:PORT]/PREFIX]\n"
               "       %1 --headless [--port PATH]... --dump-logger | --read-settings\n"
               "Client for the chilled-mirror dew-point hygrometer: a window, or with\n"
               "--headless no display at all.\n"
               "\n"
               "  --port PATH      try this serial port when connecting (repeatable, in the order\n"
               "                   given; replaces the list of serial ports the system reports);\n"
               "                   rfc2217://HOST:PORT or tcp://HOST:PORT for a serial device\n"
               "                   server (RFC 2217 or raw TCP)\n"
               "  --csv-dir DIR    write the dated record hygrometer-YYYYMMDD-HHMMSS.csv into\n"
               "                   DIR instead of the working directory\n"
               "  --no-csv         write no dated record\n"
               "  --metrics [ADDRESS:]PORT\n"
               "                   serve the readings for Prometheus at\n"
               "                   http://ADDRESS:PORT/metrics; ADDRESS is 127.0.0.1 when left\n"
               "                   out, so only this machine reaches it (0.0.0.0 or [::]: every\n"
               "                   network); PORT 0 takes a free port\n"
               "  --mqtt mqtt://HOST[:PORT]/PREFIX\n"
               "                   publish every sample as JSON to PREFIX/<serial>/sample and\n"
               "                   the connection's state, retained, to PREFIX/<serial>/status\n"
               "                   on that MQTT broker (PORT 1883 when left out); a broker that\n"
               "                   is down is tried again in the background\n"
               "  --headless       no window: connect at once, print the identification and the\n"
               "                   version, log every sample to jrt1.txt (and the dated record)\n"
               "                   until SIGINT or SIGTERM, reconnecting after an unplug\n"
               "  --duration SECONDS\n"
               "                   with --headless: stop by itself after SECONDS\n"
               "  --quiet          with --headless: nothing on standard output after the start\n"
               "                   (problems still go to standard error)\n"
               "  --dump-logger    with --headless: write the instrument's 256 logger records\n"
               "                   to logged.txt, then end (progress on standard error when it\n"
               "                   is a terminal); nothing is measured\n"
               "  --read-settings  with --headless: print the instrument's settings as\n"
               "                   \"name = value\" lines, then end; nothing is measured\n"
               "  --help           show this text\n"
               "\n"
               "Exit status of --headless: 0 done or stopped by a signal, 1 a file could not be\n"
               "written, the metrics could not be served or the instrument's answer was\n"
               "incomplete, 2 bad options, 3 no instrument found (each port tried and why it\n"
               "failed on standard error).\n")
        .arg(program);
}
