#pragma once
// What the headless program tells the operator, in the interface's language (chosen once
// at start). Problems go to
// standard error, everything else to standard output; each text is one line without its end.

#include <QString>
#include <chrono>

#include "link/discovery.h"
#include "logger/logger_dump.h"
#include "measure/measurement_worker.h"

namespace headless_texts {

// "Found device  : KRT-10", with the identification's control characters made visible.
QString Identification(const QString& identification);
// The version text the window shows under the Connect button.
QString Version(const InstrumentVersion& version);
// "Measuring on /dev/ttyUSB0, log jrt1.txt".
QString Measuring(const QString& port, const QString& logPath);
QString OldLogKept(const QString& keptAs);
QString RecordStarted(const QString& path);
// One sample: its number, time and the three main readouts as the window shows them.
QString Sample(const SampleUpdate& update, const QString& timeText);
QString Stopped(int samples);

// Standard error.
// The not-found message: a first line, then one line per port tried.
QString NotFound(const DiscoveryResult& result);
// The run ended (the duration, a stop signal) before any port identified itself.
QString EndedBeforeFound();
QString NoAnswer();
QString AnswersAgain();
QString ConnectionLost(const QString& port, std::chrono::milliseconds retryInterval);
QString ConnectedAgain(const QString& port);
QString ConnectFailed(const QString& logPath, const QString& message);
QString SettingsIncomplete();
// --until-stable: the duration ended before the dew point was stable.
QString NeverStable(std::chrono::seconds duration);
// The stop signals could not be set up; nothing was started.
QString SignalsUnavailable();

// The logger dump.
QString DumpProgress(int number);  // before record `number` is asked for
QString DumpDone(int lines, const QString& path);
// Why a dump did not end well; empty when it did.
QString DumpFailed(const LoggerDumpResult& result, int closeError, const QString& path);
QString DumpFileFailed(const QString& path, int error);

}  // namespace headless_texts
