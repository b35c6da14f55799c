#pragma once
// The client's command line: --port PATH (repeatable) and --help, nothing else.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

struct CommandLine {
    std::vector<std::string> ports;  // replaces the system's port list when not empty
    bool showHelp = false;
    QString error;  // not empty when the arguments could not be understood
};

CommandLine ParseCommandLine(const QStringList& arguments);  // arguments without argv[0]

QString CommandLineHelp(const QString& program);
