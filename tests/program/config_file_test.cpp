// The configuration file: which files give which options, with the command line winning,
// and which are refused with the file's name and the line.
#include <gtest/gtest.h>

#include <QFile>

#include "common/scratch_files.h"
#include "program/config_file.h"
#include "program/program_options.h"

namespace {

using namespace std::chrono_literals;

CommandLine Combine(const QStringList& arguments, const char* file) {
    return CombineOptions(arguments, ConfigSource{"lab.conf", QByteArray(file)});
}

TEST(ConfigFile, GivesTheOptionsOfItsLines) {
    struct Case {
        QStringList arguments;
        const char* file;
        std::vector<std::string> ports;
        std::optional<std::string> recordDirectory;
        std::optional<MetricsAddress> metrics;
        std::optional<MqttAddress> mqtt;
        bool headless;
        bool quiet;
        std::optional<std::chrono::seconds> duration;
    };
    const MetricsAddress local9101{"127.0.0.1", 9101};
    const Case cases[] = {
        {{}, "", {}, "", {}, {}, false, false, {}},
        {{}, "# lab 2, by the window\n\n   # indented\n", {}, "", {}, {}, false, false, {}},
        {{}, "port = /dev/ttyUSB0\r\n", {"/dev/ttyUSB0"}, "", {}, {}, false, false, {}},
        {{}, "port=a\n  port =  b  \nport = c", {"a", "b", "c"}, "", {}, {}, false, false, {}},
        {{},
         "metrics = 0.0.0.0:9101\nmqtt = mqtt://broker.lab/site\ncsv-dir = /data/lab one\n",
         {},
         "/data/lab one",
         MetricsAddress{"0.0.0.0", 9101},
         MqttAddress{"broker.lab", 1883, "site"},
         false,
         false,
         {}},
        {{}, "csv-dir = /data/a=b#c", {}, "/data/a=b#c", {}, {}, false, false, {}},
        {{}, "headless\nquiet\nno-csv\nduration = 60\n", {}, std::nullopt, {}, {}, true, true, 60s},
        // The command line wins: a repeatable option's lines go altogether.
        {{"--port", "c"},
         "port = a\nport = b\nmetrics = 9101",
         {"c"},
         "",
         local9101,
         {},
         false,
         false,
         {}},
        {{"--metrics=9200"},
         "metrics = 9101",
         {},
         "",
         MetricsAddress{"127.0.0.1", 9200},
         {},
         false,
         false,
         {}},
        // ... and so do the lines that set the same thing another way.
        {{"--csv-dir", "x"}, "no-csv", {}, "x", {}, {}, false, false, {}},
        {{"--no-csv"}, "csv-dir = y", {}, std::nullopt, {}, {}, false, false, {}},
        // Checked as a whole: --quiet from the command line, --headless from the file.
        {{"--quiet", "--port", "p"},
         "headless\nmetrics = 9101",
         {"p"},
         "",
         local9101,
         {},
         true,
         true,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString() + " with: " + c.file);
        const CommandLine line = Combine(c.arguments, c.file);
        EXPECT_EQ(line.error, QString());
        EXPECT_EQ(line.ports, c.ports);
        EXPECT_EQ(line.recordDirectory, c.recordDirectory);
        EXPECT_EQ(line.metrics, c.metrics);
        EXPECT_EQ(line.mqtt, c.mqtt);
        EXPECT_EQ(line.headless, c.headless);
        EXPECT_EQ(line.quiet, c.quiet);
        EXPECT_EQ(line.duration, c.duration);
    }
}

TEST(ConfigFile, RefusesABadLineNamingTheFileAndTheLine) {
    const std::tuple<QStringList, const char*, const char*> cases[] = {
        {{},
         "port /dev/ttyUSB0",
         "lab.conf:1: \"port /dev/ttyUSB0\" nie jest kluczem: kluczem jest długa opcja bez "
         "\"--\", np. \"port = /dev/ttyUSB0\""},
        {{},
         "--port = /dev/ttyUSB0",
         "lab.conf:1: \"--port\" nie jest kluczem: kluczem jest długa opcja bez \"--\", np. "
         "\"port = /dev/ttyUSB0\""},
        {{},
         "Port = x",
         "lab.conf:1: \"Port\" nie jest kluczem: kluczem jest długa opcja bez \"--\", np. "
         "\"port = /dev/ttyUSB0\""},
        {{},
         "= x",
         "lab.conf:1: \"\" nie jest kluczem: kluczem jest długa opcja bez \"--\", np. "
         "\"port = /dev/ttyUSB0\""},
        {{},
         "port = a\n\n# metrics next\nbogus = 1\nmetrics = 9101",
         "lab.conf:4: nieznany klucz: bogus"},
        {{},
         "quiet = yes",
         "lab.conf:1: quiet nie przyjmuje wartości: sam klucz w wierszu ją włącza"},
        {{}, "port =", "lab.conf:1: --port wymaga ścieżki"},
        {{}, "port", "lab.conf:1: --port wymaga ścieżki"},
        {{},
         "headless\nduration = soon",
         "lab.conf:2: --duration wymaga całkowitej liczby sekund od 1 do 316224000, a nie "
         "\"soon\""},
        {{},
         "metrics = 70000",
         "lab.conf:1: --metrics wymaga numeru portu od 0 do 65535, a nie \"70000\""},
        {{},
         "mqtt = broker.lab",
         "lab.conf:1: --mqtt wymaga mqtt://HOST[:PORT]/PREFIKS, a nie \"broker.lab\": adres "
         "zaczyna się od mqtt:// lub mqtts://"},
        {{}, "config = other.conf", "lab.conf:1: config działa tylko w wierszu poleceń"},
        {{}, "version", "lab.conf:1: version działa tylko w wierszu poleceń"},
        {{}, "help", "lab.conf:1: help działa tylko w wierszu poleceń"},
        {{}, "port = a\nport = \xff\xfe", "lab.conf:2: wiersz nie jest tekstem UTF-8"},
        {{}, "csv-dir = a\x01z", "lab.conf:1: wartość csv-dir zawiera znak sterujący"},
        // A line the command line overrides is checked all the same.
        {{"--metrics", "9101"},
         "metrics = 9101\nmetrics = none",
         "lab.conf:2: --metrics wymaga "
         "numeru portu od 0 do 65535, a nie \"none\""},
        // Options that do not go together are the whole's fault, not a line's.
        {{}, "quiet", "--quiet działa tylko z --headless"},
        {{}, "csv-dir = x\nno-csv", "Nie można podać razem --csv-dir i --no-csv"},
        // The command line's own mistake comes first.
        {{"--bogus"}, "bogus = 1", "nieznany argument: --bogus"},
        {{"--port"}, "port =", "--port wymaga ścieżki"},
    };
    for (const auto& [arguments, file, error] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString() + " with: " + file);
        EXPECT_EQ(Combine(arguments, file).error, QString::fromUtf8(error));
    }
}

