#include "logger/logger_messages.h"

#include <QCoreApplication>

#include "logger/logger_dump_file.h"

QString LoggerDumpPortGoneText(int reached) {
    const QString head =
        QCoreApplication::translate(
            "LoggerDump", "Połączenie z urządzeniem zostało przerwane przy rekordzie %1. ")
            .arg(reached);
    if (reached == 0) {
        return head + QCoreApplication::translate("LoggerDump", "Plik %1 jest pusty.")
                          .arg(kLoggerDumpName);
    }
    if (reached == 1) {
        return head + QCoreApplication::translate("LoggerDump", "Plik %1 zawiera rekord 0.")
                          .arg(kLoggerDumpName);
    }
    return head + QCoreApplication::translate("LoggerDump", "Plik %1 zawiera rekordy od 0 do %2.")
                      .arg(QString::fromLatin1(kLoggerDumpName), QString::number(reached - 1));
}
