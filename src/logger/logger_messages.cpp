#include "logger/logger_messages.h"

QString LoggerNotConnectedText(bool englishUi) {
    return englishUi ? QStringLiteral("No instrument connected: press \"Connect\" first.")
                     : QStringLiteral("Brak połączenia z urządzeniem: najpierw naciśnij „Połącz”.");
}

QString LoggerDumpPortGoneText(int reached, bool englishUi) {
    if (englishUi) {
        const QString head =
            QStringLiteral("The connection to the instrument was lost at record %1. ").arg(reached);
        if (reached == 0) {
            return head + QStringLiteral("logged.txt is empty.");
        }
        if (reached == 1) {
            return head + QStringLiteral("logged.txt holds record 0.");
        }
        return head + QStringLiteral("logged.txt holds records 0 to %1.").arg(reached - 1);
    }
    const QString head =
        QStringLiteral("Połączenie z urządzeniem zostało przerwane przy rekordzie %1. ")
            .arg(reached);
    if (reached == 0) {
        return head + QStringLiteral("Plik logged.txt jest pusty.");
    }
    if (reached == 1) {
        return head + QStringLiteral("Plik logged.txt zawiera rekord 0.");
    }
    return head + QStringLiteral("Plik logged.txt zawiera rekordy od 0 do %1.").arg(reached - 1);
}
