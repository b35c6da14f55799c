#pragma once
// The programs' options, one row each. Everything that lists options reads these rows: the
// command line's parser and its checks, the help (which help2man makes the manual page
// from), the keys of a configuration file and docs/command-line.md. An option is added by
// adding its row to the table in option_rows.cpp, and nothing else.
//
// A row's texts are Polish, marked with QT_TRANSLATE_NOOP in the "CommandLine" context and
// translated where they are shown.

#include <QString>
#include <QStringList>
#include <optional>
#include <span>

struct CommandLine;

// Whether the option takes a value: none ("--quiet"), one ("--port PATH" or
// "--port=PATH"), or one it may go without ("--name" alone, or "--name=VALUE": only with
// "=", so that the next argument is never taken for it).
enum class OptionValue { None, Required, Optional };

// Where the option means something.
enum class OptionRun {
    WindowAndHeadless,
    HeadlessOnly,  // refused without --headless
};

// Where the option may be given.
enum class OptionSource {
    CommandLineAndFile,  // also as the key of a --config file's line
    CommandLineOnly,     // answers at once, or names the file itself
    FileOnly,            // a secret: every user of the machine reads a command line (ps)
};

// A second form of an option, with its own line in the help ("--mqtt mqtts://...").
struct OptionForm {
    const char* placeholder = nullptr;
    const char* help = nullptr;
};

struct OptionRow {
    // "port": the option "--port" and the configuration file's key "port".
    const char* name = nullptr;
    OptionValue value = OptionValue::None;
    // The value as the help shows it: "ŚCIEŻKA" ("--port ŚCIEŻKA"; an optional value is
    // shown "--name[=WARTOŚĆ]").
    const char* placeholder = nullptr;
    // Said when a value it needs is left out, the option as %1: "%1 wymaga ścieżki".
    const char* missing = nullptr;
    // Puts the value in place (an empty one for an option without a value or an optional
    // value left out): why it is wrong, or empty. Reads no file.
    QString (*set)(CommandLine& line, const QString& value) = nullptr;
    // For an option whose value names a file: reads it once every option is in place
    // (the option as given, the file's path), or checks that it can be read later. Why it
    // cannot be used, or empty.
    QString (*load)(CommandLine& line, const QString& option, const QString& path) = nullptr;
    // The help's lines about it, each within 61 columns, without indentation; %1 is
    // `helpArgument`. None: it is described with the row above, whose heading names it too
    // ("--mqtt-cert PLIK --mqtt-key PLIK").
    const char* help = nullptr;
    const char* helpArgument = nullptr;
    OptionForm otherForm = {};  // none when it has one form
    OptionRun run = OptionRun::WindowAndHeadless;
    OptionSource source = OptionSource::CommandLineAndFile;
    bool measuringOnly = false;  // refused with --dump-logger and --read-settings
    // Another option that it goes with only ("metrics": refused without --metrics).
    const char* needs = nullptr;
    // Another option setting the same thing another way ("csv-dir" for "no-csv"): the two
    // are refused together, and either on the command line replaces both in the file.
    const char* sameSettingAs = nullptr;
    const char* alias = nullptr;  // a short name: "-h"

    QString LongName() const { return QStringLiteral("--") + QLatin1String(name); }
};

// Every option, in the order of the help.
std::span<const OptionRow> OptionRows();

// The row of the option named `name` (without its dashes); none when there is none.
const OptionRow* FindOption(const QString& name);

// Whether the argument `arg` names the option: "--name", its short name, or "--name=VALUE"
// when it takes a value.
bool NamesOption(const OptionRow& row, const QString& arg);

// The value of the option that arguments[i] names: "--name VALUE" (moving i on to it) or
// "--name=VALUE" for a required one, "--name=VALUE" alone for an optional one; empty for an
// option without a value or an optional one left out. Nullopt when a value is missing or
// empty.
std::optional<QString> TakeOptionValue(const OptionRow& row, const QStringList& arguments, int& i);

// The row's text in the interface's language; empty for none.
QString OptionText(const char* text);
