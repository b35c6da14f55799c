#include "app/command_line.h"

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            result.showHelp = true;
        } else if (arg == "--port") {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                result.error = "--port needs a path";
                return result;
            }
            result.ports.push_back(arguments[++i].toStdString());
        } else if (arg.startsWith("--port=")) {
            const QString path = arg.mid(7);
            if (path.isEmpty()) {
                result.error = "--port needs a path";
                return result;
            }
            result.ports.push_back(path.toStdString());
        } else {
            result.error = QString("unknown argument: %1").arg(arg);
            return result;
        }
    }
    return result;
}

QString CommandLineHelp(const QString& program) {
    return QString(
               "Usage: %1 [--port PATH]...\n"
               "Desktop client for the chilled-mirror dew-point hygrometer.\n"
               "\n"
               "  --port PATH  try this serial port when connecting (repeatable; replaces the\n"
               "               list of serial ports the system reports)\n"
               "  --help       show this text\n")
        .arg(program);
}
