// The programs' command line: what each option sets, and which lines are refused, in both
// languages.
#include "program/command_line.h"

#include <gtest/gtest.h>

#include "common/language.h"

namespace {

using namespace std::chrono_literals;

struct AcceptedCase {
    QStringList arguments;
    std::vector<std::string> ports;
    std::optional<std::string> recordDirectory;
    bool headless;
    HeadlessJob job;
    std::optional<std::chrono::seconds> duration;
    bool quiet;
};

TEST(ParseCommandLine, SetsWhatEachOptionSays) {
    const AcceptedCase cases[] = {
        {{}, {}, "", false, HeadlessJob::Measure, {}, false},
        {{"--port", "/dev/ttyUSB0", "--port=/dev/ttyS1"},
         {"/dev/ttyUSB0", "/dev/ttyS1"},
         "",
         false,
         HeadlessJob::Measure,
         {},
         false},
        // Serial device servers, kept as given and in order among local ports.
        {{"--port", "rfc2217://bench:2000", "--port=/dev/ttyS1", "--port", "tcp://[::1]:4001"},
         {"rfc2217://bench:2000", "/dev/ttyS1", "tcp://[::1]:4001"},
         "",
         false,
         HeadlessJob::Measure,
         {},
         false},
        {{"--csv-dir", "/data/lab"}, {}, "/data/lab", false, HeadlessJob::Measure, {}, false},
        {{"--csv-dir=rel"}, {}, "rel", false, HeadlessJob::Measure, {}, false},
        {{"--no-csv"}, {}, std::nullopt, false, HeadlessJob::Measure, {}, false},
        {{"--headless"}, {}, "", true, HeadlessJob::Measure, {}, false},
        {{"--headless", "--duration", "3600", "--quiet", "--no-csv"},
         {},
         std::nullopt,
         true,
         HeadlessJob::Measure,
         3600s,
         true},
        {{"--duration=5", "--headless"}, {}, "", true, HeadlessJob::Measure, 5s, false},
        {{"--headless", "--dump-logger", "--port", "p"},
         {"p"},
         "",
         true,
         HeadlessJob::DumpLogger,
         {},
         false},
        {{"--read-settings", "--headless", "--quiet"},
         {},
         "",
         true,
         HeadlessJob::ReadSettings,
         {},
         true},
    };
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, QString());
        EXPECT_EQ(line.ports, c.ports);
        EXPECT_EQ(line.recordDirectory, c.recordDirectory);
        EXPECT_EQ(line.headless, c.headless);
        EXPECT_EQ(line.headlessJob, c.job);
        EXPECT_EQ(line.duration, c.duration);
        EXPECT_EQ(line.quiet, c.quiet);
        EXPECT_FALSE(line.showHelp);
    }
    EXPECT_TRUE(ParseCommandLine({"--headless", "--help"}).showHelp);
    EXPECT_TRUE(ParseCommandLine({"-h"}).showHelp);
}

TEST(ParseCommandLine, AsksForTheVersionAndNamesTheConfigurationFile) {
    EXPECT_TRUE(ParseCommandLine({"--version"}).showVersion);
    EXPECT_TRUE(ParseCommandLine({"--version"}).AnswersAtOnce());
    EXPECT_TRUE(ParseCommandLine({"--headless", "--version"}).AnswersAtOnce());
    EXPECT_FALSE(ParseCommandLine({"--help"}).showVersion);
    EXPECT_FALSE(ParseCommandLine({"--port", "p"}).AnswersAtOnce());
    EXPECT_EQ(ParseCommandLine({"--config", "/etc/hygrometer/a b.conf"}).configFile,
              QString("/etc/hygrometer/a b.conf"));
    EXPECT_EQ(ParseCommandLine({"--config=lab.conf", "--headless"}).configFile,
              QString("lab.conf"));
    EXPECT_EQ(ParseCommandLine({"--headless"}).configFile, std::nullopt);
    EXPECT_FALSE(ParseCommandLine({"--config", "lab.conf"}).AnswersAtOnce());
}

