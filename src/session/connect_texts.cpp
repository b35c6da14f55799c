#include "session/connect_texts.h"

#include <netdb.h>

#include <QCoreApplication>
#include <QStringList>
#include <map>

#include "texts/system_error_text.h"

namespace {

QString ResolverText(int code) {
    switch (code) {
        case EAI_NONAME:
            return QCoreApplication::translate("Connect", "nieznana nazwa");
        case EAI_AGAIN:
            return QCoreApplication::translate("Connect", "serwer nazw chwilowo nie odpowiada");
        default:
            return QString::fromLocal8Bit(gai_strerror(code));
    }
}

// Why a port did not open, in the program's language where the link says what it was.
QString OpenFailureText(const PortProbe& probe) {
    const PortOpenFailure& failure = probe.failure;
    switch (failure.reason) {
        case PortOpenReason::System:
            return SystemErrorText(failure.error);
        case PortOpenReason::NotSerialDevice:
            return QCoreApplication::translate("Connect", "to nie jest port szeregowy");
        case PortOpenReason::InUse:
            return QCoreApplication::translate("Connect", "zajęty przez inny program");
        case PortOpenReason::NotNetworkName:
            return QCoreApplication::translate(
                "Connect", "to nie jest port sieciowy (rfc2217://HOST:PORT lub tcp://HOST:PORT)");
        case PortOpenReason::HostNotFound:
            return QCoreApplication::translate("Connect", "nie znaleziono hosta %1: %2")
                .arg(VisibleText(failure.host), ResolverText(failure.error));
        case PortOpenReason::ServerSilent:
            return QCoreApplication::translate("Connect", "serwer nie odpowiada");
        case PortOpenReason::ServerClosed:
            return QCoreApplication::translate("Connect", "serwer zamknął połączenie");
        case PortOpenReason::NotRfc2217:
            return QCoreApplication::translate("Connect",
                                               "to nie jest serwer RFC 2217; użyj tcp://");
        case PortOpenReason::Interrupted:
            return QCoreApplication::translate("Connect", "przerwano");
        case PortOpenReason::Other:
            break;
    }
    return VisibleText(probe.detail);
}

QString ProbeLine(const PortProbe& probe) {
    const QString port = QString::fromStdString(probe.port);
    const QString detail = probe.result == ProbeResult::OpenFailed ? OpenFailureText(probe)
                                                                   : VisibleText(probe.detail);
    switch (probe.result) {
        case ProbeResult::OpenFailed:
            return QCoreApplication::translate("Connect", "%1: nie można otworzyć (%2)")
                .arg(port, detail);
        case ProbeResult::UnknownReply:
            return QCoreApplication::translate("Connect", "%1: nieznana odpowiedź \"%2\"")
                .arg(port, detail);
        case ProbeResult::Identified:
            return QCoreApplication::translate("Connect", "%1: zidentyfikowano").arg(port);
        case ProbeResult::NoAnswer:
        case ProbeResult::Interrupted:
            break;
    }
    return QCoreApplication::translate("Connect", "%1: brak odpowiedzi").arg(port);
}

}  // namespace

QString IdentificationCaption() {
    return QCoreApplication::translate("Connect", "Identyfikator urzadzenia  :");
}

QString MeasuringCaption() {
    return QCoreApplication::translate("Connect", "Pomiar trwa");
}

QString NotFoundCaption() {
    return QCoreApplication::translate("Connect", "Urządzenie nie odpowiada !");
}

QString NotConnectedText() {
    return QCoreApplication::translate(
        "Connect", "Brak połączenia z urządzeniem: najpierw naciśnij „Połącz”.");
}

QString VersionText(const InstrumentVersion& version) {
    return QCoreApplication::translate("Connect", "KRT-10 wersja: %1 rewizja: %2 numer seyjny: %3")
        .arg(version.version)
        .arg(version.revision)
        .arg(version.serial);
}

QString NotFoundDetails(const DiscoveryResult& result) {
    if (result.probes.empty()) {
        return QCoreApplication::translate("Connect", "Nie znaleziono żadnego portu szeregowego.");
    }
    // One line per port in the order first tried, with its last outcome.
    std::vector<std::string> order;
    std::map<std::string, const PortProbe*> last;
    for (const PortProbe& probe : result.probes) {
        if (!last.count(probe.port)) {
            order.push_back(probe.port);
        }
        last[probe.port] = &probe;
    }
    QStringList lines;
    for (const std::string& port : order) {
        lines << ProbeLine(*last[port]);
    }
    return lines.join('\n');
}

QString VisibleText(const std::string& bytes) {
    QString out;
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (const QChar c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            out += QString("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
        } else {
            out += c;
        }
    }
    return out;
}

QString PortNoticeText(const PortNotice& notice) {
    const QString port = VisibleText(notice.port);
    switch (notice.kind) {
        case PortNoticeKind::LineSettingsRefused:
            return QCoreApplication::translate("Connect",
                                               "%1: serwer nie przyjmuje ustawień linii szeregowej "
                                               "(RFC 2217); jego linia musi już mieć %2 bodów 8N1")
                .arg(port)
                .arg(kLineBaud);
        case PortNoticeKind::Flooded:
            return QCoreApplication::translate(
                       "Connect",
                       "%1: serwer przysyła znacznie więcej, niż linia %2 bodów może przenieść; to "
                       "nie jest przyrząd: połączenie zamknięto")
                .arg(port)
                .arg(kLineBaud);
    }
    return port;
}
