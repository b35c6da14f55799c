#include "program/headless_main.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "headless/headless_runner.h"
#include "headless/headless_texts.h"
#include "headless/stop_signals.h"
#include "texts/interface_language.h"

namespace {

void WriteLine(std::FILE* stream, const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stream);
}

// Standard output and error, with the dump's progress overwriting itself on a terminal.
HeadlessOutput StandardStreams() {
    auto progressShown = std::make_shared<bool>(false);
    auto endProgress = [progressShown] {
        if (*progressShown) {
            std::fputc('\n', stderr);
            *progressShown = false;
        }
    };
    HeadlessOutput output;
    output.line = [](const QString& text) { WriteLine(stdout, text); };
    output.problem = [endProgress](const QString& text) {
        endProgress();
        WriteLine(stderr, text);
    };
    if (isatty(STDERR_FILENO) == 1) {
        output.progress = [progressShown, endProgress](const QString& text) {
            if (text.isEmpty()) {
                endProgress();
                return;
            }
            std::fputs(("\r" + text).toUtf8().constData(), stderr);
            std::fflush(stderr);
            *progressShown = true;
        };
    }
    return output;
}

HeadlessOptions OptionsFor(const CommandLine& commandLine) {
    HeadlessOptions options;
    options.session.ports = commandLine.ports;
    options.session.locale = QLocale();  // the operator's, as the window's log has it
    options.session.recordDirectory = commandLine.recordDirectory;
    options.session.pressureHpa = commandLine.pressureHpa;
    options.session.stability = commandLine.stability;
    options.untilStable = commandLine.untilStable;
    options.job = commandLine.headlessJob;
    options.duration = commandLine.duration;
    options.quiet = commandLine.quiet;
    options.telemetry = TelemetryOptions{commandLine.metrics, commandLine.mqtt,
                                         commandLine.mqttSecurity, commandLine.metricsWebConfig};
    return options;
}

}  // namespace

int RunHeadless(int& argc, char** argv, const CommandLine& commandLine, bool englishUi) {
    // Before any thread exists, so none of them takes the stop signals; this one message
    // comes before the texts of the interface's language are in place.
    if (!StopSignals::BlockInAllThreads()) {
        WriteLine(stderr, headless_texts::SignalsUnavailable());
        return kExitFailed;
    }
    // Lines reach a pipe (a service's journal, a script) as they are written.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    QCoreApplication app(argc, argv);
    const InterfaceTranslator language(englishUi ? InterfaceLanguage::English
                                                 : InterfaceLanguage::Polish);
    StopSignals stopSignals;
    if (!stopSignals.IsOpen()) {
        WriteLine(stderr, headless_texts::SignalsUnavailable());
        return kExitFailed;
    }
    HeadlessRunner runner(OptionsFor(commandLine), StandardStreams());
    QObject::connect(&stopSignals, &StopSignals::Received, &runner, &HeadlessRunner::Stop);
    QObject::connect(&runner, &HeadlessRunner::Finished, &app,
                     [](int status) { QCoreApplication::exit(status); });
    QTimer::singleShot(0, &runner, &HeadlessRunner::Start);
    return app.exec();
}
