// Start-up: the application and its title, the window, the message loop.
#include <QApplication>
#include <cstdint>
#include <cstdio>

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/main_controller.h"
#include "app/main_window.h"
#include "texts/interface_language.h"

// The interface language, fixed when the program is built: 0 Polish, anything else English.
constexpr std::int32_t EnglishUi = HYGRO_ENGLISH_UI;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const CommandLine commandLine = ParseCommandLine(app.arguments().mid(1));
    if (commandLine.showHelp || !commandLine.error.isEmpty()) {
        const QString help = CommandLineHelp(QString::fromLocal8Bit(argv[0]));
        if (!commandLine.error.isEmpty()) {
            std::fprintf(stderr, "%s\n%s", qPrintable(commandLine.error), qPrintable(help));
            return 2;
        }
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    QApplication::setApplicationName(kApplicationTitle);

    // Before the first text is made.
    const InterfaceTranslator language(EnglishUi != 0 ? InterfaceLanguage::English
                                                      : InterfaceLanguage::Polish);
    TForm1 form;
    MainController controller(form, ControllerOptions{commandLine.ports});
    form.show();
    return app.exec();
}
