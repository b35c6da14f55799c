// The help and docs/command-line.md, both made from the option rows.
#include <QCoreApplication>

#include "program/command_line.h"
#include "program/option_rows.h"

namespace {

// An option's description starts in this column (from 0); a name that leaves less than two
// spaces before it has a line of its own.
constexpr qsizetype kDescriptionColumn = 19;

QString Usage(const QString& program) {
    return QCoreApplication::translate(
               "CommandLine",
               "Użycie: %1 [--config PLIK] [--port ŚCIEŻKA]...\n"
               "          [--csv-dir KATALOG | --no-csv]\n"
               "          [--metrics [ADRES:]PORT [--metrics-web-config PLIK]]\n"
               "          [--mqtt mqtt[s]://HOST[:PORT]/PREFIKS [--mqtt-user NAZWA]\n"
               "           [--mqtt-password-file PLIK] [--mqtt-ca PLIK]\n"
               "           [--mqtt-cert PLIK --mqtt-key PLIK]]\n"
               "       %1 --headless [--config PLIK] [--port ŚCIEŻKA]... [--quiet]\n"
               "                     [--duration SEKUNDY] [--csv-dir KATALOG | --no-csv]\n"
               "                     [--metrics [ADRES:]PORT ...]\n"
               "                     [--mqtt mqtt[s]://HOST[:PORT]/PREFIKS ...]\n"
               "       %1 --headless [--config PLIK] [--port ŚCIEŻKA]...\n"
               "                     --dump-logger | --read-settings\n"
               "       %1 [--headless] ... [--pressure HPA]\n"
               "       %1 --headless ... [--until-stable] [--stable-window SEKUNDY]\n"
               "                     [--stable-band STOPNIE] [--stable-drift STOPNIE_NA_H]\n"
               "       %1 --help | --version\n"
               "Klient higrometru z lustrem chłodzonym: okno, a z --headless praca\n"
               "bez ekranu.\n")
        .arg(program);
}

QString ExitStatuses() {
    return QCoreApplication::translate(
        "CommandLine",
        "Kod wyjścia z --headless: 0 gotowe lub zatrzymane sygnałem, 1 nie można było\n"
        "zapisać pliku lub udostępnić metryk albo odpowiedź urządzenia była niepełna,\n"
        "2 błędne opcje lub plik --config, 3 nie znaleziono urządzenia (każdy\n"
        "sprawdzony port i przyczyna na standardowym wyjściu błędów), 4 z --until-stable\n"
        "i --duration punkt rosy nie ustabilizował się.\n");
}

// "--port ŚCIEŻKA", "--quiet", "--name[=WARTOŚĆ]"; `placeholder` in place of the row's own.
QString Heading(const OptionRow& row, const char* placeholder) {
    switch (row.value) {
        case OptionValue::None:
            return row.LongName();
        case OptionValue::Required:
            return row.LongName() + ' ' + OptionText(placeholder);
        case OptionValue::Optional:
            return row.LongName() + "[=" + OptionText(placeholder) + ']';
    }
    return row.LongName();
}

// One form of an option as the help says it, and the options described with it.
struct HelpEntry {
    QString heading;  // "--mqtt-cert PLIK --mqtt-key PLIK"
    QString text;     // its lines, %1 filled in
    std::vector<const OptionRow*> rows;
};

// Every entry of the help, in the rows' order.
std::vector<HelpEntry> HelpEntries() {
    std::vector<HelpEntry> entries;
    for (const OptionRow& row : OptionRows()) {
        if (row.help == nullptr && !entries.empty()) {
            entries.back().heading += ' ' + Heading(row, row.placeholder);
            entries.back().rows.push_back(&row);
            continue;
        }
        QString text = OptionText(row.help);
        if (row.helpArgument != nullptr) {
            text = text.arg(QString::fromUtf8(row.helpArgument));
        }
        entries.push_back({Heading(row, row.placeholder), text, {&row}});
        if (row.otherForm.help != nullptr) {
            entries.push_back(
                {Heading(row, row.otherForm.placeholder), OptionText(row.otherForm.help), {&row}});
        }
    }
    return entries;
}

// The entry laid out for a terminal: the heading indented by two, the lines from the
// description's column.
QString HelpBlock(const HelpEntry& entry) {
    const QString indent(kDescriptionColumn, ' ');
    QString heading = "  " + entry.heading;
    QString block;
    const QStringList lines = entry.text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == 0 && heading.size() + 2 <= kDescriptionColumn) {
            block += heading.leftJustified(kDescriptionColumn) + lines[i] + '\n';
        } else {
            if (i == 0) {
                block += heading + '\n';
            }
            block += indent + lines[i] + '\n';
        }
    }
    return block;
}

