#pragma once
// Why a connection to the broker failed, in the operator's words: the broker's refusal of
// the login, a certificate that does not check out, a connection closed unanswered.
// libmosquitto says a failed TLS handshake only in its error log lines; these are read here.

#include <QString>
#include <QStringList>

namespace mqtt_failure {

// The broker's refusal in its CONNACK (MQTT 3.1.1 codes 1 to 5); `libraryText` is
// libmosquitto's own words for it, said for the codes without words of their own here.
QString Refused(int code, const QString& libraryText);

// libmosquitto's result `result` (one of MOSQ_ERR_*, not MOSQ_ERR_ERRNO, whose errno has
// the system's text); `libraryText` is libmosquitto's own words for it, said for a result
// without words of its own here.
QString LibraryFailure(int result, const QString& libraryText);

// A TLS handshake that failed, from libmosquitto's error lines of that attempt: the broker's
// name not in its certificate, a certificate no trusted authority signed (`caFile` the
// authorities given; empty: the system's store), or OpenSSL's reason.
QString TlsFailed(const QStringList& errorLines, const QString& host, const QString& caFile);

// The broker closed the connection before answering the login; over plain MQTT, the likely
// reason is a port that speaks only TLS.
QString ClosedUnanswered(bool tls);

}  // namespace mqtt_failure
