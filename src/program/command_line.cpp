#include "program/command_line.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include "humidity/humidity_inputs.h"
#include "logger/logger_dump_file.h"
#include "measure/measurement_log.h"

namespace {

// A run of ten years is the longest --duration takes.
constexpr long long kLongestDurationSeconds = 10LL * 366 * 24 * 3600;

// The options that only mean something without a window.
bool NeedsHeadless(const QString& option) {
    return option == "--duration" || option == "--quiet" || option == "--dump-logger" ||
           option == "--read-settings";
}

// "--name value" or "--name=value"; nullopt (and `error` set to `missing`, with the
// option's name as its %1) when the value is missing.
std::optional<QString> TakeValue(const QStringList& arguments, int& i, const QString& name,
                                 const QString& missing, QString& error) {
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
        error = missing.arg(name);
        return std::nullopt;
    }
    return value;
}

bool IsOption(const QString& arg, const QString& name) {
    return arg == name || arg.startsWith(name + '=');
}

QString NotTogether(const QString& first, const QString& second) {
    return QCoreApplication::translate("CommandLine", "Nie można podać razem %1 i %2")
        .arg(first, second);
}

QString OnlyWithMeasuring(const QString& option) {
    return QCoreApplication::translate("CommandLine",
                                       "%1 dotyczy pomiaru, nie --dump-logger ani --read-settings")
        .arg(option);
}

// The option beside --mqtt that `arg` is, if any.
const MqttSecurityOption* MqttSecurityOptionIn(const QString& arg) {
    for (const MqttSecurityOption& option : kMqttSecurityOptions) {
        if (IsOption(arg, option.name)) {
            return &option;
        }
    }
    return nullptr;
}

// Checks that the options given make one run together.
QString CombinationError(const CommandLine& line, const QStringList& given) {
    if (!line.headless) {
        for (const QString& option : given) {
            if (NeedsHeadless(option)) {
                return QCoreApplication::translate("CommandLine", "%1 działa tylko z --headless")
                    .arg(option);
            }
        }
    }
    if (given.contains("--dump-logger") && given.contains("--read-settings")) {
        return NotTogether("--dump-logger", "--read-settings");
    }
    if (line.duration && line.headlessJob != HeadlessJob::Measure) {
        return OnlyWithMeasuring("--duration");
    }
    for (const QString option : {"--metrics", "--mqtt"}) {
        if (given.contains(option) && line.headlessJob != HeadlessJob::Measure) {
            return OnlyWithMeasuring(option);
        }
    }
    if (const QString problem = MqttSecurityProblem(line.mqtt, line.mqttSecurity);
        !problem.isEmpty()) {
        return problem;
    }
    if (given.contains("--metrics-web-config") && !line.metrics) {
        return QCoreApplication::translate("CommandLine", "%1 działa tylko z --metrics")
            .arg("--metrics-web-config");
    }
    if (given.contains("--csv-dir") && given.contains("--no-csv")) {
        return NotTogether("--csv-dir", "--no-csv");
    }
    return {};
}

// ---- Humidity: --pressure, the stability criteria and --until-stable ----

// The window's length, the band and the drift limit: plain decimals within these.
constexpr double kLongestStableWindowSeconds = 31.0 * 24 * 3600;
constexpr double kWidestStableBand = 100.0;
constexpr double kLargestStableDrift = 1000.0;