// ---- docs/command-line.md ----

// Description text as Markdown: one paragraph, nothing taken for markup.
QString Paragraph(const QString& text) {
    QString paragraph = text.trimmed();
    paragraph.replace('\n', ' ').replace('<', "&lt;").replace('>', "&gt;");
    return paragraph;
}

QString Where(const OptionRow& row) {
    QString where =
        row.run == OptionRun::HeadlessOnly ? "`--headless` only" : "the window and `--headless`";
    if (row.measuringOnly) {
        where += ", measuring (not `--dump-logger`, `--read-settings`)";
    }
    if (row.needs != nullptr) {
        where += QString(", with `--%1`").arg(QLatin1String(row.needs));
    }
    return where;
}

QString ConfigKey(const OptionRow& row) {
    const QString key = QLatin1String(row.name);
    const QString line = QString("`%1 = %2`").arg(key, OptionText(row.placeholder));
    switch (row.source) {
        case OptionSource::CommandLineOnly:
            return "none: the command line's alone";
        case OptionSource::FileOnly:
            return line + ", only there";
        case OptionSource::CommandLineAndFile:
            break;
    }
    switch (row.value) {
        case OptionValue::None:
            return '`' + key + '`';
        case OptionValue::Required:
            return line;
        case OptionValue::Optional:
            return QString("`%1` or %2").arg(key, line);
    }
    return line;
}

}  // namespace

QString CommandLineHelp(const QString& program) {
    QString help = Usage(program) + '\n';
    for (const HelpEntry& entry : HelpEntries()) {
        help += HelpBlock(entry);
    }
    return help + '\n' + ExitStatuses();
}

QString CommandLineReference() {
    QString page =
        "# The command line\n"
        "\n"
        "<!-- Made from the option rows (src/program/option_rows.cpp) by\n"
        "     `cmake --build build --target command_line_doc`; a test compares the two. -->\n"
        "\n"
        "Every option of `hygrometer` and `hygrometer-en`: the same options, their help and\n"
        "messages in Polish and in English. `--help` prints what this page holds, and the\n"
        "manual page hygrometer(1) is made from it. In a configuration file\n"
        "([The configuration file](configuration.md)) an option is a line whose key is the\n"
        "long option without `--`.\n"
        "\n"
        "```text\n" +
        Usage("hygrometer") +
        "```\n"
        "\n"
        "| Option | Taken by | Line of a `--config` file |\n"
        "|---|---|---|\n";
    for (const OptionRow& row : OptionRows()) {
        QString option = '`' + Heading(row, row.placeholder) + '`';
        if (row.alias != nullptr) {
            option += QString(", `%1`").arg(QLatin1String(row.alias));
        }
        page += QString("| %1 | %2 | %3 |\n").arg(option, Where(row), ConfigKey(row));
    }
    page += "\n## Each option\n";
    for (const HelpEntry& entry : HelpEntries()) {
        page += "\n### `" + entry.heading + "`\n\n" + Paragraph(entry.text) + '\n';
    }
    return page + "\n## Exit status\n\n" + Paragraph(ExitStatuses()) + '\n';
}
