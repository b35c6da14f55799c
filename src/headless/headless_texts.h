#pragma once
// What the headless program tells the operator, in the interface's language. Problems go to
// standard error, everything else to standard output; each text is one line without its end.

#include <QString>

#include "link/discovery.h"
#include "logger/logger_dump.h"
#include "measure/measurement_worker.h"

namespace headless_texts {

// "Found device  : KRT-10", with the identification's control characters made visible.
QString Identification(const QString& identification, bool englishUi);
// The version text the window shows under the Connect button.
QString Version(const InstrumentVersion& version, bool englishUi);
// "Measuring on /dev/ttyUSB0, log jrt1.txt".
QString Measuring(const QString& port, const QString& logPath, bool englishUi);
QString OldLogKept(const QString& keptAs, bool englishUi);
QString RecordStarted(const QString& path, bool englishUi);
// One sample: its number, time and the three main readouts as the window shows them.
QString Sample(const SampleUpdate& update, const QString& timeText, bool englishUi);
QString Stopped(int samples, bool englishUi);

// Standard error.
// The not-found message: a first line, then one line per port tried.
QString NotFound(const DiscoveryResult& result, bool englishUi);
QString NoAnswer(bool englishUi);
QString AnswersAgain(bool englishUi);
QString ConnectionLost(const QString& port, bool englishUi);
QString ConnectedAgain(const QString& port, bool englishUi);
QString LogFailed(const QString& logPath, const QString& message, bool englishUi);
QString RecordFailed(const QString& message, bool englishUi);
QString ConnectFailed(const QString& logPath, const QString& message, bool englishUi);
QString SettingsIncomplete(bool englishUi);
// The stop signals could not be set up; nothing was started.
QString SignalsUnavailable(bool englishUi);

// The logger dump.
QString DumpProgress(int number, bool englishUi);  // before record `number` is asked for
QString DumpDone(int lines, const QString& path, bool englishUi);
// Why a dump did not end well; empty when it did.
QString DumpFailed(const LoggerDumpResult& result, int closeError, const QString& path,
                   bool englishUi);
QString DumpFileFailed(const QString& path, int error);

}  // namespace headless_texts
