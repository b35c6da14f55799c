#include "mqtt/mqtt_failure.h"

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
