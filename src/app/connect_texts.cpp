#include "app/connect_texts.h"

#include <QStringList>
#include <map>

namespace {

constexpr ConnectTexts kPolish = {"Identyfikator urzadzenia  :",
                                  "KRT-10 wersja: ",
                                  " rewizja: ",
                                  " numer seyjny: ",
                                  "Pomiar trwa",
                                  "Urządzenie nie odpowiada !"};
constexpr ConnectTexts kEnglish = {"Found device  :",  "KRT-10 version: ", " rev.: ",
                                   " serial number: ", "Measuring",        "Device not found !"};

QString ProbeLine(const PortProbe& probe, bool english) {
    const QString port = QString::fromStdString(probe.port);
    const QString detail = VisibleText(probe.detail);
    switch (probe.result) {
        case ProbeResult::OpenFailed:
            return english ? QString("%1: could not be opened (%2)").arg(port, detail)
                           : QString("%1: nie można otworzyć (%2)").arg(port, detail);
        case ProbeResult::UnknownReply:
            return english ? QString("%1: unknown reply \"%2\"").arg(port, detail)
                           : QString("%1: nieznana odpowiedź \"%2\"").arg(port, detail);
        case ProbeResult::Identified:
            return english ? QString("%1: identified").arg(port)
                           : QString("%1: zidentyfikowano").arg(port);
        case ProbeResult::NoAnswer:
        case ProbeResult::Interrupted:
            break;
    }
    return english ? QString("%1: no answer").arg(port) : QString("%1: brak odpowiedzi").arg(port);
}

}  // namespace

const ConnectTexts& ConnectTextsFor(bool englishUi) {
    return englishUi ? kEnglish : kPolish;
}

QString VersionText(const InstrumentVersion& version, bool englishUi) {
    const ConnectTexts& t = ConnectTextsFor(englishUi);
    return QString::fromUtf8(t.versionWord) + QString::number(version.version) +
           QString::fromUtf8(t.revisionWord) + QString::number(version.revision) +
           QString::fromUtf8(t.serialWord) + QString::number(version.serial);
}

QString NotFoundDetails(const DiscoveryResult& result, bool englishUi) {
    if (result.probes.empty()) {
        return englishUi ? QString("No serial port was found to try.")
                         : QString("Nie znaleziono żadnego portu szeregowego.");
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
        lines << ProbeLine(*last[port], englishUi);
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
