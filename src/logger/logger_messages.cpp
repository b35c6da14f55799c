#include "logger/logger_messages.h"

#include <QCoreApplication>

QString LoggerDumpPortGoneText(int reached) {
    const QString head =
        QCoreApplication::translate(
            "LoggerDump", "Połączenie z urządzeniem zostało przerwane przy rekordzie %1. ")
            .arg(reached);
    if (reached == 0) {
        return head + QCoreApplication::translate("LoggerDump", "Plik logged.txt jest pusty.");
    }
    if (reached == 1) {
        return head +
               QCoreApplication::translate("LoggerDump", "Plik logged.txt zawiera rekord 0.");
    }
    return head +
           QCoreApplication::translate("LoggerDump", "Plik logged.txt zawiera rekordy od 0 do %1.")
               .arg(reached - 1);
}
