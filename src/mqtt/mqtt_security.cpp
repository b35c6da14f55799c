#include "mqtt/mqtt_security.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "texts/secret_file.h"

namespace {

// A password file holds one line; anything much longer is not one.
constexpr qint64 kLongestPasswordFile = 4096;

// Empty when `path` names a file this program can read.
QString UnreadableFile(const QString& name, const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        return QCoreApplication::translate("MqttSecurity", "%1: nie ma pliku %2").arg(name, path);
    }
    if (!file.isFile() || !file.isReadable()) {
        return QCoreApplication::translate("MqttSecurity", "%1: nie można czytać pliku %2")
            .arg(name, path);
    }
    return {};
}

}  // namespace

std::optional<std::string> PasswordFromFile(const QByteArray& text) {
    QByteArray line = text.left(text.indexOf('\n') < 0 ? text.size() : text.indexOf('\n'));
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    if (line.isEmpty()) {
        return std::nullopt;
    }
    return line.toStdString();
}

bool SetMqttSecurityOption(MqttSecurity& security, const QString& name, const QString& value,
                           QString& error) {
    if (name == "--mqtt-user") {
        security.user = value.toStdString();
        return true;
    }
    if (const QString problem = UnreadableFile(name, value); !problem.isEmpty()) {
        error = problem;
        return false;
    }
    if (name == "--mqtt-password-file" || name == "--mqtt-key") {
        if (const QString problem = SecretFileProblem(value); !problem.isEmpty()) {
            error = name + ": " + problem;
            return false;
        }
    }
    if (name == "--mqtt-password-file") {
        QFile file(value);
        if (!file.open(QIODevice::ReadOnly)) {
            error = QCoreApplication::translate("MqttSecurity", "%1: nie można czytać pliku %2")
                        .arg(name, value);
            return false;
        }
        security.password = PasswordFromFile(file.read(kLongestPasswordFile));
        if (!security.password) {
            error =
                QCoreApplication::translate(
                    "MqttSecurity", "%1: pierwszy wiersz pliku %2 jest pusty, a to on jest hasłem")
                    .arg(name, value);
            return false;
        }
    } else if (name == "--mqtt-ca") {
        security.caFile = value.toStdString();
    } else if (name == "--mqtt-cert") {
        security.certFile = value.toStdString();
    } else if (name == "--mqtt-key") {
        security.keyFile = value.toStdString();
    }
    return true;
}

QString MqttSecurityProblem(const std::optional<MqttAddress>& address,
                            const MqttSecurity& security) {
    const std::pair<const char*, bool> given[] = {
        {"--mqtt-user", !security.user.empty()},
        {"--mqtt-password-file", security.password.has_value()},
        {"--mqtt-ca", !security.caFile.empty()},
        {"--mqtt-cert", !security.certFile.empty()},
        {"--mqtt-key", !security.keyFile.empty()},
    };
    for (const auto& [name, isGiven] : given) {
        if (isGiven && !address) {
            return QCoreApplication::translate("MqttSecurity", "%1 działa tylko z --mqtt")
                .arg(name);
        }
    }
    for (const auto& [name, isGiven] : given) {
        const bool tlsOnly =
            QLatin1String(name) != "--mqtt-user" && QLatin1String(name) != "--mqtt-password-file";
        if (isGiven && tlsOnly && !address->tls) {
            return QCoreApplication::translate("MqttSecurity", "%1 działa tylko z adresem mqtts://")
                .arg(name);
        }
    }
    if (security.certFile.empty() != security.keyFile.empty()) {
        return QCoreApplication::translate("MqttSecurity",
                                           "--mqtt-cert i --mqtt-key podaje się razem");
    }
    if (security.password && security.user.empty()) {
        return QCoreApplication::translate("MqttSecurity", "hasło do MQTT wymaga też --mqtt-user");
    }
    if (security.password && !address->tls && !IsLoopbackHost(address->host)) {
        return QCoreApplication::translate(
                   "MqttSecurity",
                   "hasło do MQTT poszłoby do %1 jawnym tekstem: z hasłem podaj adres mqtts://, "
                   "chyba że broker jest na tym komputerze (localhost, 127.0.0.1, ::1)")
            .arg(QString::fromStdString(address->host));
    }
    return {};
}
