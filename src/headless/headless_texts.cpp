#include "headless/headless_texts.h"

#include <QCoreApplication>
#include <QLocale>

#include "logger/logger_messages.h"
#include "measure/file_error_text.h"
#include "session/connect_texts.h"

namespace headless_texts {

QString Identification(const QString& identification) {
    return IdentificationCaption() + QLatin1Char(' ') + VisibleText(identification.toStdString());
}

QString Version(const InstrumentVersion& version) {
    return VersionText(version);
}

QString Measuring(const QString& port, const QString& logPath) {
    return QCoreApplication::translate("Headless", "Pomiar trwa: %1, log %2").arg(port, logPath);
}

QString OldLogKept(const QString& keptAs) {
    return QCoreApplication::translate("Headless", "Poprzedni log zachowano jako %1").arg(keptAs);
}

QString RecordStarted(const QString& path) {
    return QCoreApplication::translate("Headless", "Zapis CSV: %1").arg(path);
}

QString Sample(const SampleUpdate& update, const QString& timeText) {
    return QCoreApplication::translate("Headless",
                                       "%1  %2  punkt rosy %3  otoczenie %4  wilgotność %5 %")
        .arg(QString::number(update.sampleCount), timeText, update.readouts.DewPoint,
             update.readouts.AmbientTemperature, update.readouts.RelativeHumidity);
}

QString Stopped(int samples) {
    return QCoreApplication::translate("Headless", "Zatrzymano; zapisanych próbek: %1")
        .arg(samples);
}

QString NotFound(const DiscoveryResult& result) {
    return NotFoundCaption() + QLatin1Char('\n') + NotFoundDetails(result);
}

QString EndedBeforeFound() {
    return NotFoundCaption() + QLatin1Char('\n') +
           QCoreApplication::translate("Headless",
                                       "Zakończono, zanim którykolwiek port się zidentyfikował.");
}

QString NoAnswer() {
    return QCoreApplication::translate("Headless",
                                       "Urządzenie nie odpowiada; pomiar trwa dalej, gdy odpowie");
}

QString AnswersAgain() {
    return QCoreApplication::translate("Headless", "Urządzenie znów odpowiada");
}

QString ConnectionLost(const QString& port, std::chrono::milliseconds retryInterval) {
    return QCoreApplication::translate("Headless", "Utracono połączenie z %1; ponawianie co %2 s")
        .arg(port, QLocale().toString(retryInterval.count() / 1000.0));
}

QString ConnectedAgain(const QString& port) {
    return QCoreApplication::translate("Headless", "Połączono ponownie: %1").arg(port);
}

QString ConnectFailed(const QString& logPath, const QString& message) {
    return QCoreApplication::translate("Headless", "%1: %2; brak pomiaru").arg(logPath, message);
}

QString NeverStable(std::chrono::seconds duration) {
    return QCoreApplication::translate("Headless", "Punkt rosy nie ustabilizował się w ciągu %1 s")
        .arg(duration.count());
}

QString SettingsIncomplete() {
    return QCoreApplication::translate("Headless", "Urządzenie nie przesłało wszystkich ustawień");
}

QString SignalsUnavailable() {
    return QCoreApplication::translate("Headless",
                                       "Nie można odbierać SIGINT i SIGTERM; nic nie uruchomiono");
}

QString DumpProgress(int number) {
    return QCoreApplication::translate("Headless", "Rekord %1 z %2")
        .arg(number + 1)
        .arg(kLoggerRecordCount);
}

QString DumpDone(int lines, const QString& path) {
    return QCoreApplication::translate("Headless", "Zapisano rekordów: %1 do %2")
        .arg(lines)
        .arg(path);
}

QString DumpFailed(const LoggerDumpResult& result, int closeError, const QString& path) {
    switch (result.end) {
        case LoggerDumpResult::End::FileError:
            return DumpFileFailed(path, result.fileError);
        case LoggerDumpResult::End::PortGone:
            return LoggerDumpPortGoneText(result.linesWritten);
        case LoggerDumpResult::End::Complete:
        case LoggerDumpResult::End::Stopped:
            break;
    }
    return closeError != 0 ? DumpFileFailed(path, closeError) : QString();
}

QString DumpFileFailed(const QString& path, int error) {
    return path + QStringLiteral(": ") + FileErrorText(error);  // one form in both languages
}

}  // namespace headless_texts
