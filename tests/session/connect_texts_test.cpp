// Texts of the connect handler that carry the instrument's bytes or the scan's outcome.
#include <gtest/gtest.h>
#include <netdb.h>

#include <cerrno>

#include "common/language.h"
#include "session/connect_texts.h"
#include "texts/system_error_text.h"

namespace {

TEST(ConnectTexts, VersionTextInBothLanguages) {
    const InstrumentVersion v{1, 2, 300};
    EXPECT_EQ(VersionText(v), "KRT-10 wersja: 1 rewizja: 2 numer seyjny: 300");
    EXPECT_EQ(InEnglish([&] { return VersionText(v); }),
              "KRT-10 version: 1 rev.: 2 serial number: 300");
    EXPECT_EQ(VersionText(DecodeVersionReply(std::vector<std::uint8_t>(9, 0xFF))),
              "KRT-10 wersja: 255 rewizja: 255 numer seyjny: 65535");
}

TEST(ConnectTexts, ControlBytesOfAReplyAreShownVisibly) {
    const struct {
        std::string bytes;
        const char* shown;
    } cases[] = {
        {"KRT-10\r\n", "KRT-10\\r\\n"},
        {std::string("a\x01\x7f"
                     "b",
                     4),
         "a\\x01\\x7fb"},
        {"tab\there", "tab\\there"},
        {"Łódź", "Łódź"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(VisibleText(c.bytes), QString::fromUtf8(c.shown));
    }
}

TEST(ConnectTexts, NotFoundDetailsListEachPortOnceWithItsLastOutcome) {
    DiscoveryResult result;
    result.probes = {
        {"/dev/ttyS0", ProbeResult::OpenFailed, "Permission denied"},
        {"/dev/ttyUSB0", ProbeResult::NoAnswer, ""},
        {"/dev/ttyS0", ProbeResult::OpenFailed, "Permission denied"},
        {"/dev/ttyUSB0", ProbeResult::UnknownReply, "KRT-10\r\n"},
    };
    EXPECT_EQ(NotFoundDetails(result),
              "/dev/ttyS0: nie można otworzyć (Permission denied)\n"
              "/dev/ttyUSB0: nieznana odpowiedź \"KRT-10\\r\\n\"");
    EXPECT_EQ(InEnglish([&] { return NotFoundDetails(result); }),
              "/dev/ttyS0: could not be opened (Permission denied)\n"
              "/dev/ttyUSB0: unknown reply \"KRT-10\\r\\n\"");
    EXPECT_EQ(InEnglish([&] { return NotFoundDetails(DiscoveryResult{}); }),
              "No serial port was found to try.");
}

// Why a port did not open, in the program's language wherever the link says what it was:
// here, without a translation, the Polish program's. The link's own English words are
// left for what it cannot name.
TEST(ConnectTexts, AFailedOpenIsSaidInTheProgramsLanguage) {
    struct Case {
        PortOpenFailure failure;
        const char* detail;
        const char* said;
    };
    const Case cases[] = {
        {{PortOpenReason::System, ENOENT, {}},
         "No such file or directory",
         "Nie ma takiego pliku ani katalogu"},
        {{PortOpenReason::System, EACCES, {}}, "Permission denied", "Brak dostępu"},
        {{PortOpenReason::System, EBUSY, {}},
         "Device or resource busy",
         "Urządzenie lub zasoby zajęte"},
        {{PortOpenReason::System, ECONNREFUSED, {}}, "Connection refused", "Połączenie odrzucone"},
        {{PortOpenReason::NotSerialDevice, 0, {}},
         "not a serial device",
         "to nie jest port szeregowy"},
        {{PortOpenReason::InUse, 0, {}}, "in use by another program", "zajęty przez inny program"},
        {{PortOpenReason::NotNetworkName, 0, {}},
         "not a network port",
         "to nie jest port sieciowy (rfc2217://HOST:PORT lub tcp://HOST:PORT)"},
        {{PortOpenReason::HostNotFound, EAI_NONAME, "bench-3.lab"},
         "cannot find host bench-3.lab: Name or service not known",
         "nie znaleziono hosta bench-3.lab: nieznana nazwa"},
        {{PortOpenReason::ServerSilent, ETIMEDOUT, {}},
         "no answer from the server",
         "serwer nie odpowiada"},
        {{PortOpenReason::ServerClosed, 0, {}},
         "the server closed the connection",
         "serwer zamknął połączenie"},
        {{PortOpenReason::NotRfc2217, 0, {}},
         "not an RFC 2217 server; use tcp://",
         "to nie jest serwer RFC 2217; użyj tcp://"},
        {{PortOpenReason::Other, 0, {}}, "a reason\x01 of its own", "a reason\\x01 of its own"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.detail);
        DiscoveryResult result;
        result.probes = {{"/dev/ttyUSB0", ProbeResult::OpenFailed, c.detail, c.failure}};
        EXPECT_EQ(NotFoundDetails(result),
                  QString::fromUtf8("/dev/ttyUSB0: nie można otworzyć (%1)")
                      .arg(QString::fromUtf8(c.said)));
    }
}

// The English program says the refusal in the system's own words.
TEST(ConnectTexts, ANonTelnetServerIsRefusedInTheSystemsWordsInEnglish) {
    DiscoveryResult result;
    result.probes = {{"rfc2217://bench-3.lab:4001", ProbeResult::OpenFailed, "",
                      PortOpenFailure{PortOpenReason::NotRfc2217, 0, {}}}};
    EXPECT_EQ(InEnglish([&] { return NotFoundDetails(result); }),
              "rfc2217://bench-3.lab:4001: could not be opened (not an RFC 2217 server; use "
              "tcp://)");
}

// What the link notices about a port, named by the port, in both languages.
TEST(ConnectTexts, PortNoticesInBothLanguages) {
    struct Case {
        PortNoticeKind kind;
        const char* polish;
        const char* english;
    };
    const Case cases[] = {
        {PortNoticeKind::LineSettingsRefused,
         "rfc2217://bench-3.lab:2000: serwer nie przyjmuje ustawień linii szeregowej (RFC 2217); "
         "jego linia musi już mieć 4800 bodów 8N1",
         "rfc2217://bench-3.lab:2000: the server does not take serial line settings (RFC 2217); "
         "its line must already be set to 4800 baud 8N1"},
        {PortNoticeKind::Flooded,
         "rfc2217://bench-3.lab:2000: serwer przysyła znacznie więcej, niż linia 4800 bodów może "
         "przenieść; to nie jest przyrząd: połączenie zamknięto",
         "rfc2217://bench-3.lab:2000: the server sends far more than a 4800-baud line can carry; "
         "not an instrument: connection closed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        const PortNotice notice{c.kind, "rfc2217://bench-3.lab:2000"};
        EXPECT_EQ(PortNoticeText(notice), QString::fromUtf8(c.polish));
        EXPECT_EQ(InEnglish([&] { return PortNoticeText(notice); }), c.english);
    }
}

TEST(SystemErrorText, TheCodesMetHaveTextsOfTheirOwnAndAnyOtherTheLibrarys) {
    const std::pair<int, const char*> cases[] = {
        {ETIMEDOUT, "Przekroczony czas oczekiwania na połączenie"},
        {EHOSTUNREACH, "Brak trasy do hosta"},
        {ECONNRESET, "Połączenie zerwane przez drugą stronę"},
        {EADDRINUSE, "Adres jest już w użyciu"},
        {EIO, "Błąd wejścia/wyjścia"},
    };
    for (const auto& [error, said] : cases) {
        SCOPED_TRACE(error);
        EXPECT_EQ(SystemErrorText(error), QString::fromUtf8(said));
    }
    // Not one of them: the C library's words, in Polish where the machine has the Polish
    // locale, else its own.
    const QString other = SystemErrorText(EDOM);
    EXPECT_TRUE(other == QString::fromUtf8("Argument liczbowy spoza dziedziny") ||
                other == "Numerical argument out of domain")
        << other.toStdString();
}

}  // namespace
