#include "mqtt/mqtt_failure.h"

#include <mosquitto.h>

#include <QCoreApplication>

namespace mqtt_failure {

namespace {

// OpenSSL's reason at the end of "OpenSSL Error[0]: error:0A00010B:SSL routines::wrong
// version number", or a line of libmosquitto's own without its "Error: ".
QString Reason(const QString& line) {
    QString reason = line.trimmed();
    if (const qsizetype error = reason.indexOf(QLatin1String("error:")); error >= 0) {
        reason = reason.mid(reason.lastIndexOf(':') + 1);
    } else if (reason.startsWith(QLatin1String("Error: "))) {
        reason = reason.mid(7);
    }
    while (reason.endsWith('.')) {
        reason.chop(1);
    }
    return reason.trimmed();
}

}  // namespace

QString Refused(int code, const QString& libraryText) {
    switch (code) {
        case 1:
            return QCoreApplication::translate("MqttFailure",
                                               "broker nie obsługuje tej wersji protokołu MQTT");
        case 2:
            return QCoreApplication::translate("MqttFailure",
                                               "broker nie przyjął identyfikatora klienta");
        case 3:
            return QCoreApplication::translate("MqttFailure",
                                               "broker odrzucił połączenie: usługa niedostępna");
        case 4:
            return QCoreApplication::translate("MqttFailure",
                                               "broker nie przyjął nazwy użytkownika lub hasła");
        case 5:
            return QCoreApplication::translate(
                "MqttFailure",
                "broker odmówił dostępu: zła nazwa użytkownika lub hasło albo brak "
                "uprawnień");
        default:
            return QCoreApplication::translate("MqttFailure", "broker odrzucił połączenie: %1")
                .arg(libraryText);
    }
}

QString LibraryFailure(int result, const QString& libraryText) {
    switch (result) {
        case MOSQ_ERR_NOMEM:
            return QCoreApplication::translate("MqttFailure", "brak pamięci");
        case MOSQ_ERR_PROTOCOL:
            return QCoreApplication::translate("MqttFailure", "błąd protokołu MQTT");
        case MOSQ_ERR_INVAL:
            return QCoreApplication::translate("MqttFailure",
                                               "nieprawidłowe ustawienia połączenia z brokerem");
        case MOSQ_ERR_NO_CONN:
            return QCoreApplication::translate("MqttFailure", "brak połączenia z brokerem");
        case MOSQ_ERR_CONN_REFUSED:
            return QCoreApplication::translate("MqttFailure", "broker odrzucił połączenie");
        case MOSQ_ERR_CONN_LOST:
            return QCoreApplication::translate("MqttFailure", "połączenie z brokerem zerwane");
        case MOSQ_ERR_TLS:
            return QCoreApplication::translate("MqttFailure", "błąd TLS");
        case MOSQ_ERR_PAYLOAD_SIZE:
            return QCoreApplication::translate("MqttFailure", "wiadomość jest za duża");
        case MOSQ_ERR_NOT_SUPPORTED:
            return QCoreApplication::translate("MqttFailure", "libmosquitto tego nie obsługuje");
        case MOSQ_ERR_AUTH:
            return QCoreApplication::translate("MqttFailure", "broker nie przyjął logowania");
        case MOSQ_ERR_ACL_DENIED:
            return QCoreApplication::translate("MqttFailure", "broker odmówił dostępu");
        case MOSQ_ERR_EAI:
            return QCoreApplication::translate("MqttFailure", "nie znaleziono adresu brokera");
        case MOSQ_ERR_PROXY:
            return QCoreApplication::translate("MqttFailure", "błąd serwera pośredniczącego");
        case MOSQ_ERR_KEEPALIVE:
            return QCoreApplication::translate("MqttFailure", "broker przestał odpowiadać");
        case MOSQ_ERR_MALFORMED_PACKET:
            return QCoreApplication::translate("MqttFailure", "broker przysłał uszkodzony pakiet");
        default:
            return libraryText;
    }
}

QString TlsFailed(const QStringList& errorLines, const QString& host, const QString& caFile) {
    for (const QString& line : errorLines) {
        if (line.contains(QLatin1String("host name verification failed"))) {
            return QCoreApplication::translate("MqttFailure",
                                               "certyfikat brokera nie jest wystawiony na nazwę %1")
                .arg(host);
        }
    }
    for (const QString& line : errorLines) {
        if (line.contains(QLatin1String("certificate verify failed"))) {
            return QCoreApplication::translate(
                       "MqttFailure",
                       "certyfikat brokera nie przeszedł sprawdzenia: nie podpisał go zaufany "
                       "urząd (%1) albo stracił ważność")
                .arg(caFile.isEmpty()
                         ? QCoreApplication::translate("MqttFailure", "systemowe certyfikaty")
                         : caFile);
        }
    }
    QString reason;
    for (const QString& line : errorLines) {
        if (const QString one = Reason(line); !one.isEmpty()) {
            reason = one;  // the last: the handshake's own
        }
    }
    return reason.isEmpty()
               ? QCoreApplication::translate("MqttFailure", "błąd TLS")
               : QCoreApplication::translate("MqttFailure", "błąd TLS: %1").arg(reason);
}

QString ClosedUnanswered(bool tls) {
    return tls ? QCoreApplication::translate("MqttFailure",
                                             "broker zamknął połączenie bez odpowiedzi")
               : QCoreApplication::translate(
                     "MqttFailure",
                     "broker zamknął połączenie bez odpowiedzi; może przyjmuje tylko mqtts://");
}

}  // namespace mqtt_failure