// Options added to what was read before: a value replaces, a repeatable option adds, and the
// whole is checked only when asked.
TEST(ParseOptions, AddsToWhatWasReadBefore) {
    const CommandLine first = ParseOptions({"--port", "a", "--metrics", "9101", "--quiet"}, {});
    EXPECT_EQ(first.error, QString()) << "--quiet without --headless is not checked yet";
    const CommandLine second = ParseOptions({"--port=b", "--metrics", "9102", "--headless"}, first);
    EXPECT_EQ(second.ports, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(second.metrics, (MetricsAddress{"127.0.0.1", 9102}));
    EXPECT_TRUE(second.quiet);
    EXPECT_EQ(CheckedCombination(second).error, QString());
    EXPECT_EQ(CheckedCombination(first).error,
              QString::fromUtf8("--quiet działa tylko z --headless"));
    EXPECT_EQ(ParseOptions({"--no-csv"}, ParseOptions({"--csv-dir", "x"}, {})).error, QString());
    EXPECT_EQ(
        CheckedCombination(ParseOptions({"--no-csv"}, ParseOptions({"--csv-dir", "x"}, {}))).error,
        QString::fromUtf8("Nie można podać razem --csv-dir i --no-csv"));
    EXPECT_EQ(ParseOptions({"--port", "p", "bogus"}, {}).unknownArgument, QString("bogus"));
    EXPECT_EQ(ParseOptions({"--port", "p"}, {}).unknownArgument, QString());
}

TEST(ParseCommandLine, TakesTheMetricsAndTheBrokerAddresses) {
    struct Case {
        QStringList arguments;
        std::optional<MetricsAddress> metrics;
        std::optional<MqttAddress> mqtt;
    };
    const Case cases[] = {
        {{}, std::nullopt, std::nullopt},
        {{"--metrics", "9101"}, MetricsAddress{"127.0.0.1", 9101}, std::nullopt},
        {{"--metrics=[::]:80", "--headless"}, MetricsAddress{"::", 80}, std::nullopt},
        {{"--mqtt", "mqtt://localhost/lab"}, std::nullopt, MqttAddress{"localhost", 1883, "lab"}},
        {{"--headless", "--mqtt=mqtt://10.0.0.2:1884/a/b", "--metrics", "0.0.0.0:9101"},
         MetricsAddress{"0.0.0.0", 9101},
         MqttAddress{"10.0.0.2", 1884, "a/b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, QString());
        EXPECT_EQ(line.metrics, c.metrics);
        EXPECT_EQ(line.mqtt, c.mqtt);
    }
}

TEST(ParseCommandLine, RefusesWhatCannotBeRunInEnglish) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--bogus"}, "unknown argument: --bogus"},
        {{"--port"}, "--port needs a path"},
        {{"--port="}, "--port needs a path"},
        {{"--csv-dir"}, "--csv-dir needs a directory"},
        {{"--headless", "--duration"}, "--duration needs a number of seconds"},
        {{"--headless", "--duration", "soon"},
         "--duration needs a whole number of seconds from 1 to 316224000, not \"soon\""},
        {{"--headless", "--duration", "0"},
         "--duration needs a whole number of seconds from 1 to 316224000, not \"0\""},
        {{"--headless", "--duration", "-5"},
         "--duration needs a whole number of seconds from 1 to 316224000, not \"-5\""},
        {{"--headless", "--duration", "1.5"},
         "--duration needs a whole number of seconds from 1 to 316224000, not \"1.5\""},
        {{"--headless", "--duration", "316224001"},
         "--duration needs a whole number of seconds from 1 to 316224000, not \"316224001\""},
        {{"--quiet"}, "--quiet needs --headless"},
        {{"--duration", "5"}, "--duration needs --headless"},
        {{"--dump-logger"}, "--dump-logger needs --headless"},
        {{"--read-settings"}, "--read-settings needs --headless"},
        {{"--headless", "--dump-logger", "--read-settings"},
         "--dump-logger and --read-settings cannot be given together"},
        {{"--headless", "--read-settings", "--duration", "5"},
         "--duration goes with measuring, not with --dump-logger or --read-settings"},
        {{"--csv-dir", "x", "--no-csv"}, "--csv-dir and --no-csv cannot be given together"},
        {{"--metrics"}, "--metrics needs [ADDRESS:]PORT"},
        {{"--mqtt"}, "--mqtt needs mqtt://HOST[:PORT]/PREFIX"},
        {{"--config"}, "--config needs a file"},
        {{"--mqtt", "localhost"},
         "--mqtt needs mqtt://HOST[:PORT]/PREFIX, not \"localhost\": it begins with mqtt:// or "
         "mqtts://"},
        {{"--headless", "--read-settings", "--metrics", "9101"},
         "--metrics goes with measuring, not with --dump-logger or --read-settings"},
        {{"--headless", "--dump-logger", "--mqtt", "mqtt://h/lab"},
         "--mqtt goes with measuring, not with --dump-logger or --read-settings"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(InEnglish([&] { return ParseCommandLine(arguments); }).error,
                  QString::fromUtf8(error));
    }
}

TEST(ParseCommandLine, RefusesInPolishInThePolishProgram) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--bogus"}, "nieznany argument: --bogus"},
        {{"--port"}, "--port wymaga ścieżki"},
        {{"--csv-dir="}, "--csv-dir wymaga katalogu"},
        {{"--config"}, "--config wymaga pliku"},
        {{"--headless", "--duration"}, "--duration wymaga liczby sekund"},
        {{"--headless", "--duration", "0"},
         "--duration wymaga całkowitej liczby sekund od 1 do 316224000, a nie \"0\""},
        {{"--quiet"}, "--quiet działa tylko z --headless"},
        {{"--headless", "--dump-logger", "--read-settings"},
         "Nie można podać razem --dump-logger i --read-settings"},
        {{"--csv-dir", "x", "--no-csv"}, "Nie można podać razem --csv-dir i --no-csv"},
        {{"--headless", "--read-settings", "--duration", "5"},
         "--duration dotyczy pomiaru, nie --dump-logger ani --read-settings"},
        {{"--headless", "--dump-logger", "--mqtt", "mqtt://h/lab"},
         "--mqtt dotyczy pomiaru, nie --dump-logger ani --read-settings"},
        {{"--metrics"}, "--metrics wymaga [ADRES:]PORT"},
        {{"--mqtt"}, "--mqtt wymaga mqtt://HOST[:PORT]/PREFIKS"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(ParseCommandLine(arguments).error, QString::fromUtf8(error));
    }
}

// The addresses' own parsers explain what is wrong with a value.
TEST(ParseCommandLine, RefusesAddressesItCannotUse) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--metrics", "localhost:9101"},
         "--metrics wymaga [ADRES:]PORT z adresem liczbowym, np. 0.0.0.0 lub [::1], a nie "
         "\"localhost:9101\""},
        {{"--mqtt", "localhost"},
         "--mqtt wymaga mqtt://HOST[:PORT]/PREFIKS, a nie \"localhost\": adres zaczyna się od "
         "mqtt:// lub mqtts://"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(ParseCommandLine(arguments).error, QString::fromUtf8(error));
    }
}

