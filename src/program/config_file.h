#pragma once
// The configuration file named by --config: "key = value" lines whose keys are the long
// options without their dashes, so that each line becomes one option of the command line
// ("port = /dev/ttyUSB0" is --port=/dev/ttyUSB0, a key alone such as "no-csv" is --no-csv)
// and goes through the command line's own parser. Lines beginning with # are comments.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct ConfigLine {
    int number = 0;                // the file's first line is 1
    QString key;                   // "port"
    std::optional<QString> value;  // none: the key alone

    QString Argument() const;  // "--port=/dev/ttyUSB0", "--no-csv"
};

struct ConfigText {
    std::vector<ConfigLine> lines;  // in the file's order, comments and blank lines left out
    int errorLine = 0;              // with `error`: the line it is about
    QString error;                  // not empty when a line is not "key = value" or a key
};

// The lines of a configuration file's bytes (UTF-8). Only the form of each line is checked
// here; whether the key is an option and the value a good one is the parser's business.
ConfigText ParseConfigText(const QByteArray& bytes);

// Keys that only a configuration file holds, never the command line, which every user of
// the machine can read (ps): the options of OptionSource::FileOnly, secrets, which the
// command line's parser takes as any other option.
QStringList ConfigOnlyKeys();

// Keys of options that answer at once or name another file: the command line's alone.
bool IsCommandLineOnlyKey(const QString& key);

// The keys that set the same thing as `key`, `key` among them ("no-csv" and "csv-dir", a
// row's sameSettingAs): the command line giving any of them overrides every one of them in
// the file.
QStringList KeysOfTheSameSetting(const QString& key);
