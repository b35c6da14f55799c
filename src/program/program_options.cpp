#include "program/program_options.h"

#include <QCoreApplication>
#include <QFile>

#include "program/config_file.h"
#include "program/option_rows.h"
#include "texts/secret_file.h"

namespace {

// A configuration file is a few dozen lines; anything this long is another file.
constexpr qint64 kLongestConfigFile = 1024 * 1024;

QString Translate(const char* text) {
    return QCoreApplication::translate("ConfigFile", text);
}

// The long options named in `arguments`, without their values: "--port", "--no-csv".
QStringList OptionNames(const QStringList& arguments) {
    QStringList names;
    for (const QString& arg : arguments) {
        if (arg.startsWith("--")) {
            names << arg.section('=', 0, 0);
        }
    }
    return names;
}

bool OverriddenBy(const QStringList& commandLineNames, const QString& key) {
    for (const QString& same : KeysOfTheSameSetting(key)) {
        if (commandLineNames.contains("--" + same)) {
            return true;
        }
    }
    return false;
}

// Why `line` is not an option: no such key, or a value for an option that takes none.
QString UnknownKey(const ConfigLine& line) {
    const OptionRow* row = FindOption(line.key);
    if (line.value && row != nullptr && row->value == OptionValue::None) {
        return Translate(
                   QT_TRANSLATE_NOOP("ConfigFile",
                                     "%1 nie przyjmuje wartości: sam klucz w wierszu ją włącza"))
            .arg(line.key);
    }
    return Translate(QT_TRANSLATE_NOOP("ConfigFile", "nieznany klucz: %1")).arg(line.key);
}

CommandLine WithError(CommandLine line, const QString& file, int number, const QString& error) {
    line.error = QStringLiteral("%1:%2: %3").arg(file).arg(number).arg(error);
    return line;
}

}  // namespace

CommandLine CombineOptions(const QStringList& arguments,
                           const std::optional<ConfigSource>& config) {
    const QStringList named = OptionNames(arguments);
    for (const QString& key : ConfigOnlyKeys()) {
        if (named.contains("--" + key)) {
            CommandLine refused;
            refused.error =
                Translate(QT_TRANSLATE_NOOP("ConfigFile",
                                            "--%1 może być tylko w pliku --config: wiersz poleceń "
                                            "widzi każdy użytkownik komputera"))
                    .arg(key);
            return refused;
        }
    }
    const CommandLine commandLine = ParseOptions(arguments, CommandLine());
    if (!config || commandLine.AnswersAtOnce()) {
        return CheckedCombination(WithNamedFiles(commandLine));
    }
    const ConfigText text = ParseConfigText(config->bytes);
    if (!text.error.isEmpty()) {
        return WithError(CommandLine(), config->name, text.errorLine, text.error);
    }
    CommandLine combined;
    for (const ConfigLine& line : text.lines) {
        if (IsCommandLineOnlyKey(line.key)) {
            return WithError(
                combined, config->name, line.number,
                Translate(QT_TRANSLATE_NOOP("ConfigFile", "%1 działa tylko w wierszu poleceń"))
                    .arg(line.key));
        }
        const OptionRow* row = FindOption(line.key);
        if (row != nullptr && row->source == OptionSource::FileOnly) {
            if (const QString problem = OpenSecretFileProblem(config->name, config->permissions);
                !problem.isEmpty()) {
                return WithError(combined, config->name, line.number, line.key + ": " + problem);
            }
        }
        // Each line is checked, also one the command line overrides: a mistake in the file
        // shows the first time, not when the option is last left off the command line.
        const CommandLine alone = ParseOptions({line.Argument()}, CommandLine());
        if (!alone.unknownArgument.isEmpty()) {
            return WithError(alone, config->name, line.number, UnknownKey(line));
        }
        if (!alone.error.isEmpty()) {
            return WithError(alone, config->name, line.number, alone.error);
        }
        if (!OverriddenBy(named, line.key)) {
            combined = ParseOptions({line.Argument()}, std::move(combined));
        }
    }
    return CheckedCombination(WithNamedFiles(ParseOptions(arguments, std::move(combined))));
}

CommandLine ReadProgramOptions(const QStringList& arguments) {
    const CommandLine commandLine = ParseOptions(arguments, CommandLine());
    if (!commandLine.configFile || commandLine.AnswersAtOnce()) {
        return CombineOptions(arguments, std::nullopt);
    }
    const QString& name = *commandLine.configFile;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        CommandLine failed;
        failed.error =
            Translate(QT_TRANSLATE_NOOP("ConfigFile", "%1: nie można odczytać pliku (%2)"))
                .arg(name, file.errorString());
        return failed;
    }
    const QByteArray bytes = file.read(kLongestConfigFile + 1);
    if (file.error() != QFileDevice::NoError) {
        CommandLine failed;
        failed.error =
            Translate(QT_TRANSLATE_NOOP("ConfigFile", "%1: nie można odczytać pliku (%2)"))
                .arg(name, file.errorString());
        return failed;
    }
    if (bytes.size() > kLongestConfigFile) {
        CommandLine failed;
        failed.error =
            Translate(
                QT_TRANSLATE_NOOP("ConfigFile", "%1: to nie plik konfiguracji, ma ponad %2 bajtów"))
                .arg(name)
                .arg(kLongestConfigFile);
        return failed;
    }
    return CombineOptions(arguments, ConfigSource{name, bytes, file.permissions()});
}