TEST(CommandLineHelp, ListsEveryOption) {
    const QString help = InEnglish([] { return CommandLineHelp("hygrometer"); });
    for (const char* option :
         {"--port PATH", "--csv-dir DIR", "--no-csv", "--headless", "--duration SECONDS", "--quiet",
          "--dump-logger", "--read-settings", "--metrics [ADDRESS:]PORT",
          "--mqtt mqtt://HOST[:PORT]/PREFIX", "--config FILE", "--version", "--help", "Exit status",
          "log every sample to jrt1.txt", "to logged.txt"}) {
        SCOPED_TRACE(option);
        EXPECT_TRUE(help.contains(QString::fromUtf8(option)));
    }
    EXPECT_TRUE(help.startsWith("Usage: hygrometer "));
}

TEST(CommandLineHelp, ListsEveryOptionInPolish) {
    const QString help = CommandLineHelp("hygrometer");
    for (const char* option :
         {"--port ŚCIEŻKA", "--csv-dir KATALOG", "--no-csv", "--headless", "--duration SEKUNDY",
          "--quiet", "--dump-logger", "--read-settings", "--metrics [ADRES:]PORT",
          "--mqtt mqtt://HOST[:PORT]/PREFIKS", "--config PLIK", "--version", "--help",
          "Kod wyjścia", "zapisuj każdą próbkę do jrt1.txt", "do logged.txt"}) {
        SCOPED_TRACE(option);
        EXPECT_TRUE(help.contains(QString::fromUtf8(option)));
    }
    EXPECT_TRUE(help.startsWith("Użycie: hygrometer "));
}

// A line of the usage with options alone ("--dump-logger | --read-settings") reads the same
// in either language.
bool OptionsAlone(const QString& line) {
    for (const QString& word : line.split(' ', Qt::SkipEmptyParts)) {
        if (word != "hygrometer" && word != "|" && word != "..." && !word.startsWith('-') &&
            !word.startsWith('[') && !word.endsWith(']')) {
            return false;
        }
    }
    return true;
}

// A terminal's 80 columns (with the program's name as the package installs it), and no line
// of the Polish help left as it was in the English one.
TEST(CommandLineHelp, FitsEightyColumnsAndIsWholeInBothLanguages) {
    const QStringList polish = CommandLineHelp("hygrometer").split('\n');
    for (const QString& line : polish) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_LE(line.size(), 80);
    }
    const QStringList english = InEnglish([] { return CommandLineHelp("hygrometer"); }).split('\n');
    for (const QString& line : english) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_LE(line.size(), 80);
        EXPECT_TRUE(OptionsAlone(line) || !polish.contains(line));
    }
    EXPECT_GE(english.size(), 30);
}

