// The standalone hygrometer-sim: first line, symbolic link, answers, and a clean end.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/sim_control_client.h"
#include "sim/hex_text.h"
#include "sim_test_port.h"

extern char** environ;

namespace sim {
namespace {

using namespace std::chrono_literals;
using testing::TestPort;

class SimProcess {
  public:
    ~SimProcess() {
        CloseStdin();
        if (out_ >= 0)
            close(out_);
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool Spawn(const std::vector<std::string>& args) {
        int in[2];
        int out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> all = {HYGROMETER_SIM_PATH};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const int rc =
            posix_spawn(&pid_, HYGROMETER_SIM_PATH, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        in_ = in[1];
        out_ = out[0];
        if (rc != 0)
            pid_ = -1;
        return rc == 0;
    }

    // The first line of standard output, without its line end.
    std::string ReadLine(std::chrono::milliseconds timeout) {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd pfd{out_, POLLIN, 0};
            if (poll(&pfd, 1, 20) <= 0)
                continue;
            char c;
            if (read(out_, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        return line;
    }

    void CloseStdin() {
        if (in_ >= 0)
            close(in_);
        in_ = -1;
    }

    void Signal(int signal) { kill(pid_, signal); }

    // The exit code (128 + signal when killed), or none if it runs past `timeout`.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(5ms);
        }
        return std::nullopt;
    }

  private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
};

std::string LinkTarget(const std::string& link) {
    char buffer[4096];
    const ssize_t n = readlink(link.c_str(), buffer, sizeof buffer);
    return n < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(n));
}

TEST(HygrometerSim, PrintsItsPathAnswersAndEndsAtEndOfInput) {
    const std::string link = ::testing::TempDir() + "hygro-sim-link-" + std::to_string(getpid());
    unlink(link.c_str());
    ASSERT_EQ(symlink("/nonexistent", link.c_str()), 0);  // an old link is replaced

    SimProcess process;
    ASSERT_TRUE(process.Spawn({"--id", "NIV-Strand", "--link", link}));
    const std::string path = process.ReadLine(2000ms);
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    EXPECT_EQ(LinkTarget(link), path);

    {
        TestPort port(link);
        ASSERT_TRUE(port.IsOpen());
        EXPECT_EQ(port.Exchange(TextRequest('i'), 10), ToBytes("NIV-Strand"));
        EXPECT_EQ(port.Exchange(LoggerRequest(0), kLoggerRecordSize).size(), kLoggerRecordSize);
    }

    process.CloseStdin();
    EXPECT_EQ(process.WaitExit(2000ms), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link is removed at exit";
}

TEST(HygrometerSim, EndsCleanlyOnSigterm) {
    SimProcess process;
    ASSERT_TRUE(process.Spawn({}));
    ASSERT_EQ(process.ReadLine(2000ms).rfind("/dev/pts/", 0), 0u);
    process.Signal(SIGTERM);
    EXPECT_EQ(process.WaitExit(2000ms), 0);  // stdin still open: the signal ended it
}

TEST(HygrometerSim, TakesLineCommandsOnItsControlPort) {
    SimProcess process;
    ASSERT_TRUE(process.Spawn({"--control", "0"}));
    const std::string path = process.ReadLine(2000ms);
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    const int controlPort = std::atoi(process.ReadLine(2000ms).c_str());
    ASSERT_GT(controlPort, 0);

    TestPort port(path);
    ASSERT_TRUE(port.IsOpen());
    for (const char* answer : {"NIV-Strand", "KRT-30"}) {  // one client after the other
        SCOPED_TRACE(answer);
        SimControlClient client;
        std::string why;
        ASSERT_TRUE(client.Connect(static_cast<std::uint16_t>(controlPort), &why)) << why;
        EXPECT_EQ(client.Command("reset"), "ok");
        EXPECT_EQ(client.Command(std::string("id ") + answer), "ok");
        EXPECT_EQ(port.Exchange(TextRequest('i'), 10), ToBytes(answer));
        EXPECT_EQ(client.Command("received"), "ok " + ToHex(TextRequest('i')));
        EXPECT_EQ(client.Command("bogus"), "error unknown command: bogus");
    }

    process.CloseStdin();
    EXPECT_EQ(process.WaitExit(2000ms), 0);
}

// --dew-point holds every reading at its value; with --dew-drift it moves from there, a
// hundredth of a degree every 10 ms at -3600 °C an hour.
TEST(HygrometerSim, HoldsOrDriftsTheDewPointFromItsCommandLine) {
    auto dewPoint = [](TestPort& port) {
        const Bytes m = port.Exchange(TextRequest('t'), kMeasurementReplySize);
        EXPECT_EQ(m.size(), kMeasurementReplySize);
        return m.size() < 2 ? 0 : static_cast<std::int16_t>(m[0] << 8 | m[1]);
    };
    {
        SimProcess process;
        ASSERT_TRUE(process.Spawn({"--dew-point", "-20.25"}));
        const std::string path = process.ReadLine(2000ms);
        ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
        TestPort port(path);
        ASSERT_TRUE(port.IsOpen());
        EXPECT_EQ(dewPoint(port), -2025);
        EXPECT_EQ(dewPoint(port), -2025);
    }
    {
        SimProcess process;
        ASSERT_TRUE(process.Spawn({"--dew-point", "5", "--dew-drift", "-3600"}));
        const std::string path = process.ReadLine(2000ms);
        ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
        TestPort port(path);
        ASSERT_TRUE(port.IsOpen());
        const int first = dewPoint(port);
        std::this_thread::sleep_for(100ms);
        const int second = dewPoint(port);
        EXPECT_LE(first, 500);
        EXPECT_LE(second, first - 9);
    }
}

TEST(HygrometerSim, Sigusr1UnplugsAndTheLinkLeadsToTheReplug) {
    const std::string link = ::testing::TempDir() + "hygro-sim-plug-" + std::to_string(getpid());
    SimProcess process;
    ASSERT_TRUE(process.Spawn({"--link", link, "--replug-delay", "300"}));
    ASSERT_EQ(process.ReadLine(2000ms).rfind("/dev/pts/", 0), 0u);
    TestPort before(link);
    ASSERT_TRUE(before.IsOpen());

    process.Signal(SIGUSR1);
    pollfd pfd{before.Fd(), POLLIN, 0};
    ASSERT_EQ(poll(&pfd, 1, 2000), 1);
    EXPECT_TRUE(pfd.revents & POLLHUP) << "unplugged";
    before.Close();

    std::optional<TestPort> after;
    for (int i = 0; i < 500 && !(after && after->IsOpen()); ++i) {
        std::this_thread::sleep_for(10ms);
        after.emplace(link);
    }
    ASSERT_TRUE(after && after->IsOpen()) << "plugged in again behind the link";
    EXPECT_EQ(after->Exchange(TextRequest('i'), 6), ToBytes("KRT-10"));
    process.Signal(SIGTERM);
    EXPECT_EQ(process.WaitExit(2000ms), 0);
}

TEST(HygrometerSim, HelpAndUnknownOptions) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    for (const Case& c : std::vector<Case>{{{"--help"}, 0},
                                           {{"--bogus"}, 2},
                                           {{"--id"}, 2},
                                           {{"--replug-delay", "soon"}, 2},
                                           {{"--control", "x"}, 2},
                                           {{"--control", "65536"}, 2},
                                           {{"--dew-point"}, 2},
                                           {{"--dew-point", "-100.5"}, 2},
                                           {{"--dew-point", "dry"}, 2},
                                           {{"--dew-drift", "3601"}, 2},
                                           {{"--dew-drift", "0,2"}, 2}}) {
        SCOPED_TRACE(c.args.front());
        SimProcess process;
        ASSERT_TRUE(process.Spawn(c.args));
        EXPECT_EQ(process.WaitExit(2000ms), c.exitCode);
    }
}

}  // namespace
}  // namespace sim