// A plain decimal number ("." before decimals, no sign, no exponent) from `lowest` to
// `highest`; nullopt and `error` set otherwise.
std::optional<double> TakeDecimal(const QString& name, const QString& text, double lowest,
                                  double highest, bool lowestIncluded, QString& error) {
    static const QRegularExpression plain(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    bool ok = plain.match(text).hasMatch() && text.size() <= 32;
    const double value = ok ? text.toDouble(&ok) : 0.0;
    if (!ok || value > highest || value < lowest || (!lowestIncluded && value == lowest)) {
        const QString range =
            lowestIncluded
                ? QCoreApplication::translate("CommandLine",
                                              "%1 wymaga liczby od %2 do %3, a nie \"%4\"")
                : QCoreApplication::translate(
                      "CommandLine", "%1 wymaga liczby większej od %2 i najwyżej %3, a nie \"%4\"");
        error = range.arg(name).arg(lowest, 0, 'g', 10).arg(highest, 0, 'g', 10).arg(text);
        return std::nullopt;
    }
    return value;
}

// Takes arguments[i] (and its value) when it is one of the humidity options: true when it
// was one, with `line.error` set when its value is wrong.
bool TakeHumidityOption(const QStringList& arguments, int& i, CommandLine& line,
                        QStringList& given) {
    const QString& arg = arguments[i];
    if (arg == "--until-stable") {
        line.untilStable = true;
        given << arg;
        return true;
    }
    struct Decimal {
        const char* name;
        QString missing;  // the message for a missing value, the option's name as %1
        double lowest;
        double highest;
        bool lowestIncluded;
    };
    const Decimal decimals[] = {
        {"--pressure", QCoreApplication::translate("CommandLine", "%1 wymaga ciśnienia w hPa"),
         humidity::kLowestPressureHpa, humidity::kHighestPressureHpa, true},
        {"--stable-window", QCoreApplication::translate("CommandLine", "%1 wymaga liczby sekund"),
         0.0, kLongestStableWindowSeconds, false},
        {"--stable-band", QCoreApplication::translate("CommandLine", "%1 wymaga liczby stopni"),
         0.0, kWidestStableBand, true},
        {"--stable-drift",
         QCoreApplication::translate("CommandLine", "%1 wymaga liczby stopni na godzinę"), 0.0,
         kLargestStableDrift, true},
    };
    for (const Decimal& d : decimals) {
        const QString name = QString::fromLatin1(d.name);
        if (!IsOption(arg, name)) {
            continue;
        }
        given << name;
        const std::optional<QString> text = TakeValue(arguments, i, name, d.missing, line.error);
        if (!text) {
            return true;
        }
        const std::optional<double> value =
            TakeDecimal(name, *text, d.lowest, d.highest, d.lowestIncluded, line.error);
        if (!value) {
            return true;
        }
        if (name == "--pressure") {
            line.pressureHpa = *value;
        } else if (name == "--stable-window") {
            line.stability.windowSeconds = *value;
        } else if (name == "--stable-band") {
            line.stability.bandDegrees = *value;
        } else {
            line.stability.driftDegreesPerHour = *value;
        }
        return true;
    }
    return false;
}

// The stability options belong to the headless measuring run (the window keeps its own
// criteria); --pressure goes with measuring anywhere.
QString HumidityCombinationError(const CommandLine& line, const QStringList& given) {
    for (const QString option :
         {"--until-stable", "--stable-window", "--stable-band", "--stable-drift"}) {
        if (given.contains(option) && !line.headless) {
            return QCoreApplication::translate("CommandLine", "%1 działa tylko z --headless")
                .arg(option);
        }
    }
    for (const QString option :
         {"--pressure", "--until-stable", "--stable-window", "--stable-band", "--stable-drift"}) {
        if (given.contains(option) && line.headlessJob != HeadlessJob::Measure) {
            return OnlyWithMeasuring(option);
        }
    }
    return {};
}

// ---- end of the humidity options ----

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    return CheckedCombination(ParseOptions(arguments, CommandLine()));
}