// ---- Humidity: --pressure, the stability criteria and --until-stable ----

TEST(ParseCommandLine, TakesThePressureAndTheStabilityCriteria) {
    CommandLine line = ParseCommandLine({});
    EXPECT_FALSE(line.pressureHpa.has_value());
    EXPECT_EQ(line.stability, humidity::StabilityCriteria{});
    EXPECT_FALSE(line.untilStable);

    line = ParseCommandLine({"--pressure", "1020.5"});  // the window too
    EXPECT_EQ(line.error, QString());
    EXPECT_EQ(line.pressureHpa, 1020.5);

    line =
        ParseCommandLine({"--headless", "--until-stable", "--stable-window=120", "--stable-band",
                          "0.05", "--stable-drift", ".5", "--pressure=800", "--duration", "3600"});
    EXPECT_EQ(line.error, QString());
    EXPECT_TRUE(line.untilStable);
    EXPECT_EQ(line.pressureHpa, 800.0);
    EXPECT_EQ(line.stability.windowSeconds, 120.0);
    EXPECT_EQ(line.stability.bandDegrees, 0.05);
    EXPECT_EQ(line.stability.driftDegreesPerHour, 0.5);
    EXPECT_EQ(line.stability.maxGapSeconds, 10.0);
    EXPECT_EQ(line.duration, 3600s);

    line = ParseCommandLine({"--headless", "--stable-band", "0", "--stable-drift", "0"});
    EXPECT_EQ(line.error, QString());
    EXPECT_EQ(line.stability.bandDegrees, 0.0);
    EXPECT_EQ(line.stability.driftDegreesPerHour, 0.0);
}

TEST(ParseCommandLine, RefusesWrongHumidityOptions) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--pressure"}, "--pressure needs a pressure in hPa"},
        {{"--pressure", "9.5"}, "--pressure needs a number from 10 to 10000, not \"9.5\""},
        {{"--pressure", "1e3"}, "--pressure needs a number from 10 to 10000, not \"1e3\""},
        {{"--pressure", "1013,25"}, "--pressure needs a number from 10 to 10000, not \"1013,25\""},
        {{"--pressure", "-1013"}, "--pressure needs a number from 10 to 10000, not \"-1013\""},
        {{"--headless", "--stable-window", "0"},
         "--stable-window needs a number above 0 to 2678400, not \"0\""},
        {{"--headless", "--stable-window", "2678401"},
         "--stable-window needs a number above 0 to 2678400, not \"2678401\""},
        {{"--headless", "--stable-band", "-0.1"},
         "--stable-band needs a number from 0 to 100, not \"-0.1\""},
        {{"--headless", "--stable-drift", "fast"},
         "--stable-drift needs a number from 0 to 1000, not \"fast\""},
        {{"--headless", "--stable-drift"}, "--stable-drift needs a number of degrees per hour"},
        {{"--until-stable"}, "--until-stable needs --headless"},
        {{"--stable-window", "60"}, "--stable-window needs --headless"},
        {{"--stable-band", "0.1"}, "--stable-band needs --headless"},
        {{"--stable-drift", "0.1"}, "--stable-drift needs --headless"},
        {{"--headless", "--read-settings", "--until-stable"},
         "--until-stable goes with measuring, not with --dump-logger or --read-settings"},
        {{"--headless", "--dump-logger", "--pressure", "1000"},
         "--pressure goes with measuring, not with --dump-logger or --read-settings"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(InEnglish([&] { return ParseCommandLine(arguments); }).error,
                  QString::fromUtf8(error));
    }
}

TEST(CommandLineHelp, ListsTheHumidityOptions) {
    const QString help = InEnglish([] { return CommandLineHelp("hygrometer"); });
    for (const char* option :
         {"--pressure HPA", "--until-stable", "--stable-window SECONDS", "--stable-band DEGREES",
          "--stable-drift DEGREES_PER_HOUR", "4 with --until-stable"}) {
        SCOPED_TRACE(option);
        EXPECT_TRUE(help.contains(QString::fromUtf8(option)));
    }
}

TEST(CommandLineHelp, GivesTheSerialDeviceServerForms) {
    const QString help = CommandLineHelp("hygrometer");
    EXPECT_TRUE(help.contains("rfc2217://HOST:PORT"));
    EXPECT_TRUE(help.contains("tcp://HOST:PORT"));
}

}  // namespace
