// The option rows as the one list of options: how a row's value is taken, and every row found
// in the help, among the configuration file's keys as its source says, and in
// docs/command-line.md.
#include "program/option_rows.h"

#include <gtest/gtest.h>

#include <QFile>

#include "common/language.h"
#include "program/command_line.h"
#include "program/config_file.h"
#include "program/program_options.h"

namespace {

TEST(TakeOptionValue, TakesWhatEachKindOfValueTakes) {
    const OptionRow none{.name = "quiet"};
    const OptionRow required{.name = "port", .value = OptionValue::Required};
    const OptionRow optional{.name = "discovery", .value = OptionValue::Optional};
    struct Case {
        const OptionRow* row;
        QStringList arguments;
        std::optional<QString> value;
        int next;  // where the next argument is
    };
    const Case cases[] = {
        {&none, {"--quiet", "x"}, "", 1},
        {&required, {"--port", "/dev/a", "x"}, "/dev/a", 2},
        {&required, {"--port=/dev/a", "x"}, "/dev/a", 1},
        {&required, {"--port=a=b"}, "a=b", 1},
        {&required, {"--port", "--quiet"}, "--quiet", 2},
        {&required, {"--port"}, std::nullopt, 1},
        {&required, {"--port="}, std::nullopt, 1},
        {&required, {"--port", ""}, std::nullopt, 2},
        // An optional value only with "=": the next argument is never taken for it.
        {&optional, {"--discovery", "homeassistant"}, "", 1},
        {&optional, {"--discovery=homeassistant"}, "homeassistant", 1},
        {&optional, {"--discovery="}, std::nullopt, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        ASSERT_TRUE(NamesOption(*c.row, c.arguments[0]));
        int i = 0;
        EXPECT_EQ(TakeOptionValue(*c.row, c.arguments, i), c.value);
        EXPECT_EQ(i + 1, c.next);
    }
    EXPECT_FALSE(NamesOption(none, "--quiet=yes")) << "no value for an option without one";
    EXPECT_FALSE(NamesOption(required, "--ports"));
    EXPECT_FALSE(NamesOption(required, "--port-x=1"));
    EXPECT_TRUE(NamesOption(*FindOption("help"), "-h"));
    EXPECT_EQ(FindOption("bogus"), nullptr);
}

// What a new row could get wrong: a name twice or not a key, a value without its
// placeholder or its message, another option named that is none.
TEST(OptionRows, AreWholeAndNameOnlyOptionsThatExist) {
    QStringList names;
    for (const OptionRow& row : OptionRows()) {
        SCOPED_TRACE(row.name);
        const QString name = QLatin1String(row.name);
        EXPECT_FALSE(names.contains(name));
        names << name;
        EXPECT_EQ(FindOption(name), &row);
        EXPECT_TRUE(ParseConfigText(name.toUtf8()).error.isEmpty()) << "a key of the file";
        EXPECT_TRUE(row.set != nullptr || row.load != nullptr);
        if (row.value != OptionValue::None) {
            EXPECT_FALSE(OptionText(row.placeholder).isEmpty());
            EXPECT_TRUE(OptionText(row.missing).contains("%1"));
        }
        for (const char* other : {row.needs, row.sameSettingAs}) {
            EXPECT_TRUE(other == nullptr || FindOption(QLatin1String(other)) != nullptr);
        }
    }
    ASSERT_FALSE(OptionRows().empty());
    EXPECT_NE(OptionRows().front().help, nullptr) << "the first row is described";
}

// "--port ŚCIEŻKA": the row as its help entry names it.
QString HeadingOf(const OptionRow& row) {
    switch (row.value) {
        case OptionValue::None:
            return row.LongName();
        case OptionValue::Required:
            return row.LongName() + ' ' + OptionText(row.placeholder);
        case OptionValue::Optional:
            return row.LongName() + "[=" + OptionText(row.placeholder) + ']';
    }
    return {};
}

TEST(OptionRows, EachIsInTheHelpInBothLanguages) {
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "Polish");
        const auto check = [] {
            const QString help = CommandLineHelp("hygrometer");
            for (const OptionRow& row : OptionRows()) {
                SCOPED_TRACE(row.name);
                // An entry of its own, or named beside the entry above it.
                const QString before = row.help != nullptr ? "\n  " : " ";
                EXPECT_TRUE(help.contains(before + HeadingOf(row))) << help.toStdString();
                EXPECT_FALSE(row.help != nullptr && OptionText(row.help).isEmpty());
            }
        };
        if (english) {
            InEnglish(check);
        } else {
            check();
        }
    }
}

// Each option is a key of the configuration file but those of the command line alone; a
// file's secret is refused on the command line.
TEST(OptionRows, EachIsAKeyOfTheConfigurationFileAsItsSourceSays) {
    for (const OptionRow& row : OptionRows()) {
        SCOPED_TRACE(row.name);
        const QString key = QLatin1String(row.name);
        const QByteArray line = (row.value == OptionValue::None ? key : key + " = x").toUtf8();
        const QString fromFile = CombineOptions({}, ConfigSource{"lab.conf", line}).error;
        const QString argument =
            row.value == OptionValue::None ? row.LongName() : row.LongName() + "=x";
        const QString fromCommandLine = CombineOptions({argument}, std::nullopt).error;
        switch (row.source) {
            case OptionSource::CommandLineOnly:
                EXPECT_EQ(fromFile, "lab.conf:1: " + key + " działa tylko w wierszu poleceń");
                EXPECT_FALSE(fromCommandLine.startsWith("nieznany argument"));
                break;
            case OptionSource::FileOnly:
                EXPECT_FALSE(fromFile.contains("lab.conf:1:")) << fromFile.toStdString();
                EXPECT_EQ(fromCommandLine, "--" + key +
                                               " może być tylko w pliku --config: wiersz poleceń "
                                               "widzi każdy użytkownik komputera");
                break;
            case OptionSource::CommandLineAndFile:
                EXPECT_FALSE(fromFile.contains("nieznany klucz")) << fromFile.toStdString();
                EXPECT_FALSE(fromFile.contains("nie przyjmuje wartości")) << fromFile.toStdString();
                EXPECT_FALSE(fromCommandLine.startsWith("nieznany argument"));
                break;
        }
    }
}

// docs/command-line.md is the rows' page in English: remade with
// cmake --build build --target command_line_doc.
TEST(OptionRows, TheCommandLinePageIsMadeFromThem) {
    QFile file(HYGRO_COMMAND_LINE_DOC);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    const QString made = InEnglish([] { return CommandLineReference(); });
    EXPECT_EQ(page, made) << "docs/command-line.md differs from the option rows: run "
                             "cmake --build build --target command_line_doc";
    for (const OptionRow& row : OptionRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(made.contains("| `" + InEnglish([&] { return HeadingOf(row); }) + '`'));
    }
}

}  // namespace