CommandLine ParseOptions(const QStringList& arguments, CommandLine result) {
    QStringList& given = result.given;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            result.showHelp = true;
        } else if (arg == "--version") {
            result.showVersion = true;
        } else if (IsOption(arg, "--config")) {
            const std::optional<QString> path = TakeValue(
                arguments, i, "--config",
                QCoreApplication::translate("CommandLine", "%1 wymaga pliku"), result.error);
            if (!path) {
                return result;
            }
            result.configFile = *path;
        } else if (IsOption(arg, "--port")) {
            const std::optional<QString> path = TakeValue(
                arguments, i, "--port",
                QCoreApplication::translate("CommandLine", "%1 wymaga ścieżki"), result.error);
            if (!path) {
                return result;
            }
            result.ports.push_back(path->toStdString());
        } else if (IsOption(arg, "--csv-dir")) {
            const std::optional<QString> dir = TakeValue(
                arguments, i, "--csv-dir",
                QCoreApplication::translate("CommandLine", "%1 wymaga katalogu"), result.error);
            if (!dir) {
                return result;
            }
            result.recordDirectory = dir->toStdString();
            given << "--csv-dir";
        } else if (arg == "--no-csv") {
            result.recordDirectory.reset();
            given << arg;
        } else if (IsOption(arg, "--metrics")) {
            const std::optional<QString> text = TakeValue(
                arguments, i, "--metrics",
                QCoreApplication::translate("CommandLine", "%1 wymaga [ADRES:]PORT"), result.error);
            if (!text) {
                return result;
            }
            result.metrics = ParseMetricsAddress(*text, result.error);
            if (!result.metrics) {
                return result;
            }
            given << "--metrics";
        } else if (IsOption(arg, "--mqtt")) {
            const std::optional<QString> text = TakeValue(
                arguments, i, "--mqtt",
                QCoreApplication::translate("CommandLine", "%1 wymaga mqtt://HOST[:PORT]/PREFIKS"),
                result.error);
            if (!text) {
                return result;
            }
            result.mqtt = ParseMqttAddress(*text, result.error);
            if (!result.mqtt) {
                return result;
            }
            given << "--mqtt";
        } else if (const MqttSecurityOption* option = MqttSecurityOptionIn(arg)) {
            const QString missing =
                QString::fromLatin1(option->value) == "NAME"
                    ? QCoreApplication::translate("CommandLine", "%1 wymaga nazwy")
                    : QCoreApplication::translate("CommandLine", "%1 wymaga pliku");
            const std::optional<QString> value =
                TakeValue(arguments, i, option->name, missing, result.error);
            if (!value ||
                !SetMqttSecurityOption(result.mqttSecurity, option->name, *value, result.error)) {
                return result;
            }
        } else if (IsOption(arg, "--mqtt-password")) {
            // From a configuration file only: the command line refuses it before parsing.
            const std::optional<QString> password = TakeValue(
                arguments, i, "--mqtt-password",
                QCoreApplication::translate("CommandLine", "%1 wymaga hasła"), result.error);
            if (!password) {
                return result;
            }
            result.mqttSecurity.password = password->toStdString();
        } else if (IsOption(arg, "--metrics-web-config")) {
            const std::optional<QString> path = TakeValue(
                arguments, i, "--metrics-web-config",
                QCoreApplication::translate("CommandLine", "%1 wymaga pliku"), result.error);
            if (!path) {
                return result;
            }
            std::optional<MetricsWebConfig> config = LoadMetricsWebConfig(*path, result.error);
            if (!config) {
                return result;
            }
            result.metricsWebConfig = std::move(*config);
            given << "--metrics-web-config";
        } else if (arg == "--headless") {
            result.headless = true;
        } else if (IsOption(arg, "--duration")) {
            const std::optional<QString> text =
                TakeValue(arguments, i, "--duration",
                          QCoreApplication::translate("CommandLine", "%1 wymaga liczby sekund"),
                          result.error);
            if (!text) {
                return result;
            }
            bool ok = false;
            const long long seconds = text->toLongLong(&ok);
            if (!ok || seconds < 1 || seconds > kLongestDurationSeconds || text->startsWith('+')) {
                result.error =
                    QCoreApplication::translate(
                        "CommandLine",
                        "--duration wymaga całkowitej liczby sekund od 1 do %1, a nie \"%2\"")
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
        } else if (TakeHumidityOption(arguments, i, result, given)) {
            if (!result.error.isEmpty()) {
                return result;
            }
        } else {
            result.error =
                QCoreApplication::translate("CommandLine", "nieznany argument: %1").arg(arg);
            result.unknownArgument = arg;
            return result;
        }
    }
    return result;
}

CommandLine CheckedCombination(CommandLine line) {
    if (line.error.isEmpty()) {
        line.error = CombinationError(line, line.given);
    }
    if (line.error.isEmpty()) {
        line.error = HumidityCombinationError(line, line.given);
    }
    return line;
}

