#include "app/status_texts.h"

#include <QCoreApplication>
#include <QStringList>

#include "session/connect_texts.h"

namespace {

QString ScanPart(const StatusSnapshot& s) {
    if (s.scanPlace <= 0) {
        return {};
    }
    return QCoreApplication::translate("Status", " (port %1 z %2)")
        .arg(s.scanPlace)
        .arg(s.scanCount);
}

QString ConnectedText(const StatusSnapshot& s) {
    const QString last = s.lastSample.isValid() ? s.lastSample.toString("HH:mm:ss") : "—";
    QString text = QCoreApplication::translate(
                       "Status", "Połączono: %1, %2 — zapisanych próbek: %3, ostatnia: %4")
                       .arg(s.port, VisibleText(s.identification.toStdString()))
                       .arg(s.samples)
                       .arg(last);
    if (s.replyBytes < kMeasurementReplySize) {
        text += QCoreApplication::translate("Status", " — niepełna odpowiedź (%1 z %2 bajtów)")
                    .arg(s.replyBytes)
                    .arg(kMeasurementReplySize);
    } else if (s.replyBytes > kMeasurementReplySize) {
        text += QCoreApplication::translate("Status", " — za długa odpowiedź (%1 bajtów)")
                    .arg(s.replyBytes);
    }
    if (s.silentSeconds >= 0) {
        text +=
            QCoreApplication::translate("Status", " — brak danych od %1 s").arg(s.silentSeconds);
    }
    return text;
}

QString StateText(const StatusSnapshot& s) {
    switch (s.state) {
        case SessionState::NotConnected:
            return QCoreApplication::translate("Status", "Nie połączono");
        case SessionState::Scanning:
            return QCoreApplication::translate("Status", "Szukanie przyrządu") + ScanPart(s);
        case SessionState::Identified:
        case SessionState::Connecting:
            return QCoreApplication::translate("Status", "Łączenie z %1").arg(s.port);
        case SessionState::Connected:
            return ConnectedText(s);
        case SessionState::Lost:
            return QCoreApplication::translate("Status", "Połączenie utracone — ponawianie") +
                   ScanPart(s);
        case SessionState::Stopped:
            break;
    }
    return {};
}

}  // namespace

QString StatusText(const StatusSnapshot& s) {
    QStringList parts;
    for (const QString& part : {StateText(s), s.portNote, s.files}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    return parts.join(QStringLiteral("  |  "));
}
