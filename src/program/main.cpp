// Start-up: the command line, then the window and its message loop, or the headless mode.
#include <QApplication>
#include <cstdint>
#include <cstdio>

#include "app/app_texts.h"
#include "app/error_box.h"
#include "app/main_controller.h"
#include "app/main_window.h"
#include "program/command_line.h"
#include "program/headless_main.h"
#include "texts/interface_language.h"

// The interface language, fixed when the program is built: 0 Polish, anything else English.
constexpr std::int32_t EnglishUi = HYGRO_ENGLISH_UI;

int main(int argc, char** argv) {
    // Read before any application object exists: --help and the headless mode need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const CommandLine commandLine = ParseCommandLine(arguments);
    if (commandLine.showHelp || !commandLine.error.isEmpty()) {
        const QString help = CommandLineHelp(QString::fromLocal8Bit(argv[0]));
        if (!commandLine.error.isEmpty()) {
            std::fprintf(stderr, "%s\n%s", qPrintable(commandLine.error), qPrintable(help));
            return 2;
        }
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (commandLine.headless) {
        return RunHeadless(argc, argv, commandLine, EnglishUi != 0);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);

    // Before the first text is made.
    const InterfaceTranslator language(EnglishUi != 0 ? InterfaceLanguage::English
                                                      : InterfaceLanguage::Polish);
    TForm1 form;
    MainController controller(
        form, ControllerOptions{
                  commandLine.ports, commandLine.recordDirectory,
                  TelemetryOptions{commandLine.metrics, commandLine.mqtt, commandLine.mqttSecurity,
                                   commandLine.metricsWebConfig}});
    form.show();
    if (!controller.TelemetryError().isEmpty()) {
        ShowErrorBox(&form, controller.TelemetryError());  // the window measures all the same
    }
    return app.exec();
}
