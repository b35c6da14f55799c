// The logging service's own command (ExecStart of packaging/hygrometer@.service) with the
// broker login that packaging/example.conf and docs/service.md set up, run as the service's
// user would run it: a password file root's and the service's group's, mode 640, read
// through that group. No instrument is on the port, so a run whose options are good ends
// with 3 and names the port; bad options end it with 2, which the unit does not restart.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/program_run.h"

using namespace std::chrono_literals;

namespace {

// Runs a program as another user (util-linux).
constexpr char kSetpriv[] = "/usr/bin/setpriv";
// nobody and nogroup stand for the unit's User=hygrometer and Group=hygrometer.
constexpr uid_t kServiceUser = 65534;
constexpr gid_t kServiceGroup = 65534;
constexpr char kInstance[] = "hygrometer-test-no-port";

QString UnitText() {
    QFile unit(HYGRO_SERVICE_UNIT);
    return unit.open(QIODevice::ReadOnly) ? QString::fromUtf8(unit.readAll()) : QString();
}

// ExecStart as systemd hands it over: its continued lines joined, %I the instance, "$$" a
// plain "$"; the program, and /etc/hygrometer, moved to `program` and `etc`.
QString UnitCommand(const QString& program, const QString& etc) {
    QString command;
    bool inside = false;
    for (const QString& line : UnitText().split('\n')) {
        inside = inside || line.startsWith("ExecStart=");
        if (!inside) {
            continue;
        }
        command += line.endsWith('\\') ? line.chopped(1) : line;
        if (!line.endsWith('\\')) {
            break;
        }
    }
    return command.mid(QString("ExecStart=").size())
        .replace("%I", kInstance)
        .replace("$$", "$")
        .replace("/etc/hygrometer/", etc + '/')
        .replace("/usr/bin/hygrometer ", program + ' ');
}

// A file of `text`, owned by root and `group`, with the rights `mode`.
void Write(const QString& path, const QByteArray& text, gid_t group, mode_t mode) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(text), text.size());
    file.close();
    ASSERT_EQ(chown(path.toLocal8Bit().constData(), 0, group), 0);
    ASSERT_EQ(chmod(path.toLocal8Bit().constData(), mode), 0);
}

class ServiceLoginTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "needs root: the secret files are root's, and the service runs as "
                            "another user";
        }
        if (access(kSetpriv, X_OK) != 0) {
            GTEST_SKIP() << kSetpriv << " is missing";
        }
        ASSERT_TRUE(dir_.isValid());
        for (const QString& folder : {dir_.path(), Etc(), Work()}) {
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_EQ(chmod(folder.toLocal8Bit().constData(), 0755), 0);
        }
    }

    QString Etc() const { return dir_.filePath("etc"); }
    QString Work() const { return dir_.filePath("work"); }
    QString Config() const { return Etc() + '/' + kInstance + ".conf"; }

    QTemporaryDir dir_;
};

TEST_F(ServiceLoginTest, TheDocumentedLoginStartsAndAnOpenSecretIsRefused) {
    const QString unit = UnitText();
    ASSERT_TRUE(unit.contains("\nUser=hygrometer\n") && unit.contains("\nGroup=hygrometer\n"))
        << "the service reads its files as the user and the group hygrometer";
    const QString passwordFile = Etc() + "/mqtt.password";
    const QByteArray login = "mqtt = mqtts://broker.lab/site\nmqtt-user = lab-pc-2\n";
    const QByteArray withFile = login + "mqtt-password-file = " + passwordFile.toUtf8() + '\n';
    const QByteArray withPassword = login + "mqtt-password = the password\n";
    const QString notFound =
        QString("Urządzenie nie odpowiada !\n/dev/%1: nie można otworzyć").arg(kInstance);
    const QString openText = "każdy użytkownik komputera może czytać plik %1 (uprawnienia 0644)";
    struct Case {
        const char* name;
        QByteArray config;
        gid_t configGroup;
        mode_t configMode;
        mode_t passwordMode;  // the file root's and the service group's
        gid_t passwordGroup;
        int status;
        QString err;  // what standard error says
    };
    const Case cases[] = {
        {"the password file root:hygrometer, 640", withFile, 0, 0644, 0640, kServiceGroup, 3,
         notFound},
        {"the password file readable by root alone", withFile, 0, 0644, 0600, 0, 2,
         "--mqtt-password-file: nie można czytać pliku " + passwordFile},
        {"the password file readable by every user", withFile, 0, 0644, 0644, 0, 2,
         "--mqtt-password-file: " + openText.arg(passwordFile)},
        {"the password in the file, root:hygrometer, 640", withPassword, kServiceGroup, 0640, 0, 0,
         3, notFound},
        {"the password in a file every user reads", withPassword, 0, 0644, 0, 0, 2,
         Config() + ":3: mqtt-password: " + openText.arg(Config())},
    };
    const QString command = UnitCommand(HYGROMETER_PATH, Etc());
    ASSERT_TRUE(command.startsWith("/bin/sh -c ")) << command.toStdString();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(passwordFile);
        if (c.passwordMode != 0) {
            Write(passwordFile, "the password\n", c.passwordGroup, c.passwordMode);
        }
        Write(Config(), c.config, c.configGroup, c.configMode);
        ProgramRun run(
            kSetpriv,
            {"--reuid=" + std::to_string(kServiceUser), "--regid=" + std::to_string(kServiceGroup),
             "--clear-groups", "/bin/sh", "-c", command.toStdString()},
            Work(), {"HOME=" + Work().toStdString()});
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.WaitExit(60s), c.status) << run.Err().toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.Err()).startsWith(c.err)) << run.Err().toStdString();
    }
    EXPECT_EQ(QDir(Work()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

}  // namespace
