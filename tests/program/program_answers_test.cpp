// The programs as a shell or a service runs them, with arguments that need no instrument:
// the help, the version, bad options and configuration files, each in the program's own
// language, with their exit statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/program_run.h"

using namespace std::chrono_literals;

namespace {

struct Case {
    const char* program;
    std::vector<std::string> arguments;
    int status;
    const char* out;  // standard output begins with it (empty: standard output is empty)
    const char* err;  // standard error begins with it (empty: standard error is empty)
};

class ProgramAnswersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(work_.isValid());
        Write("bad.conf", "# the lab's logger\nport = /dev/ttyUSB0\n\nbogus = 1\n");
    }

    void Write(const QString& name, const QByteArray& text) {
        QFile file(work_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(text), text.size());
    }

    QString Work(const QString& name) const { return work_.filePath(name); }

    void Check(const Case& c) {
        std::string line = c.program;
        for (const std::string& argument : c.arguments) {
            line += " " + argument;
        }
        SCOPED_TRACE(line);
        ProgramRun run(c.program, c.arguments, work_.path());
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.WaitExit(60s), c.status);
        EXPECT_TRUE(run.Out().startsWith(c.out)) << run.Out().toStdString();
        EXPECT_TRUE(run.Err().startsWith(c.err)) << run.Err().toStdString();
        EXPECT_EQ(run.Out().isEmpty(), QByteArray(c.out).isEmpty()) << run.Out().toStdString();
        EXPECT_EQ(run.Err().isEmpty(), QByteArray(c.err).isEmpty()) << run.Err().toStdString();
    }

    // Nothing but the test's own configuration files.
    void ExpectNothingWritten() const {
        EXPECT_EQ(QDir(work_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
                  QStringList({"bad.conf"}));
    }

    QTemporaryDir work_;
};

TEST_F(ProgramAnswersTest, VersionIsTheProgramAndThePackagesVersion) {
    const Case cases[] = {
        {HYGROMETER_PATH, {"--version"}, 0, "hygrometer " HYGRO_TEST_VERSION "\n", ""},
        {HYGROMETER_EN_PATH, {"--version"}, 0, "hygrometer-en " HYGRO_TEST_VERSION "\n", ""},
        {HYGROMETER_PATH,
         {"--headless", "--version"},
         0,
         "hygrometer " HYGRO_TEST_VERSION "\n",
         ""},
        {HYGROMETER_PATH,
         {"--version", "--config", "missing.conf"},
         0,
         "hygrometer " HYGRO_TEST_VERSION "\n",
         ""},
    };
    for (const Case& c : cases) {
        Check(c);
    }
    ExpectNothingWritten();
}

TEST_F(ProgramAnswersTest, HelpAndBadOptionsInPolish) {
    const Case cases[] = {
        {HYGROMETER_PATH,
         {"--help"},
         0,
         "Użycie: " HYGROMETER_PATH " [--config PLIK] [--port ",
         ""},
        {HYGROMETER_PATH, {"--headless", "-h"}, 0, "Użycie: ", ""},
        {HYGROMETER_PATH, {"--bogus"}, 2, "", "nieznany argument: --bogus\nUżycie: "},
        {HYGROMETER_PATH, {"--headless", "--bogus"}, 2, "", "nieznany argument: --bogus\nUżycie: "},
        {HYGROMETER_PATH,
         {"--headless", "--duration", "soon"},
         2,
         "",
         "--duration wymaga całkowitej liczby sekund od 1 do 316224000, a nie \"soon\"\n"},
        {HYGROMETER_PATH, {"--quiet"}, 2, "", "--quiet działa tylko z --headless\nUżycie: "},
        {HYGROMETER_PATH,
         {"--headless", "--dump-logger", "--read-settings"},
         2,
         "",
         "Nie można podać razem --dump-logger i --read-settings\n"},
        {HYGROMETER_PATH, {"--version", "--port"}, 2, "", "--port wymaga ścieżki\n"},
        {HYGROMETER_PATH,
         {"--headless", "--config", "missing.conf"},
         2,
         "",
         "missing.conf: nie można odczytać pliku (No such file or directory)\nUżycie: "},
        {HYGROMETER_PATH, {"--config", "."}, 2, "", ".: nie można odczytać pliku ("},
        {HYGROMETER_PATH,
         {"--headless", "--config=bad.conf"},
         2,
         "",
         "bad.conf:4: nieznany klucz: bogus\n"},
    };
    for (const Case& c : cases) {
        Check(c);
    }
    ExpectNothingWritten();
}

