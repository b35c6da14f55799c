// Start-up of both programs: the command line and its configuration file, then the window
// or the headless program.
#include <signal.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdint>
#include <cstdio>

#include "app/app_texts.h"
#include "app/error_box.h"
#include "app/main_controller.h"
#include "app/main_window.h"
#include "headless/headless_runner.h"
#include "program/command_line.h"
#include "program/headless_main.h"
#include "program/program_options.h"
#include "texts/interface_language.h"

namespace {

// The interface language, fixed when the program is built: 0 Polish, anything else English.
constexpr std::int32_t EnglishUi = HYGRO_ENGLISH_UI;

InterfaceLanguage Language() {
    return EnglishUi != 0 ? InterfaceLanguage::English : InterfaceLanguage::Polish;
}

// The help, the version or what was wrong with the options, in the program's language; the
// exit status (bad options end as the headless program documents, in the window too).
int Answer(int& argc, char** argv, const QStringList& arguments) {
    // The texts of a language need an application object to be in place; no display does.
    QCoreApplication app(argc, argv);
    const InterfaceTranslator language(Language());
    // Read again now that the messages come out in the program's language.
    const CommandLine commandLine = ReadProgramOptions(arguments);
    const QString help = CommandLineHelp(QString::fromLocal8Bit(argv[0]));
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "%s\n%s", qPrintable(commandLine.error), qPrintable(help));
        return kExitBadOptions;
    }
    if (commandLine.showHelp) {
        std::fputs(qPrintable(help), stdout);
    } else {
        std::puts(qPrintable(VersionLine(HYGRO_PROGRAM_NAME, HYGRO_VERSION)));
    }
    return kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A peer that went away (a reader of standard output, a broker behind libmosquitto's TLS
    // connection) is no reason to end: its write fails with EPIPE, and the program goes on.
    signal(SIGPIPE, SIG_IGN);
#endif
    // Read before any application object exists: which one the run needs (a window's, or
    // none without a display) follows from it.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const CommandLine commandLine = ReadProgramOptions(arguments);
    if (commandLine.AnswersAtOnce()) {
        return Answer(argc, argv, arguments);
    }
    if (commandLine.headless) {
        return RunHeadless(argc, argv, commandLine, EnglishUi != 0);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);

    // Before the first text is made.
    const InterfaceTranslator language(Language());
    TForm1 form;
    MainController controller(
        form,
        ControllerOptions{commandLine.ports, commandLine.recordDirectory,
                          TelemetryOptions{commandLine.metrics, commandLine.mqtt,
                                           commandLine.mqttSecurity, commandLine.metricsWebConfig},
                          commandLine.pressureHpa});
    form.show();
    if (!controller.TelemetryError().isEmpty()) {
        ShowErrorBox(&form, controller.TelemetryError());  // the window measures all the same
    }
    return app.exec();
}
