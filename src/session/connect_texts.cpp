#include "session/connect_texts.h"

#include <QCoreApplication>
#include <QStringList>
#include <map>

namespace {

QString ProbeLine(const PortProbe& probe) {
    const QString port = QString::fromStdString(probe.port);
    const QString detail = VisibleText(probe.detail);
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
