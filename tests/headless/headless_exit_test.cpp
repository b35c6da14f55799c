// How the headless program ends when it cannot do its job, as a service manager sees it:
// status 1 with the reason on standard error, and nothing measured behind the operator's
// back; and how it ends on SIGINT: status 0, every sample it counted on disk.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>

#include "common/program_run.h"
#include "sim/instrument_simulator.h"

using namespace std::chrono_literals;

namespace {

// Runs a program as another user (util-linux).
constexpr char kSetpriv[] = "/usr/bin/setpriv";

// A listening socket on a free port of 127.0.0.1, as another server holds it.
class TakenPort {
  public:
    TakenPort() {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            listen(fd_, 1) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
    }
    ~TakenPort() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    TakenPort(const TakenPort&) = delete;
    TakenPort& operator=(const TakenPort&) = delete;

    int Port() const { return port_; }

  private:
    int fd_ = -1;
    int port_ = 0;
};

class HeadlessExitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(work_.isValid());
        std::string why;
        ASSERT_TRUE(instrument_.Start(&why)) << why;
    }

    std::unique_ptr<ProgramRun> Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--headless", "--port", instrument_.SlavePath()});
        auto run = std::make_unique<ProgramRun>(HYGROMETER_PATH, args, work_.path());
        EXPECT_TRUE(run->Started());
        return run;
    }

    QString Work(const QString& name) const { return work_.filePath(name); }
    QStringList Entries() const {
        return QDir(work_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir work_;
    sim::InstrumentSimulator instrument_;
};

struct FailureCase {
    const char* name;
    // Sets the scene (the simulator, the work directory) and gives the program's options.
    std::function<std::vector<std::string>(sim::InstrumentSimulator&, const QString& work,
                                           const TakenPort&)>
        scene;
    // Standard error, whole; PORT stands for the taken port.
    const char* err;
    // What the work directory holds afterwards.
    QStringList entries;
    std::size_t measurements;
};

TEST_F(HeadlessExitTest, EachJobItCannotDoEndsWithOneAndItsReason) {
    const TakenPort taken;
    ASSERT_NE(taken.Port(), 0);
    const FailureCase cases[] = {
        {"metrics port taken",
         [](sim::InstrumentSimulator&, const QString&, const TakenPort& port) {
             return std::vector<std::string>{"--metrics",
                                             "127.0.0.1:" + std::to_string(port.Port())};
         },
         "Nie można udostępnić metryk na 127.0.0.1:PORT: Adres jest już w użyciu\n",
         {},
         0},
        {"settings never answered",
         [](sim::InstrumentSimulator& sim, const QString&, const TakenPort&) {
             sim.QueueReply(sim::RequestKind::SettingsRead, {});
             return std::vector<std::string>{"--read-settings"};
         },
         "Urządzenie nie przesłało wszystkich ustawień\n",
         {},
         0},
        {"settings cut short",
         [](sim::InstrumentSimulator& sim, const QString&, const TakenPort&) {
             sim.QueueReply(sim::RequestKind::SettingsRead, sim::Bytes(30, 0x01));
             return std::vector<std::string>{"--read-settings"};
         },
         "Urządzenie nie przesłało wszystkich ustawień\n",
         {},
         0},
        {"the log cannot be created",
         [](sim::InstrumentSimulator&, const QString& work, const TakenPort&) {
             QDir(work).mkdir("jrt1.txt");
             return std::vector<std::string>{};
         },
         "jrt1.txt: Błąd wejścia/wyjścia 21; brak pomiaru\n",
         {"jrt1.txt"},
         0},
        {"the dump file cannot be created",
         [](sim::InstrumentSimulator&, const QString& work, const TakenPort&) {
             QDir(work).mkdir("logged.txt");
             return std::vector<std::string>{"--dump-logger"};
         },
         "logged.txt: Błąd wejścia/wyjścia 21\n",
         {"logged.txt"},
         0},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& entry : Entries()) {
            ASSERT_TRUE(QDir(Work(entry)).removeRecursively() || QFile::remove(Work(entry)));
        }
        instrument_.ClearFaults();
        instrument_.ClearRequests();
        auto run = Run(c.scene(instrument_, work_.path(), taken));
        EXPECT_EQ(run->WaitExit(60s), 1) << run->Err().toStdString();
        EXPECT_EQ(QString::fromUtf8(run->Err()),
                  QString::fromUtf8(c.err).replace("PORT", QString::number(taken.Port())));
        EXPECT_EQ(Entries(), c.entries);
        EXPECT_EQ(instrument_.RequestCount(sim::RequestKind::Measurement), c.measurements);
        EXPECT_EQ(instrument_.RequestCount(sim::RequestKind::LoggerRecord), 0u);
    }
}