TEST(ConfigFile, IsNotReadForHelpOrVersion) {
    for (const char* option : {"--help", "--version"}) {
        SCOPED_TRACE(option);
        const CommandLine line = Combine({option, "--config", "lab.conf"}, "bogus = 1");
        EXPECT_EQ(line.error, QString());
        EXPECT_TRUE(line.AnswersAtOnce());
    }
}

QByteArray InstalledExample() {
    QFile file(HYGRO_EXAMPLE_CONF);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// The example with its commented options taken in ("#metrics = 9101" becomes
// "metrics = 9101"), the broker's login among them or not.
QByteArray TakenIn(const QByteArray& example, bool login) {
    QByteArray takenIn;
    for (const QByteArray& line : example.split('\n')) {
        const bool option = line.size() > 1 && line[0] == '#' && line[1] >= 'a' && line[1] <= 'z';
        const bool ofLogin = line.startsWith("#mqtt-user") || line.startsWith("#mqtt-password");
        takenIn += (option && (login || !ofLogin) ? line.mid(1) : line) + '\n';
    }
    return takenIn;
}

const QStringList kService = {"--headless", "--quiet", "--port", "/dev/ttyUSB0"};

// The example the package installs: as it is, it changes nothing; with each of its commented
// options taken in, the service's run has them (the broker's login, which goes with mqtts://,
// in the next test).
TEST(ConfigFile, TheInstalledExampleWorksWithEveryOptionTakenIn) {
    const QByteArray example = InstalledExample();
    const QStringList service = kService;
    const CommandLine asInstalled = CombineOptions(service, ConfigSource{"example.conf", example});
    EXPECT_EQ(asInstalled.error, QString());
    EXPECT_EQ(asInstalled.metrics, std::nullopt);
    EXPECT_EQ(asInstalled.mqtt, std::nullopt);
    EXPECT_EQ(asInstalled.recordDirectory, "");

    const QByteArray takenIn = TakenIn(example, false);
    const CommandLine line = CombineOptions(service, ConfigSource{"example.conf", takenIn});
    EXPECT_EQ(line.error, QString());
    EXPECT_EQ(line.ports, std::vector<std::string>{"/dev/ttyUSB0"});
    EXPECT_EQ(line.metrics, (MetricsAddress{"127.0.0.1", 9101}));
    EXPECT_EQ(line.mqtt, (MqttAddress{"broker.lab", 1883, "site"}));
    EXPECT_EQ(line.recordDirectory, "/srv/lab/hygrometer");
    EXPECT_EQ(line.duration, 86400s);
}

using ConfigSecretTest = ScratchFilesTest;

// The example's login, taken in as its comments say: the broker's address made mqtts://, the
// password file root's and the service's group's, mode 640 (here the test's own folder
// stands for /etc/hygrometer). Over plain mqtt:// the password is refused.
TEST_F(ConfigSecretTest, TheInstalledExamplesLoginWorksOverTls) {
    const QString password = SecretFile("mqtt.password", "the password\n");
    QByteArray takenIn = TakenIn(InstalledExample(), true);
    takenIn.replace("/etc/hygrometer/", (dir_.path() + '/').toUtf8());

    const CommandLine plain = CombineOptions(kService, ConfigSource{"example.conf", takenIn});
    EXPECT_EQ(plain.error,
              "hasło do MQTT poszłoby do broker.lab jawnym tekstem: z hasłem podaj adres mqtts://, "
              "chyba że broker jest na tym komputerze (localhost, 127.0.0.1, ::1)");

    takenIn.replace("mqtt = mqtt://", "mqtt = mqtts://");
    const CommandLine line = CombineOptions(kService, ConfigSource{"example.conf", takenIn});
    EXPECT_EQ(line.error, QString());
    EXPECT_EQ(line.mqtt, (MqttAddress{"broker.lab", 8883, "site", true}));
    EXPECT_EQ(line.mqttSecurity.user, "lab-pc-2");
    EXPECT_EQ(line.mqttSecurity.password, "the password");
}

// A configuration file holding the password itself is used only when no user but its owner
// and its group may read it; one without a secret may be read by all.
TEST_F(ConfigSecretTest, RefusesAPasswordInAFileEveryUserMayRead) {
    using P = QFileDevice;
    const QByteArray secret = "mqtt = mqtts://h/lab\nmqtt-user = lab-7\nmqtt-password = s3cret\n";
    const CommandLine open = CombineOptions(
        {}, ConfigSource{"lab.conf", secret,
                         P::ReadOwner | P::WriteOwner | P::ReadGroup | P::ReadOther});
    EXPECT_EQ(open.error,
              "lab.conf:3: mqtt-password: każdy użytkownik komputera może czytać plik lab.conf "
              "(uprawnienia 0644), a jest w nim tajemnica, więc program go nie użyje; odbierz "
              "innym dostęp: chmod o-rwx lab.conf (właściciel i grupa nadal mogą go czytać)");
    const CommandLine closed = CombineOptions(
        {}, ConfigSource{"lab.conf", secret, P::ReadOwner | P::WriteOwner | P::ReadGroup});
    EXPECT_EQ(closed.error, QString());
    EXPECT_EQ(closed.mqttSecurity.password, "s3cret");
    EXPECT_EQ(CombineOptions({}, ConfigSource{"lab.conf", "mqtt = mqtts://h/lab\n",
                                              P::ReadOwner | P::ReadGroup | P::ReadOther})
                  .error,
              QString());

    // The rights as the file on disk has them.
    const QString path = File("lab.conf", secret);
    EXPECT_TRUE(
        ReadProgramOptions({"--config", path})
            .error.startsWith(
                path + ":3: mqtt-password: każdy użytkownik komputera może czytać plik " + path));
    ASSERT_TRUE(QFile::setPermissions(path, P::ReadOwner | P::WriteOwner | P::ReadGroup));
    EXPECT_EQ(ReadProgramOptions({"--config", path}).error, QString());
}

TEST(ConfigText, KeepsEachLinesNumberKeyAndValue) {
    const ConfigText text = ParseConfigText("# a\n\nport = /dev/x\r\nno-csv\n  csv-dir =  d  \n");
    ASSERT_EQ(text.error, QString());
    ASSERT_EQ(text.lines.size(), 3u);
    EXPECT_EQ(text.lines[0].number, 3);
    EXPECT_EQ(text.lines[0].Argument(), QString("--port=/dev/x"));
    EXPECT_EQ(text.lines[1].number, 4);
    EXPECT_EQ(text.lines[1].value, std::nullopt);
    EXPECT_EQ(text.lines[1].Argument(), QString("--no-csv"));
    EXPECT_EQ(text.lines[2].Argument(), QString("--csv-dir=d"));
}

}  // namespace
