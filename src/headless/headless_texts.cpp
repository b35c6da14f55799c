#include "headless/headless_texts.h"

#include "app/connect_texts.h"
#include "logger/logger_messages.h"
#include "measure/file_error_text.h"

namespace headless_texts {

namespace {

QString Pick(bool englishUi, const char* english, const char* polish) {
    return QString::fromUtf8(englishUi ? english : polish);
}

}  // namespace

QString Identification(const QString& identification, bool englishUi) {
    return QString::fromUtf8(ConnectTextsFor(englishUi).identificationCaption) + QLatin1Char(' ') +
           VisibleText(identification.toStdString());
}

QString Version(const InstrumentVersion& version, bool englishUi) {
    return VersionText(version, englishUi);
}

QString Measuring(const QString& port, const QString& logPath, bool englishUi) {
    return Pick(englishUi, "Measuring on %1, log %2", "Pomiar trwa: %1, log %2").arg(port, logPath);
}

QString OldLogKept(const QString& keptAs, bool englishUi) {
    return Pick(englishUi, "The previous log was kept as %1", "Poprzedni log zachowano jako %1")
        .arg(keptAs);
}

QString RecordStarted(const QString& path, bool englishUi) {
    return Pick(englishUi, "CSV record: %1", "Zapis CSV: %1").arg(path);
}

QString Sample(const SampleUpdate& update, const QString& timeText, bool englishUi) {
    return Pick(englishUi, "%1  %2  dew point %3  ambient %4  RH %5 %",
                "%1  %2  punkt rosy %3  otoczenie %4  wilgotność %5 %")
        .arg(QString::number(update.sampleCount), timeText, update.readouts.Edit20,
             update.readouts.Edit14, update.readouts.Edit6);
}

QString Stopped(int samples, bool englishUi) {
    return Pick(englishUi, "Stopped; samples logged: %1", "Zatrzymano; zapisanych próbek: %1")
        .arg(samples);
}

QString NotFound(const DiscoveryResult& result, bool englishUi) {
    return QString::fromUtf8(ConnectTextsFor(englishUi).notFound) + QLatin1Char('\n') +
           NotFoundDetails(result, englishUi);
}

QString NoAnswer(bool englishUi) {
    return Pick(englishUi, "The instrument does not answer; measuring goes on when it does",
                "Urządzenie nie odpowiada; pomiar trwa dalej, gdy odpowie");
}

QString AnswersAgain(bool englishUi) {
    return Pick(englishUi, "The instrument answers again", "Urządzenie znów odpowiada");
}

QString ConnectionLost(const QString& port, bool englishUi) {
    return Pick(englishUi, "Connection to %1 lost; trying again every 2 s",
                "Utracono połączenie z %1; ponawianie co 2 s")
        .arg(port);
}

QString ConnectedAgain(const QString& port, bool englishUi) {
    return Pick(englishUi, "Connected again on %1", "Połączono ponownie: %1").arg(port);
}

QString LogFailed(const QString& logPath, const QString& message, bool englishUi) {
    return Pick(englishUi, "%1: %2; measuring goes on", "%1: %2; pomiar trwa dalej")
        .arg(logPath, message);
}

QString RecordFailed(const QString& message, bool englishUi) {
    return Pick(englishUi, "%1; measuring goes on", "%1; pomiar trwa dalej").arg(message);
}

QString ConnectFailed(const QString& logPath, const QString& message, bool englishUi) {
    return Pick(englishUi, "%1: %2; nothing is measured", "%1: %2; brak pomiaru")
        .arg(logPath, message);
}

QString SettingsIncomplete(bool englishUi) {
    return Pick(englishUi, "The instrument did not send all of its settings",
                "Urządzenie nie przesłało wszystkich ustawień");
}

QString SignalsUnavailable(bool englishUi) {
    return Pick(englishUi, "SIGINT and SIGTERM cannot be received; nothing was started",
                "Nie można odbierać SIGINT i SIGTERM; nic nie uruchomiono");
}

QString DumpProgress(int number, bool englishUi) {
    return Pick(englishUi, "Record %1 of %2", "Rekord %1 z %2")
        .arg(number + 1)
        .arg(kLoggerRecordCount);
}

QString DumpDone(int lines, const QString& path, bool englishUi) {
    return Pick(englishUi, "%1 records written to %2", "Zapisano rekordów: %1 do %2")
        .arg(lines)
        .arg(path);
}

QString DumpFailed(const LoggerDumpResult& result, int closeError, const QString& path,
                   bool englishUi) {
    switch (result.end) {
        case LoggerDumpResult::End::FileError:
            return DumpFileFailed(path, result.fileError);
        case LoggerDumpResult::End::PortGone:
            return LoggerDumpPortGoneText(result.linesWritten, englishUi);
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
