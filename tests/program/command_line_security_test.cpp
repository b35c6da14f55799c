// The command line's options that lock MQTT and the metrics: the broker's login and
// certificates, the password read from its file, the web configuration read from its file,
// and the lines that do not make sense refused.
#include <gtest/gtest.h>

#include "common/language.h"
#include "common/scratch_files.h"

#include <QFile>
#include <QTemporaryDir>

#include "program/command_line.h"

namespace {

// Made with libxcrypt's crypt() of "right-password" at cost 4 (python3 -c "import crypt; ...").
const char* const kHash = "$2b$04$CRrnBTTLH2INjx8Cx6e/t.r7uLV4pei0TbmUQ6R2Pm7hK36QlgQSO";

using CommandLineSecurityTest = ScratchFilesTest;

TEST_F(CommandLineSecurityTest, TakesTheBrokersLoginAndCertificatesAndTheWebConfiguration) {
    const QString password = SecretFile("password", "s3cret\n");
    const QString ca = File("ca.crt", "PEM");
    const QString cert = File("client.crt", "PEM");
    const QString key = SecretFile("client.key", "PEM");
    const QString web = File("web.yml", QByteArray("basic_auth_users:\n  prom: ") + kHash + "\n");
    const CommandLine line =
        ParseCommandLine({"--headless", "--mqtt-user", "lab-7", "--mqtt", "mqtts://broker.lab/site",
                          "--mqtt-password-file=" + password, "--mqtt-ca", ca, "--mqtt-cert", cert,
                          "--mqtt-key", key, "--metrics", "9101", "--metrics-web-config", web});
    EXPECT_EQ(line.error, QString());
    EXPECT_EQ(line.mqtt, (MqttAddress{"broker.lab", 8883, "site", true}));
    EXPECT_EQ(line.mqttSecurity, (MqttSecurity{"lab-7", "s3cret", ca.toStdString(),
                                               cert.toStdString(), key.toStdString()}));
    EXPECT_EQ(line.metricsWebConfig, (MetricsWebConfig{"", "", {{"prom", kHash}}}));

    const CommandLine plain = ParseCommandLine({"--mqtt", "mqtt://localhost/lab"});
    EXPECT_EQ(plain.error, QString());
    EXPECT_EQ(plain.mqttSecurity, MqttSecurity{});
    EXPECT_EQ(plain.metricsWebConfig, MetricsWebConfig{});
}

TEST_F(CommandLineSecurityTest, RefusesWhatCannotBeRun) {
    const QString ca = File("ca.crt", "PEM");
    const QString empty = SecretFile("empty", "\n");
    const QString password = SecretFile("password", "s3cret\n");
    const QString open = File("open", "s3cret\n");
    const QString web = File("web.yml", "basic_auth_users:\n  prom: secret\n");
    const QString missing = dir_.filePath("missing");
    const std::pair<QStringList, QString> cases[] = {
        {{"--mqtt-user"}, "--mqtt-user wymaga nazwy"},
        {{"--mqtt", "mqtts://h/lab", "--mqtt-password-file"}, "--mqtt-password-file wymaga pliku"},
        {{"--mqtt-user", "u"}, "--mqtt-user działa tylko z --mqtt"},
        {{"--mqtt", "mqtt://h/lab", "--mqtt-ca", ca}, "--mqtt-ca działa tylko z adresem mqtts://"},
        {{"--mqtt", "mqtts://h/lab", "--mqtt-ca", missing}, "--mqtt-ca: nie ma pliku " + missing},
        {{"--mqtt", "mqtts://h/lab", "--mqtt-user", "u", "--mqtt-password-file", empty},
         "--mqtt-password-file: pierwszy wiersz pliku " + empty +
             " jest pusty, a to on jest hasłem"},
        {{"--mqtt", "mqtts://h/lab", "--mqtt-cert", ca},
         "--mqtt-cert i --mqtt-key podaje się razem"},
        {{"--metrics-web-config", web},
         web + ", wiersz 2: basic_auth_users: hasło użytkownika "
               "prom nie jest skrótem bcrypt ($2b$…, $2y$…)"},
        {{"--metrics-web-config", File("open.yml", "")},
         "--metrics-web-config działa tylko z --metrics"},
        {{"--metrics", "9101", "--metrics-web-config"}, "--metrics-web-config wymaga pliku"},
        // A password that would cross the network in clear text, and one every user reads.
        {{"--mqtt", "mqtt://broker.lab/site", "--mqtt-user", "u", "--mqtt-password-file", password},
         "hasło do MQTT poszłoby do broker.lab jawnym tekstem: z hasłem podaj adres mqtts://, "
         "chyba że broker jest na tym komputerze (localhost, 127.0.0.1, ::1)"},
        {{"--mqtt", "mqtts://h/lab", "--mqtt-user", "u", "--mqtt-password-file", open},
         "--mqtt-password-file: każdy użytkownik komputera może czytać plik " + open +
             " (uprawnienia 0644), a jest w nim tajemnica, więc program go nie użyje; odbierz "
             "innym dostęp: chmod o-rwx " +
             open + " (właściciel i grupa nadal mogą go czytać)"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(ParseCommandLine(arguments).error, error);
    }
}

// Over plain mqtt:// a login goes to a broker on this machine alone; over mqtts:// anywhere.
TEST_F(CommandLineSecurityTest, APasswordGoesInClearTextOnlyToThisMachine) {
    const QString password = SecretFile("password", "s3cret\n");
    const std::pair<const char*, bool> cases[] = {
        {"mqtt://localhost/lab", true}, {"mqtt://127.0.0.1:1884/lab", true},
        {"mqtt://[::1]/lab", true},     {"mqtts://broker.lab/lab", true},
        {"mqtts://10.0.0.2/lab", true}, {"mqtt://broker.lab/lab", false},
        {"mqtt://10.0.0.2/lab", false}, {"mqtt://[fd00::2]/lab", false},
    };
    for (const auto& [address, taken] : cases) {
        SCOPED_TRACE(address);
        const CommandLine line = ParseCommandLine(
            {"--mqtt", address, "--mqtt-user", "lab-7", "--mqtt-password-file", password});
        EXPECT_EQ(line.error.isEmpty(), taken) << line.error.toStdString();
        EXPECT_EQ(ParseCommandLine({"--mqtt", address, "--mqtt-user", "lab-7"}).error, QString())
            << "a login without a password";
    }
}

// Files are read once every option is in place: a password file given again is read once,
// the last one; nothing is read for a run that only answers.
TEST_F(CommandLineSecurityTest, ReadsTheFilesNamedOnceTheOptionsAreParsed) {
    const QString first = SecretFile("first", "one\n");
    const QString second = SecretFile("second", "two\n");
    const QString missing = dir_.filePath("missing");
    const QStringList login = {"--mqtt", "mqtts://h/lab", "--mqtt-user", "u"};
    const CommandLine parsed =
        ParseOptions(login + QStringList{"--mqtt-password-file", first, "--mqtt-password-file",
                                         missing, "--mqtt-password-file", second},
                     {});
    EXPECT_EQ(parsed.error, QString());
    EXPECT_EQ(parsed.mqttSecurity.password, std::nullopt) << "not read while parsing";
    const CommandLine read = WithNamedFiles(parsed);
    EXPECT_EQ(read.error, QString());
    EXPECT_EQ(read.mqttSecurity.password, "two");
    EXPECT_EQ(
        ParseCommandLine(login + QStringList{"--mqtt-password-file", missing, "--help"}).error,
        QString());
    EXPECT_EQ(
        ParseCommandLine({"--metrics", "9101", "--metrics-web-config", missing, "--version"}).error,
        QString());
}

TEST(CommandLineHelp, ListsTheOptionsThatLockMqttAndTheMetrics) {
    const QString help = InEnglish([] { return CommandLineHelp("hygrometer"); });
    for (const char* option :
         {"--mqtt mqtts://HOST[:PORT]/PREFIX", "--mqtt-user NAME", "--mqtt-password-file FILE",
          "--mqtt-ca FILE", "--mqtt-cert FILE --mqtt-key FILE", "--metrics-web-config FILE"}) {
        SCOPED_TRACE(option);
        EXPECT_TRUE(help.contains(QString::fromUtf8(option)));
    }
}

}  // namespace
