// The options beside --mqtt: each one's value put in place, the password read from its
// file's first line, unreadable files refused, and options that do not go together said.
#include "mqtt/mqtt_security.h"
#include "common/scratch_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using MqttSecurityTest = ScratchFilesTest;

TEST(PasswordFromFile, IsTheFirstLineWithoutItsEnd) {
    const std::pair<QByteArray, std::optional<std::string>> cases[] = {
        {"secret\n", "secret"},
        {"secret", "secret"},
        {"secret\r\n", "secret"},
        {"first line\nsecond\n", "first line"},
        {" spaced out \n", " spaced out "},
        {"zażółć\n", "zażółć"},
        {"\nsecret\n", std::nullopt},
        {"\r\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, password] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(PasswordFromFile(text), password);
    }
}

TEST_F(MqttSecurityTest, EachOptionPutsItsValueInPlace) {
    const QString password = SecretFile("password", "s3cret\nignored\n");
    const QString ca = File("ca.crt", "PEM");
    const QString cert = File("client.crt", "PEM");
    const QString key = SecretFile("client.key", "PEM");
    MqttSecurity security;
    QString error;
    ASSERT_TRUE(SetMqttSecurityOption(security, "--mqtt-user", "lab-7", error));
    ASSERT_TRUE(SetMqttSecurityOption(security, "--mqtt-password-file", password, error));
    ASSERT_TRUE(SetMqttSecurityOption(security, "--mqtt-ca", ca, error));
    ASSERT_TRUE(SetMqttSecurityOption(security, "--mqtt-cert", cert, error));
    ASSERT_TRUE(SetMqttSecurityOption(security, "--mqtt-key", key, error));
    EXPECT_EQ(error, QString());
    EXPECT_EQ(security, (MqttSecurity{"lab-7", "s3cret", ca.toStdString(), cert.toStdString(),
                                      key.toStdString()}));
}

TEST_F(MqttSecurityTest, RefusesFilesItCannotReadAndAnEmptyPassword) {
    const QString empty = SecretFile("empty", "\nsecret\n");
    const QString open = File("open", "secret\n");
    const QString folder = dir_.path();
    const QString missing = dir_.filePath("missing");
    const std::tuple<const char*, QString, QString> cases[] = {
        {"--mqtt-password-file", empty,
         QString("--mqtt-password-file: pierwszy wiersz pliku %1 jest pusty, a to on jest "
                 "hasłem")
             .arg(empty)},
        {"--mqtt-password-file", missing,
         QString("--mqtt-password-file: nie ma pliku %1").arg(missing)},
        {"--mqtt-ca", missing, QString("--mqtt-ca: nie ma pliku %1").arg(missing)},
        {"--mqtt-cert", folder, QString("--mqtt-cert: nie można czytać pliku %1").arg(folder)},
        {"--mqtt-key", missing, QString("--mqtt-key: nie ma pliku %1").arg(missing)},
        // A secret every user may read, as ssh refuses such a key.
        {"--mqtt-password-file", open,
         QString("--mqtt-password-file: każdy użytkownik komputera może czytać plik %1 "
                 "(uprawnienia 0644), a jest w nim tajemnica, więc program go nie użyje; odbierz "
                 "innym dostęp: chmod o-rwx %1 (właściciel i grupa nadal mogą go czytać)")
             .arg(open)},
        {"--mqtt-key", open,
         QString("--mqtt-key: każdy użytkownik komputera może czytać plik %1 (uprawnienia 0644), "
                 "a jest w nim tajemnica, więc program go nie użyje; odbierz innym dostęp: chmod "
                 "o-rwx %1 (właściciel i grupa nadal mogą go czytać)")
             .arg(open)},
    };
    for (const auto& [name, value, said] : cases) {
        SCOPED_TRACE(name);
        MqttSecurity security;
        QString error;
        EXPECT_FALSE(SetMqttSecurityOption(security, name, value, error));
        EXPECT_EQ(error, said);
        EXPECT_EQ(security, MqttSecurity{});
    }
}

// The rights that make a secret file usable: the group may read it (a service's account
// reads root's file through it), every other user may not.
TEST_F(MqttSecurityTest, TakesASecretFileOnlyItsOwnerAndGroupMayRead) {
    using P = QFileDevice;
    const std::pair<QFileDevice::Permissions, bool> cases[] = {
        {P::ReadOwner | P::WriteOwner, true},
        {P::ReadOwner | P::ReadGroup, true},
        {P::ReadOwner | P::WriteOwner | P::ReadGroup | P::WriteGroup, true},
        {P::ReadOwner | P::WriteOther, true},
        {P::ReadOwner | P::ReadOther, false},
        {P::ReadOwner | P::ReadGroup | P::ReadOther, false},
    };
    for (const auto& [permissions, taken] : cases) {
        SCOPED_TRACE(QString::number(permissions.toInt(), 16).toStdString());
        const QString password = File("password", "s3cret\n");
        ASSERT_TRUE(QFile::setPermissions(password, permissions));
        MqttSecurity security;
        QString error;
        EXPECT_EQ(SetMqttSecurityOption(security, "--mqtt-password-file", password, error), taken)
            << error.toStdString();
        EXPECT_EQ(security.password.has_value(), taken);
        QFile::setPermissions(password, P::ReadOwner | P::WriteOwner);
        QFile::remove(password);
    }
}

TEST(MqttSecurityProblem, SaysWhichOptionsDoNotGoTogether) {
    const MqttAddress plain{"broker.lab", 1883, "lab", false};
    const MqttAddress tls{"broker.lab", 8883, "lab", true};
    const MqttAddress thisMachine{"127.0.0.1", 1883, "lab", false};
    struct Case {
        std::optional<MqttAddress> address;
        MqttSecurity security;
        QString said;
    };
    const Case cases[] = {
        {std::nullopt, {}, ""},
        {plain, {}, ""},
        // A password crosses the network in clear text over plain mqtt://.
        {plain,
         {"lab-7", "secret", "", "", ""},
         "hasło do MQTT poszłoby do broker.lab jawnym tekstem: z hasłem podaj adres mqtts://, "
         "chyba że broker jest na tym komputerze (localhost, 127.0.0.1, ::1)"},
        {thisMachine, {"lab-7", "secret", "", "", ""}, ""},
        {plain, {"lab-7", std::nullopt, "", "", ""}, ""},
        {tls, {"lab-7", "secret", "/ca.crt", "/c.crt", "/c.key"}, ""},
        {tls, {"lab-7", std::nullopt, "", "", ""}, ""},
        {std::nullopt, {"lab-7", "secret", "", "", ""}, "--mqtt-user działa tylko z --mqtt"},
        {std::nullopt, {"", std::nullopt, "/ca.crt", "", ""}, "--mqtt-ca działa tylko z --mqtt"},
        {plain, {"", std::nullopt, "/ca.crt", "", ""}, "--mqtt-ca działa tylko z adresem mqtts://"},
        {plain,
         {"", std::nullopt, "", "/c.crt", "/c.key"},
         "--mqtt-cert działa tylko z adresem mqtts://"},
        {tls, {"", std::nullopt, "", "/c.crt", ""}, "--mqtt-cert i --mqtt-key podaje się razem"},
        {tls, {"", std::nullopt, "", "", "/c.key"}, "--mqtt-cert i --mqtt-key podaje się razem"},
        {tls, {"", "secret", "", "", ""}, "hasło do MQTT wymaga też --mqtt-user"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said.toStdString());
        EXPECT_EQ(MqttSecurityProblem(c.address, c.security), c.said);
    }
}

}  // namespace