TEST_F(ProgramAnswersTest, HelpAndBadOptionsInEnglish) {
    const Case cases[] = {
        {HYGROMETER_EN_PATH,
         {"--help"},
         0,
         "Usage: " HYGROMETER_EN_PATH " [--config FILE] [--port PATH]...",
         ""},
        {HYGROMETER_EN_PATH, {"--headless", "--help"}, 0, "Usage: ", ""},
        {HYGROMETER_EN_PATH, {"--bogus"}, 2, "", "unknown argument: --bogus\nUsage: "},
        {HYGROMETER_EN_PATH,
         {"--headless", "--bogus"},
         2,
         "",
         "unknown argument: --bogus\nUsage: "},
        {HYGROMETER_EN_PATH,
         {"--headless", "--duration", "soon"},
         2,
         "",
         "--duration needs a whole number of seconds from 1 to 316224000, not \"soon\"\n"},
        {HYGROMETER_EN_PATH, {"--quiet"}, 2, "", "--quiet needs --headless\nUsage: "},
        {HYGROMETER_EN_PATH,
         {"--headless", "--dump-logger", "--read-settings"},
         2,
         "",
         "--dump-logger and --read-settings cannot be given together\n"},
        {HYGROMETER_EN_PATH, {"--version", "--port"}, 2, "", "--port needs a path\n"},
        {HYGROMETER_EN_PATH,
         {"--headless", "--config", "missing.conf"},
         2,
         "",
         "missing.conf: cannot read the file (No such file or directory)\nUsage: "},
        {HYGROMETER_EN_PATH,
         {"--headless", "--config=bad.conf"},
         2,
         "",
         "bad.conf:4: unknown key: bogus\n"},
    };
    for (const Case& c : cases) {
        Check(c);
    }
    ExpectNothingWritten();
}

// The whole help, not the start alone: every option is listed, and the exit statuses.
TEST_F(ProgramAnswersTest, HelpListsEveryOption) {
    const std::pair<const char*, QStringList> polish = {
        HYGROMETER_PATH,
        {"--config PLIK", "--port ŚCIEŻKA", "--csv-dir KATALOG", "--no-csv",
         "--metrics [ADRES:]PORT", "--mqtt mqtt://HOST[:PORT]/PREFIKS", "--headless",
         "--duration SEKUNDY", "--quiet", "--dump-logger", "--read-settings", "--version", "--help",
         "Kod wyjścia"}};
    const std::pair<const char*, QStringList> english = {
        HYGROMETER_EN_PATH,
        {"--config FILE", "--port PATH", "--csv-dir DIR", "--no-csv", "--metrics [ADDRESS:]PORT",
         "--mqtt mqtt://HOST[:PORT]/PREFIX", "--headless", "--duration SECONDS", "--quiet",
         "--dump-logger", "--read-settings", "--version", "--help", "Exit status"}};
    for (const auto& [program, options] : {polish, english}) {
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{"--help"}, std::vector<std::string>{"--headless", "-h"}}) {
            ProgramRun run(program, arguments, work_.path());
            ASSERT_TRUE(run.Started());
            EXPECT_EQ(run.WaitExit(60s), 0);
            EXPECT_EQ(run.Err(), "");
            const QString help = QString::fromUtf8(run.Out());
            for (const QString& option : options) {
                SCOPED_TRACE(std::string(program) + " " + arguments.back() + ": " +
                             option.toStdString());
                EXPECT_TRUE(help.contains(option)) << help.toStdString();
            }
        }
    }
}

// The signals a running process ignores, from /proc/PID/status.
unsigned long long IgnoredSignals(pid_t pid) {
    const QByteArray status = ProgramRun::Read("/proc/" + std::to_string(pid) + "/status");
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith("SigIgn:")) {
            return line.mid(7).trimmed().toULongLong(nullptr, 16);
        }
    }
    return 0;
}

// The window too writes to peers that may go away (a broker through libmosquitto's TLS): a
// write to one that went fails with EPIPE instead of ending the program.
TEST_F(ProgramAnswersTest, TheWindowIgnoresSigpipe) {
    ProgramRun run(HYGROMETER_EN_PATH, {}, work_.path(), {"QT_QPA_PLATFORM=offscreen"});
    ASSERT_TRUE(run.Started());
    const unsigned long long sigpipe = 1ULL << (SIGPIPE - 1);
    EXPECT_TRUE(
        ProgramRun::WaitUntil([&] { return (IgnoredSignals(run.Pid()) & sigpipe) != 0; }, 20s))
        << run.Err().toStdString();
    EXPECT_EQ(run.WaitExit(0s), std::nullopt) << "the window runs on";
}

// A service's run: the file gives the options, the command line wins over it. No instrument
// answers, so the run ends with 3 and names each port it tried.
TEST_F(ProgramAnswersTest, ConfigurationFileGivesTheRunItsOptions) {
    Write("lab.conf", "# where the instrument is\nport = " + Work("from-file").toUtf8() +
                          "\nport = " + Work("also-from-file").toUtf8() + "\nno-csv\nquiet\n");
    {
        ProgramRun run(HYGROMETER_EN_PATH, {"--headless", "--config", "lab.conf"}, work_.path());
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.WaitExit(60s), 3);
        EXPECT_EQ(QString::fromUtf8(run.Err()),
                  "Device not found !\n" + Work("from-file") +
                      ": could not be opened (No such file or directory)\n" +
                      Work("also-from-file") +
                      ": could not be opened (No such file or directory)\n");
    }
    {
        ProgramRun run(HYGROMETER_EN_PATH,
                       {"--headless", "--port", Work("from-command-line").toStdString(), "--config",
                        "lab.conf"},
                       work_.path());
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.WaitExit(60s), 3);
        EXPECT_EQ(QString::fromUtf8(run.Err()),
                  "Device not found !\n" + Work("from-command-line") +
                      ": could not be opened (No such file or directory)\n");
    }
    EXPECT_EQ(QDir(work_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              QStringList({"bad.conf", "lab.conf"}));
}

}  // namespace
