#pragma once
// What a program runs with: its command line, and the configuration file it names with
// --config. The command line wins: an option it gives replaces that option's lines in the
// file, all of them for a repeatable one.

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <optional>

#include "program/command_line.h"

// A configuration file as read: its name as given, its bytes, and who may read it.
struct ConfigSource {
    QString name;
    QByteArray bytes;
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
};

// The options of `arguments` (without argv[0]) with those of `config`, the file that
// --config names (none: no file given, or the run only answers --help or --version), and
// the files they name read. An error in the file names the file and the line; a secret in
// a file every user may read is refused (texts/secret_file.h).
CommandLine CombineOptions(const QStringList& arguments, const std::optional<ConfigSource>& config);

// The same, with the file that --config names read from disk. A file that cannot be read
// is an error like a bad option.
CommandLine ReadProgramOptions(const QStringList& arguments);
