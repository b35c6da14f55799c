#include "measure/log_file_texts.h"

#include <QCoreApplication>

#include "measure/file_error_text.h"

namespace log_file_texts {

QString HoldingBegan(const QString& file, int error, std::size_t held) {
    return QCoreApplication::translate(
               "LogFiles", "%1: %2; wierszy czekających w pamięci: %3, pomiar trwa dalej")
        .arg(file, FileErrorText(error))
        .arg(held);
}

QString HoldingEnded(const QString& file, std::size_t writtenLate, std::uint64_t dropped) {
    return QCoreApplication::translate(
               "LogFiles",
               "%1 znów zapisywany: wierszy dopisanych z opóźnieniem: %2, utraconych: %3")
        .arg(file)
        .arg(writtenLate)
        .arg(dropped);
}

QString Restarted(const QString& file, std::int32_t sample) {
    return QCoreApplication::translate("LogFiles",
                                       "%1 został usunięty; zaczęto go od nowa od próbki %2")
        .arg(file)
        .arg(sample);
}

QString LinesLost(const QString& file, std::uint64_t lost) {
    return QCoreApplication::translate("LogFiles", "%1: utracono wierszy: %2").arg(file).arg(lost);
}

}  // namespace log_file_texts