QString CommandLineHelp(const QString& program) {
    // Each block is one text for the translator, laid out as printed: lines within 80
    // columns, an option's description from column 20.
    QString help =
        QCoreApplication::translate(
            "CommandLine",
            "Użycie: %1 [--config PLIK] [--port ŚCIEŻKA]...\n"
            "          [--csv-dir KATALOG | --no-csv]\n"
            "          [--metrics [ADRES:]PORT [--metrics-web-config PLIK]]\n"
            "          [--mqtt mqtt[s]://HOST[:PORT]/PREFIKS [--mqtt-user NAZWA]\n"
            "           [--mqtt-password-file PLIK] [--mqtt-ca PLIK]\n"
            "           [--mqtt-cert PLIK --mqtt-key PLIK]]\n"
            "       %1 --headless [--config PLIK] [--port ŚCIEŻKA]... [--quiet]\n"
            "                     [--duration SEKUNDY] [--csv-dir KATALOG | --no-csv]\n"
            "                     [--metrics [ADRES:]PORT ...]\n"
            "                     [--mqtt mqtt[s]://HOST[:PORT]/PREFIKS ...]\n"
            "       %1 --headless [--config PLIK] [--port ŚCIEŻKA]...\n"
            "                     --dump-logger | --read-settings\n"
            "       %1 [--headless] ... [--pressure HPA]\n"
            "       %1 --headless ... [--until-stable] [--stable-window SEKUNDY]\n"
            "                     [--stable-band STOPNIE] [--stable-drift STOPNIE_NA_H]\n"
            "       %1 --help | --version\n"
            "Klient higrometru z lustrem chłodzonym: okno, a z --headless praca\n"
            "bez ekranu.\n")
            .arg(program);
    help += '\n';
    help += QCoreApplication::translate(
        "CommandLine",
        "  --config PLIK    weź opcje z PLIKU: wiersze \"klucz = wartość\", gdzie klucz to\n"
        "                   długa opcja bez \"--\", a opcja bez wartości to sam klucz;\n"
        "                   # zaczyna komentarz; opcje wiersza poleceń mają pierwszeństwo\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --port ŚCIEŻKA   przy łączeniu próbuj tego portu szeregowego (można\n"
        "                   powtarzać, w podanej kolejności; zastępuje listę portów\n"
        "                   zgłaszanych przez system); rfc2217://HOST:PORT lub\n"
        "                   tcp://HOST:PORT dla serwera portów szeregowych (RFC 2217\n"
        "                   lub surowy TCP)\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --csv-dir KATALOG\n"
        "                   zapisuj datowany zapis hygrometer-YYYYMMDD-HHMMSS.csv\n"
        "                   w KATALOGU zamiast w katalogu roboczym\n");
    help += QCoreApplication::translate("CommandLine",
                                        "  --no-csv         nie twórz datowanego zapisu\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --metrics [ADRES:]PORT\n"
        "                   udostępniaj odczyty Prometheusowi pod adresem\n"
        "                   http://ADRES:PORT/metrics; bez ADRESU 127.0.0.1, więc\n"
        "                   dostęp ma tylko ten komputer (0.0.0.0 lub [::]: każda\n"
        "                   sieć); PORT 0 wybiera wolny port\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --metrics-web-config PLIK\n"
        "                   kto może czytać metryki i jak: PLIK w formacie konfiguracji\n"
        "                   WWW eksporterów Prometheusa: basic_auth_users (skróty\n"
        "                   bcrypt), tls_server_config (HTTPS, certyfikaty klientów)\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --mqtt mqtt://HOST[:PORT]/PREFIKS\n"
        "                   publikuj każdą próbkę jako JSON w PREFIKS/<numer>/sample,\n"
        "                   a stan połączenia, zachowywany, w PREFIKS/<numer>/status\n"
        "                   (numer seryjny urządzenia) na tym brokerze MQTT (bez PORTU\n"
        "                   1883); niedostępny broker jest ponawiany w tle\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --mqtt mqtts://HOST[:PORT]/PREFIKS\n"
        "                   to samo przez TLS (bez PORTU 8883): certyfikat brokera musi\n"
        "                   być podpisany przez urząd certyfikacji systemu\n"
        "                   (/etc/ssl/certs) i wystawiony dla HOSTA\n"
        "  --mqtt-ca PLIK   z mqtts: ufaj zamiast tego urzędom z PLIKU\n"
        "  --mqtt-user NAZWA\n"
        "                   loguj się do brokera jako NAZWA\n"
        "  --mqtt-password-file PLIK\n"
        "                   hasło to pierwszy wiersz PLIKU (nigdy nie podawaj go\n"
        "                   w wierszu poleceń, który widzi każdy użytkownik)\n"
        "  --mqtt-cert PLIK --mqtt-key PLIK\n"
        "                   z mqtts: certyfikat tego klienta i jego klucz (PEM)\n");
    help += QCoreApplication::translate(
                "CommandLine",
                "  --headless       bez okna: połącz od razu, wypisz identyfikator i wersję,\n"
                "                   zapisuj każdą próbkę do %1 (i do datowanego zapisu) aż\n"
                "                   do SIGINT lub SIGTERM, łącząc ponownie po odłączeniu\n")
                .arg(QString::fromUtf8(kMeasurementLogName));
    help += QCoreApplication::translate(
        "CommandLine",
        "  --duration SEKUNDY\n"
        "                   z --headless: zakończ samodzielnie po SEKUNDACH\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --quiet          z --headless: po starcie nic na standardowe wyjście\n"
        "                   (problemy nadal na standardowe wyjście błędów)\n");
    help += QCoreApplication::translate(
                "CommandLine",
                "  --dump-logger    z --headless: zapisz 256 rekordów rejestratora urządzenia\n"
                "                   do %1 i zakończ (postęp na standardowe wyjście\n"
                "                   błędów, gdy jest terminalem); bez pomiaru\n")
                .arg(QString::fromUtf8(kLoggerDumpName));
    help += QCoreApplication::translate(
        "CommandLine",
        "  --read-settings  z --headless: wypisz ustawienia urządzenia jako wiersze\n"
        "                   \"nazwa = wartość\" i zakończ; bez pomiaru\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --pressure HPA   ciśnienie w hPa dla wielkości wilgotności (stosunek\n"
        "                   zmieszania, ppmv, ciśnienie pary); ma pierwszeństwo przed\n"
        "                   ustawieniem urządzenia, używanym bez tej opcji (do odczytu\n"
        "                   ustawień: 1013.25)\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --until-stable   z --headless: zakończ, gdy punkt rosy jest stabilny, i wypisz\n"
        "                   w jednym wierszu średnią, odchylenie, dryf, liczbę próbek,\n"
        "                   czas i wielkości przy średniej; z --duration kod wyjścia 4,\n"
        "                   gdy nie ustabilizuje się\n");
    help += QCoreApplication::translate(
        "CommandLine",
        "  --stable-window SEKUNDY\n"
        "                   z --headless: okno stabilności (domyślnie 600)\n"
        "  --stable-band STOPNIE\n"
        "                   z --headless: największa rozpiętość punktu rosy w oknie,\n"
        "                   przy której jest stabilny (domyślnie 0.10)\n"
        "  --stable-drift STOPNIE_NA_H\n"
        "                   z --headless: największy dryf stabilnego punktu rosy\n"
        "                   (domyślnie 0.20)\n");
    help += QCoreApplication::translate("CommandLine",
                                        "  --version        wypisz nazwę i wersję programu\n");
    help += QCoreApplication::translate("CommandLine", "  --help           pokaż ten tekst\n");
    help += '\n';
    help += QCoreApplication::translate(
        "CommandLine",
        "Kod wyjścia z --headless: 0 gotowe lub zatrzymane sygnałem, 1 nie można było\n"
        "zapisać pliku lub udostępnić metryk albo odpowiedź urządzenia była niepełna,\n"
        "2 błędne opcje lub plik --config, 3 nie znaleziono urządzenia (każdy\n"
        "sprawdzony port i przyczyna na standardowym wyjściu błędów), 4 z --until-stable\n"
        "i --duration punkt rosy nie ustabilizował się.\n");
    return help;
}

QString VersionLine(const QString& program, const QString& version) {
    return program + QLatin1Char(' ') + version;
}
