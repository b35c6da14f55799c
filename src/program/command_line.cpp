#include "program/command_line.h"

#include <QCoreApplication>

#include "program/option_rows.h"

namespace {

// The row that `arg` names.
const OptionRow* RowOf(const QString& arg) {
    for (const OptionRow& row : OptionRows()) {
        if (NamesOption(row, arg)) {
            return &row;
        }
    }
    return nullptr;
}

QString NotTogether(const QString& first, const QString& second) {
    return QCoreApplication::translate("CommandLine", "Nie można podać razem %1 i %2")
        .arg(first, second);
}

// The rows of the options given, each once, in the order first given.
std::vector<const OptionRow*> RowsGiven(const QStringList& given) {
    std::vector<const OptionRow*> rows;
    for (const QString& option : given) {
        const OptionRow* row = FindOption(option.mid(2));
        if (row != nullptr && std::find(rows.begin(), rows.end(), row) == rows.end()) {
            rows.push_back(row);
        }
    }
    return rows;
}

// Checks that the options given make one run together.
QString CombinationError(const CommandLine& line) {
    const std::vector<const OptionRow*> rows = RowsGiven(line.given);
    const auto isGiven = [&](const char* name) {
        return line.given.contains(QStringLiteral("--") + QLatin1String(name));
    };
    for (const OptionRow* row : rows) {
        if (row->run == OptionRun::HeadlessOnly && !line.headless) {
            return QCoreApplication::translate("CommandLine", "%1 działa tylko z --headless")
                .arg(row->LongName());
        }
    }
    if (isGiven("dump-logger") && isGiven("read-settings")) {
        return NotTogether("--dump-logger", "--read-settings");
    }
    for (const OptionRow* row : rows) {
        if (row->sameSettingAs != nullptr && isGiven(row->sameSettingAs)) {
            return NotTogether(FindOption(QLatin1String(row->sameSettingAs))->LongName(),
                               row->LongName());
        }
    }
    for (const OptionRow* row : rows) {
        if (row->measuringOnly && line.headlessJob != HeadlessJob::Measure) {
            return QCoreApplication::translate(
                       "CommandLine", "%1 dotyczy pomiaru, nie --dump-logger ani --read-settings")
                .arg(row->LongName());
        }
    }
    if (const QString problem = MqttSecurityProblem(line.mqtt, line.mqttSecurity);
        !problem.isEmpty()) {
        return problem;
    }
    for (const OptionRow* row : rows) {
        if (row->needs != nullptr && !isGiven(row->needs)) {
            return QCoreApplication::translate("CommandLine", "%1 działa tylko z %2")
                .arg(row->LongName(), FindOption(QLatin1String(row->needs))->LongName());
        }
    }
    return {};
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    return CheckedCombination(WithNamedFiles(ParseOptions(arguments, CommandLine())));
}

CommandLine ParseOptions(const QStringList& arguments, CommandLine result) {
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const OptionRow* row = RowOf(arg);
        if (row == nullptr) {
            result.error =
                QCoreApplication::translate("CommandLine", "nieznany argument: %1").arg(arg);
            result.unknownArgument = arg;
            return result;
        }
        const QString name = row->LongName();
        const std::optional<QString> value = TakeOptionValue(*row, arguments, i);
        if (!value) {
            result.error = OptionText(row->missing).arg(name);
            return result;
        }
        result.given << name;
        if (row->set != nullptr) {
            result.error = row->set(result, *value);
            if (!result.error.isEmpty()) {
                return result;
            }
        }
        if (row->load != nullptr) {
            std::erase_if(result.namedFiles,
                          [&](const NamedFile& file) { return file.option == name; });
            result.namedFiles.push_back({name, *value});
        }
    }
    return result;
}

CommandLine WithNamedFiles(CommandLine line) {
    if (!line.error.isEmpty() || line.AnswersAtOnce()) {
        return line;
    }
    for (const NamedFile& file : std::vector<NamedFile>(line.namedFiles)) {
        const OptionRow* row = FindOption(file.option.mid(2));
        line.error = row->load(line, file.option, file.path);
        if (!line.error.isEmpty()) {
            break;
        }
    }
    return line;
}

CommandLine CheckedCombination(CommandLine line) {
    if (line.error.isEmpty()) {
        line.error = CombinationError(line);
    }
    return line;
}

QString VersionLine(const QString& program, const QString& version) {
    return program + QLatin1Char(' ') + version;
}
