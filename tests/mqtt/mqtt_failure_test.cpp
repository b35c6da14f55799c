// Why a broker connection failed, in the operator's words, from what libmosquitto gives:
// the CONNACK code, and the error lines it logs for a failed TLS handshake (as libmosquitto
// 2.0 and OpenSSL 3 write them).
#include "mqtt/mqtt_failure.h"

#include <gtest/gtest.h>
#include <mosquitto.h>

namespace {

// Said in the program's language; here, without a translation, the Polish program's.
TEST(MqttFailure, EachRefusalInPlainWordsAndAnUnknownOneInTheLibrarysWords) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {4, "Connection Refused: bad user name or password.",
         "broker nie przyjął nazwy użytkownika lub hasła"},
        {5, "Connection Refused: not authorised.",
         "broker odmówił dostępu: zła nazwa użytkownika lub hasło albo brak uprawnień"},
        {1, "Connection Refused: unacceptable protocol version.",
         "broker nie obsługuje tej wersji protokołu MQTT"},
        {2, "Connection Refused: identifier rejected.",
         "broker nie przyjął identyfikatora klienta"},
        {3, "Connection Refused: broker unavailable.",
         "broker odrzucił połączenie: usługa niedostępna"},
        {6, "Connection Refused: unknown reason.",
         "broker odrzucił połączenie: Connection Refused: unknown reason."},
    };
    for (const auto& [code, library, said] : cases) {
        SCOPED_TRACE(code);
        EXPECT_EQ(mqtt_failure::Refused(code, library), QString::fromUtf8(said));
    }
}

TEST(MqttFailure, TheLibrarysResultsInPlainWordsAndAnUnknownOneInItsOwn) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {MOSQ_ERR_CONN_LOST, "The connection was lost.", "połączenie z brokerem zerwane"},
        {MOSQ_ERR_NO_CONN, "The client is not currently connected.", "brak połączenia z brokerem"},
        {MOSQ_ERR_CONN_REFUSED, "The connection was refused.", "broker odrzucił połączenie"},
        {MOSQ_ERR_PROTOCOL, "A network protocol error occurred when communicating with the broker.",
         "błąd protokołu MQTT"},
        {MOSQ_ERR_EAI, "Lookup error.", "nie znaleziono adresu brokera"},
        {MOSQ_ERR_KEEPALIVE, "Keepalive exceeded", "broker przestał odpowiadać"},
        {MOSQ_ERR_TLS, "A TLS error occurred.", "błąd TLS"},
        {MOSQ_ERR_AUTH, "Authorisation failed.", "broker nie przyjął logowania"},
        {MOSQ_ERR_MALFORMED_PACKET, "Malformed packet.", "broker przysłał uszkodzony pakiet"},
        {MOSQ_ERR_NOMEM, "Out of memory.", "brak pamięci"},
        {9999, "Unknown error.", "Unknown error."},
    };
    for (const auto& [result, library, said] : cases) {
        SCOPED_TRACE(result);
        EXPECT_EQ(mqtt_failure::LibraryFailure(result, library), QString::fromUtf8(said));
    }
}

TEST(MqttFailure, AFailedHandshakeSaysWhatIsWrongWithTheCertificateOrOpensslsReason) {
    const QString verifyFailed =
        "OpenSSL Error[0]: error:0A000086:SSL routines::certificate verify failed";
    struct Case {
        QStringList lines;
        QString caFile;
        QString said;
    };
    const Case cases[] = {
        {{"Error: host name verification failed.", verifyFailed},
         "/etc/lab/ca.crt",
         "certyfikat brokera nie jest wystawiony na nazwę broker.lab"},
        {{verifyFailed},
         "/etc/lab/ca.crt",
         "certyfikat brokera nie przeszedł sprawdzenia: nie podpisał go zaufany urząd "
         "(/etc/lab/ca.crt) albo stracił ważność"},
        {{verifyFailed},
         "",
         "certyfikat brokera nie przeszedł sprawdzenia: nie podpisał go zaufany urząd "
         "(systemowe certyfikaty) albo stracił ważność"},
        {{"OpenSSL Error[0]: error:0A00010B:SSL routines::wrong version number"},
         "",
         "błąd TLS: wrong version number"},
        {{"OpenSSL Error[0]: error:0A000412:SSL routines::sslv3 alert bad certificate",
          "OpenSSL Error[1]: error:0A000438:SSL routines::tlsv1 alert internal error"},
         "",
         "błąd TLS: tlsv1 alert internal error"},
        {{"Error: Unable to load client key file \"/etc/lab/client.key\"."},
         "",
         "błąd TLS: Unable to load client key file \"/etc/lab/client.key\""},
        {{}, "", "błąd TLS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.join(" | ").toStdString());
        EXPECT_EQ(mqtt_failure::TlsFailed(c.lines, "broker.lab", c.caFile), c.said);
    }
}

TEST(MqttFailure, AConnectionClosedUnansweredOverPlainMqttSuggestsTls) {
    EXPECT_EQ(mqtt_failure::ClosedUnanswered(false),
              "broker zamknął połączenie bez odpowiedzi; może przyjmuje tylko mqtts://");
    EXPECT_EQ(mqtt_failure::ClosedUnanswered(true), "broker zamknął połączenie bez odpowiedzi");
}

}  // namespace
