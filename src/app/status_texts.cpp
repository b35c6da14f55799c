#include "app/status_texts.h"

#include "app/connect_texts.h"

namespace {

QString ScanPart(const StatusSnapshot& s, bool english) {
    if (s.scanPlace <= 0) {
        return {};
    }
    return english ? QString(" (port %1 of %2)").arg(s.scanPlace).arg(s.scanCount)
                   : QString(" (port %1 z %2)").arg(s.scanPlace).arg(s.scanCount);
}

QString ConnectedText(const StatusSnapshot& s, bool english) {
    const QString last = s.lastSample.isValid() ? s.lastSample.toString("HH:mm:ss") : "—";
    const QString identification = VisibleText(s.identification.toStdString());
    QString text = english ? QString("Connected: %1, %2 — samples logged: %3, last sample: %4")
                                 .arg(s.port, identification)
                                 .arg(s.samples)
                                 .arg(last)
                           : QString("Połączono: %1, %2 — zapisanych próbek: %3, ostatnia: %4")
                                 .arg(s.port, identification)
                                 .arg(s.samples)
                                 .arg(last);
    if (s.silentSeconds >= 0) {
        text += english ? QString(" — no data for %1 s").arg(s.silentSeconds)
                        : QString(" — brak danych od %1 s").arg(s.silentSeconds);
    }
    return text;
}

}  // namespace

QString StatusText(const StatusSnapshot& s, bool english) {
    switch (s.state) {
        case SessionState::NotConnected:
            return english ? QString("Not connected") : QString("Nie połączono");
        case SessionState::Scanning:
            return (english ? QString("Looking for the instrument")
                            : QString("Szukanie przyrządu")) +
                   ScanPart(s, english);
        case SessionState::Identified:
        case SessionState::Connecting:
            return english ? QString("Connecting to %1").arg(s.port)
                           : QString("Łączenie z %1").arg(s.port);
        case SessionState::Connected:
            return ConnectedText(s, english);
        case SessionState::Lost:
            return (english ? QString("Connection lost — retrying")
                            : QString("Połączenie utracone — ponawianie")) +
                   ScanPart(s, english);
        case SessionState::Stopped:
            break;
    }
    return {};
}
