// The programs' command line: what each option sets, and which lines are refused.
#include "program/command_line.h"

#include <gtest/gtest.h>

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

TEST(ParseCommandLine, RefusesWhatCannotBeRun) {
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
        {{"--metrics", "localhost:9101"},
         "--metrics needs [ADDRESS:]PORT with a numeric address such as 0.0.0.0 or [::1], not "
         "\"localhost:9101\""},
        {{"--mqtt"}, "--mqtt needs mqtt://HOST[:PORT]/PREFIX"},
        {{"--mqtt", "localhost"},
         "--mqtt needs mqtt://HOST[:PORT]/PREFIX, not \"localhost\": it begins with mqtt://"},
        {{"--headless", "--read-settings", "--metrics", "9101"},
         "--metrics goes with measuring, not with --dump-logger or --read-settings"},
        {{"--headless", "--dump-logger", "--mqtt", "mqtt://h/lab"},
         "--mqtt goes with measuring, not with --dump-logger or --read-settings"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(ParseCommandLine(arguments).error, QString::fromUtf8(error));
    }
}

TEST(CommandLineHelp, ListsEveryOption) {
    const QString help = CommandLineHelp("hygrometer");
    for (const char* option :
         {"--port PATH", "--csv-dir DIR", "--no-csv", "--headless", "--duration SECONDS", "--quiet",
          "--dump-logger", "--read-settings", "--metrics [ADDRESS:]PORT",
          "--mqtt mqtt://HOST[:PORT]/PREFIX", "--help", "Exit status"}) {
        SCOPED_TRACE(option);
        EXPECT_TRUE(help.contains(QString::fromUtf8(option)));
    }
    EXPECT_TRUE(help.startsWith("Usage: hygrometer "));
}

TEST(CommandLineHelp, GivesTheSerialDeviceServerForms) {
    const QString help = CommandLineHelp("hygrometer");
    EXPECT_TRUE(help.contains("rfc2217://HOST:PORT"));
    EXPECT_TRUE(help.contains("tcp://HOST:PORT"));
}

}  // namespace
