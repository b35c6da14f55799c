// Start-up: the application and its title, the window, the message loop.
#include <QApplication>
#include <cstdio>

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/main_controller.h"
#include "app/main_window.h"

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

    TForm1 form;
    MainController controller(form, ControllerOptions{commandLine.ports, false});
    form.show();
    return app.exec();
}