TEST_F(HeadlessExitTest, ALogInADirectoryItMayNotWriteEndsWithOne) {
    const QByteArray work = work_.path().toLocal8Bit();
    ASSERT_EQ(chmod(work.constData(), 0555), 0);
    std::string program = HYGROMETER_PATH;
    std::vector<std::string> args = {"--headless", "--port", instrument_.SlavePath()};
    if (access(work.constData(), W_OK) == 0) {
        // Root writes anywhere: the program runs as nobody instead, on a terminal it may open.
        if (access(kSetpriv, X_OK) != 0) {
            chmod(work.constData(), 0755);
            GTEST_SKIP() << "this user writes into a read-only directory, and " << kSetpriv
                         << " is missing";
        }
        ASSERT_EQ(chmod(instrument_.SlavePath().c_str(), 0666), 0);
        program = kSetpriv;
        args.insert(args.begin(),
                    {"--reuid=65534", "--regid=65534", "--clear-groups", HYGROMETER_PATH});
    }
    ProgramRun run(program, args, work_.path());
    ASSERT_TRUE(run.Started());
    const std::optional<int> status = run.WaitExit(60s);
    chmod(work.constData(), 0755);
    EXPECT_EQ(status, 1) << run.Err().toStdString();
    EXPECT_EQ(run.Err(), "jrt1.txt: Brak dostępu do pliku; brak pomiaru\n");
    EXPECT_EQ(Entries(), QStringList());
    EXPECT_EQ(instrument_.RequestCount(sim::RequestKind::Measurement), 0u);
}

TEST_F(HeadlessExitTest, SigintStopsWithZeroAndEverySampleCountedIsOnDisk) {
    auto run = Run({});
    ASSERT_TRUE(ProgramRun::WaitUntil(
        [&] { return ProgramRun::Read(Work("jrt1.txt").toStdString()).count('\n') >= 3; }, 20s))
        << run->Err().toStdString();
    run->Signal(SIGINT);
    EXPECT_EQ(run->WaitExit(20s), 0) << run->Err().toStdString();
    EXPECT_EQ(run->Err(), "");

    const QByteArray log = ProgramRun::Read(Work("jrt1.txt").toStdString());
    ASSERT_TRUE(log.endsWith("\r\n")) << "the last line whole";
    const qsizetype lines = log.count("\r\n");
    const QString out = QString::fromUtf8(run->Out());
    EXPECT_TRUE(out.endsWith(QString("Zatrzymano; zapisanych próbek: %1\n").arg(lines)))
        << out.toStdString();

    const QStringList records = QDir(work_.path()).entryList({"hygrometer-*.csv"}, QDir::Files);
    ASSERT_EQ(records.size(), 1);
    const QByteArray record = ProgramRun::Read(Work(records[0]).toStdString());
    ASSERT_TRUE(record.endsWith('\n'));
    EXPECT_EQ(record.count('\n'), lines + 1) << "a header and a row for each log line";
    const QList<QByteArray> last = log.sliced(0, log.size() - 2).split('\n').last().split('\t');
    EXPECT_EQ(last[0].toLongLong(), lines) << "numbered 1 to the last";
}

}  // namespace
