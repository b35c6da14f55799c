#include "program/option_rows.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include "humidity/humidity_inputs.h"
#include "logger/logger_dump_file.h"
#include "measure/measurement_log.h"
#include "program/command_line.h"

namespace {

// A run of ten years is the longest --duration takes.
constexpr long long kLongestDurationSeconds = 10LL * 366 * 24 * 3600;

// The stability window's length, its band and its drift limit: plain decimals within these.
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

QString SetDuration(CommandLine& line, const QString& text) {
    bool ok = false;
    const long long seconds = text.toLongLong(&ok);
    if (!ok || seconds < 1 || seconds > kLongestDurationSeconds || text.startsWith('+')) {
        return QCoreApplication::translate(
                   "CommandLine",
                   "--duration wymaga całkowitej liczby sekund od 1 do %1, a nie \"%2\"")
            .arg(kLongestDurationSeconds)
            .arg(text);
    }
    line.duration = std::chrono::seconds(seconds);
    return {};
}

QString SetPressure(CommandLine& line, const QString& text) {
    QString error;
    line.pressureHpa = TakeDecimal("--pressure", text, humidity::kLowestPressureHpa,
                                   humidity::kHighestPressureHpa, true, error);
    return error;
}

QString SetStableWindow(CommandLine& line, const QString& text) {
    QString error;
    const auto seconds =
        TakeDecimal("--stable-window", text, 0.0, kLongestStableWindowSeconds, false, error);
    line.stability.windowSeconds = seconds.value_or(line.stability.windowSeconds);
    return error;
}

QString SetStableBand(CommandLine& line, const QString& text) {
    QString error;
    const auto degrees = TakeDecimal("--stable-band", text, 0.0, kWidestStableBand, true, error);
    line.stability.bandDegrees = degrees.value_or(line.stability.bandDegrees);
    return error;
}

QString SetStableDrift(CommandLine& line, const QString& text) {
    QString error;
    const auto drift = TakeDecimal("--stable-drift", text, 0.0, kLargestStableDrift, true, error);
    line.stability.driftDegreesPerHour = drift.value_or(line.stability.driftDegreesPerHour);
    return error;
}

QString SetMetrics(CommandLine& line, const QString& text) {
    QString error;
    line.metrics = ParseMetricsAddress(text, error);
    return error;
}

QString SetMqtt(CommandLine& line, const QString& text) {
    QString error;
    line.mqtt = ParseMqttAddress(text, error);
    return error;
}

// The password itself: it replaces a password file named before it.
QString SetMqttPassword(CommandLine& line, const QString& password) {
    std::erase_if(line.namedFiles,
                  [](const NamedFile& file) { return file.option == "--mqtt-password-file"; });
    line.mqttSecurity.password = password.toStdString();
    return {};
}

// A password file replaces a password given before it; its own is read later.
QString ForgetMqttPassword(CommandLine& line, const QString&) {
    line.mqttSecurity.password.reset();
    return {};
}

QString LoadMqttSecurityFile(CommandLine& line, const QString& option, const QString& path) {
    QString error;
    SetMqttSecurityOption(line.mqttSecurity, option, path, error);
    return error;
}

QString LoadWebConfig(CommandLine& line, const QString&, const QString& path) {
    QString error;
    std::optional<MetricsWebConfig> config = LoadMetricsWebConfig(path, error);
    if (config) {
        line.metricsWebConfig = std::move(*config);
    }
    return error;
}

// An option without a value that turns `member` on.
template <bool CommandLine::*member>
QString TurnOn(CommandLine& line, const QString&) {
    line.*member = true;
    return {};
}

template <HeadlessJob job>
QString SetJob(CommandLine& line, const QString&) {
    line.headlessJob = job;
    return {};
}

// The placeholders and the messages for a value left out that several options share.
constexpr const char* kFile = QT_TRANSLATE_NOOP("CommandLine", "PLIK");
constexpr const char* kNeedsFile = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga pliku");
constexpr const char* kSeconds = QT_TRANSLATE_NOOP("CommandLine", "SEKUNDY");
constexpr const char* kNeedsSeconds = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga liczby sekund");

// Each help is laid out as printed: lines within 61 columns, which the help puts from
// column 20.
const OptionRow kRows[] = {
    {.name = "config",
     .value = OptionValue::Required,
     .placeholder = kFile,
     .missing = kNeedsFile,
     .set =
         [](CommandLine& line, const QString& path) {
             line.configFile = path;
             return QString();
         },
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "weź opcje z PLIKU: wiersze \"klucz = wartość\", gdzie klucz to\n"
                               "długa opcja bez \"--\", a opcja bez wartości to sam klucz;\n"
                               "# zaczyna komentarz; opcje wiersza poleceń mają pierwszeństwo"),
     .source = OptionSource::CommandLineOnly},
    {.name = "port",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "ŚCIEŻKA"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga ścieżki"),
     .set =
         [](CommandLine& line, const QString& path) {
             line.ports.push_back(path.toStdString());
             return QString();
         },
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "przy łączeniu próbuj tego portu szeregowego (można\n"
                               "powtarzać, w podanej kolejności; zastępuje listę portów\n"
                               "zgłaszanych przez system); rfc2217://HOST:PORT lub\n"
                               "tcp://HOST:PORT dla serwera portów szeregowych (RFC 2217\n"
                               "lub surowy TCP)")},
    {.name = "csv-dir",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "KATALOG"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga katalogu"),
     .set =
         [](CommandLine& line, const QString& directory) {
             line.recordDirectory = directory.toStdString();
             return QString();
         },
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "zapisuj datowany zapis hygrometer-YYYYMMDD-HHMMSS.csv\n"
                               "w KATALOGU zamiast w katalogu roboczym")},
    {.name = "no-csv",
     .set =
         [](CommandLine& line, const QString&) {
             line.recordDirectory.reset();
             return QString();
         },
     .help = QT_TRANSLATE_NOOP("CommandLine", "nie twórz datowanego zapisu"),
     .sameSettingAs = "csv-dir"},
    {.name = "metrics",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "[ADRES:]PORT"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga [ADRES:]PORT"),
     .set = SetMetrics,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "udostępniaj odczyty Prometheusowi pod adresem\n"
                               "http://ADRES:PORT/metrics; bez ADRESU 127.0.0.1, więc\n"
                               "dostęp ma tylko ten komputer (0.0.0.0 lub [::]: każda\n"
                               "sieć); PORT 0 wybiera wolny port"),
     .measuringOnly = true},
    {.name = "metrics-web-config",
     .value = OptionValue::Required,
     .placeholder = kFile,
     .missing = kNeedsFile,
     .load = LoadWebConfig,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "kto może czytać metryki: PLIK w formacie konfiguracji WWW\n"
                               "eksporterów Prometheusa, z basic_auth_users (skróty\n"
                               "bcrypt); tls_server_config jest odrzucane, bo serwer HTTP\n"
                               "tego systemu nie daje TLS"),
     .needs = "metrics"},
    {.name = "mqtt",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "mqtt://HOST[:PORT]/PREFIKS"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga mqtt://HOST[:PORT]/PREFIKS"),
     .set = SetMqtt,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "publikuj każdą próbkę jako JSON w PREFIKS/<numer>/sample,\n"
                               "a stan połączenia, zachowywany, w PREFIKS/<numer>/status\n"
                               "(numer seryjny urządzenia) na tym brokerze MQTT (bez PORTU\n"
                               "1883); niedostępny broker jest ponawiany w tle"),
     .otherForm = {QT_TRANSLATE_NOOP("CommandLine", "mqtts://HOST[:PORT]/PREFIKS"),
                   QT_TRANSLATE_NOOP("CommandLine",
                                     "to samo przez TLS (bez PORTU 8883): certyfikat brokera musi\n"
                                     "być podpisany przez urząd certyfikacji systemu\n"
                                     "(/etc/ssl/certs) i wystawiony dla HOSTA")},
     .measuringOnly = true},
    {.name = "mqtt-ca",
     .value = OptionValue::Required,
     .placeholder = kFile,
     .missing = kNeedsFile,
     .load = LoadMqttSecurityFile,
     .help = QT_TRANSLATE_NOOP("CommandLine", "z mqtts: ufaj zamiast tego urzędom z PLIKU")},
    {.name = "mqtt-user",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "NAZWA"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga nazwy"),
     .set =
         [](CommandLine& line, const QString& name) {
             line.mqttSecurity.user = name.toStdString();
             return QString();
         },
     .help = QT_TRANSLATE_NOOP("CommandLine", "loguj się do brokera jako NAZWA")},
    {.name = "mqtt-password-file",
     .value = OptionValue::Required,
     .placeholder = kFile,
     .missing = kNeedsFile,
     .set = ForgetMqttPassword,
     .load = LoadMqttSecurityFile,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "hasło to pierwszy wiersz PLIKU (nigdy nie podawaj go\n"
                               "w wierszu poleceń, który widzi każdy użytkownik)")},
    {.name = "mqtt-password",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "HASŁO"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga hasła"),
     .set = SetMqttPassword,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "tylko w pliku --config (wiersz poleceń widzi każdy\n"
                               "użytkownik): samo hasło, zamiast --mqtt-password-file;\n"
                               "plik musi być wtedy niedostępny dla innych niż właściciel\n"
                               "i grupa"),
     .source = OptionSource::FileOnly},
    {.name = "mqtt-cert",
     .value = OptionValue::Required,
     .placeholder = kFile,
     .missing = kNeedsFile,
     .load = LoadMqttSecurityFile,
     .help =
         QT_TRANSLATE_NOOP("CommandLine", "z mqtts: certyfikat tego klienta i jego klucz (PEM)")},
    {.name = "mqtt-key",
     .value = OptionValue::Required,
     .placeholder = kFile,
     .missing = kNeedsFile,
     .load = LoadMqttSecurityFile},
    {.name = "headless",
     .set = TurnOn<&CommandLine::headless>,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "bez okna: połącz od razu, wypisz identyfikator i wersję,\n"
                               "zapisuj każdą próbkę do %1 (i do datowanego zapisu) aż\n"
                               "do SIGINT lub SIGTERM, łącząc ponownie po odłączeniu"),
     .helpArgument = kMeasurementLogName},
    {.name = "duration",
     .value = OptionValue::Required,
     .placeholder = kSeconds,
     .missing = kNeedsSeconds,
     .set = SetDuration,
     .help = QT_TRANSLATE_NOOP("CommandLine", "z --headless: zakończ samodzielnie po SEKUNDACH"),
     .run = OptionRun::HeadlessOnly,
     .measuringOnly = true},
    {.name = "quiet",
     .set = TurnOn<&CommandLine::quiet>,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "z --headless: po starcie nic na standardowe wyjście\n"
                               "(problemy nadal na standardowe wyjście błędów)"),
     .run = OptionRun::HeadlessOnly},
    {.name = "dump-logger",
     .set = SetJob<HeadlessJob::DumpLogger>,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "z --headless: zapisz 256 rekordów rejestratora urządzenia\n"
                               "do %1 i zakończ (postęp na standardowe wyjście\n"
                               "błędów, gdy jest terminalem); bez pomiaru"),
     .helpArgument = kLoggerDumpName,
     .run = OptionRun::HeadlessOnly},
    {.name = "read-settings",
     .set = SetJob<HeadlessJob::ReadSettings>,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "z --headless: wypisz ustawienia urządzenia jako wiersze\n"
                               "\"nazwa = wartość\" i zakończ; bez pomiaru"),
     .run = OptionRun::HeadlessOnly},
    {.name = "pressure",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "HPA"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga ciśnienia w hPa"),
     .set = SetPressure,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "ciśnienie w hPa dla wielkości wilgotności (stosunek\n"
                               "zmieszania, ppmv, ciśnienie pary); ma pierwszeństwo przed\n"
                               "ustawieniem urządzenia, używanym bez tej opcji (do odczytu\n"
                               "ustawień: 1013.25)"),
     .measuringOnly = true},
    {.name = "until-stable",
     .set = TurnOn<&CommandLine::untilStable>,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "z --headless: zakończ, gdy punkt rosy jest stabilny, i wypisz\n"
                               "w jednym wierszu średnią, odchylenie, dryf, liczbę próbek,\n"
                               "czas i wielkości przy średniej; z --duration kod wyjścia 4,\n"
                               "gdy nie ustabilizuje się"),
     .run = OptionRun::HeadlessOnly,
     .measuringOnly = true},
    {.name = "stable-window",
     .value = OptionValue::Required,
     .placeholder = kSeconds,
     .missing = kNeedsSeconds,
     .set = SetStableWindow,
     .help = QT_TRANSLATE_NOOP("CommandLine", "z --headless: okno stabilności (domyślnie 600)"),
     .run = OptionRun::HeadlessOnly,
     .measuringOnly = true},
    {.name = "stable-band",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "STOPNIE"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga liczby stopni"),
     .set = SetStableBand,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "z --headless: największa rozpiętość punktu rosy w oknie,\n"
                               "przy której jest stabilny (domyślnie 0.10)"),
     .run = OptionRun::HeadlessOnly,
     .measuringOnly = true},
    {.name = "stable-drift",
     .value = OptionValue::Required,
     .placeholder = QT_TRANSLATE_NOOP("CommandLine", "STOPNIE_NA_H"),
     .missing = QT_TRANSLATE_NOOP("CommandLine", "%1 wymaga liczby stopni na godzinę"),
     .set = SetStableDrift,
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "z --headless: największy dryf stabilnego punktu rosy\n"
                               "(domyślnie 0.20)"),
     .run = OptionRun::HeadlessOnly,
     .measuringOnly = true},
    {.name = "version",
     .set = TurnOn<&CommandLine::showVersion>,
     .help = QT_TRANSLATE_NOOP("CommandLine", "wypisz nazwę i wersję programu"),
     .source = OptionSource::CommandLineOnly},
    {.name = "help",
     .set = TurnOn<&CommandLine::showHelp>,
     .help = QT_TRANSLATE_NOOP("CommandLine", "pokaż ten tekst"),
     .source = OptionSource::CommandLineOnly,
     .alias = "-h"},
};

}  // namespace

std::span<const OptionRow> OptionRows() {
    return kRows;
}

const OptionRow* FindOption(const QString& name) {
    for (const OptionRow& row : kRows) {
        if (name == QLatin1String(row.name)) {
            return &row;
        }
    }
    return nullptr;
}

bool NamesOption(const OptionRow& row, const QString& arg) {
    const QString name = row.LongName();
    return arg == name || (row.alias != nullptr && arg == QLatin1String(row.alias)) ||
           (row.value != OptionValue::None && arg.startsWith(name + '='));
}

std::optional<QString> TakeOptionValue(const OptionRow& row, const QStringList& arguments, int& i) {
    const QString& arg = arguments[i];
    const qsizetype equals = arg.startsWith("--") ? arg.indexOf('=') : -1;
    if (row.value == OptionValue::None || (row.value == OptionValue::Optional && equals < 0)) {
        return QString();
    }
    QString value;
    if (equals >= 0) {
        value = arg.mid(equals + 1);
    } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
    }
    if (value.isEmpty()) {
        return std::nullopt;
    }
    return value;
}

QString OptionText(const char* text) {
    return text != nullptr ? QCoreApplication::translate("CommandLine", text) : QString();
}
