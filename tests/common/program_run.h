#pragma once
// One run of a program as a child process, the way a service manager or a script starts it:
// in a working directory of the test's choosing, with no display in its environment
// (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM taken out), standard output and error
// going to files that the test reads while it runs.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class ProgramRun {
  public:
    // `environment`: NAME=VALUE entries added to (or replacing in) the test's environment.
    ProgramRun(const std::string& program, const std::vector<std::string>& arguments,
               const QString& workDir, const std::vector<std::string>& environment = {}) {
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            const std::string name = entry.substr(0, entry.find('='));
            if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" &&
                !Overridden(environment, name)) {
                env.push_back(entry);
            }
        }
        env.insert(env.end(), environment.begin(), environment.end());
        std::vector<std::string> args = {program};
        args.insert(args.end(), arguments.begin(), arguments.end());

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, OutPath().c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, ErrPath().c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addchdir_np(&actions, workDir.toLocal8Bit().constData());
        std::vector<char*> argv = Pointers(args);
        std::vector<char*> envp = Pointers(env);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ProgramRun() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return pid_ > 0; }
    // The child's process id while it runs, for reading its state in /proc.
    pid_t Pid() const { return pid_; }
    void Signal(int signal) const {
        if (pid_ > 0) {
            kill(pid_, signal);
        }
    }

    // The exit status (128 + the signal when killed by one), or none if it runs on past
    // `timeout`.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (pid_ > 0) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            if (std::chrono::steady_clock::now() > deadline) {
                return std::nullopt;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return std::nullopt;
    }

    QByteArray Out() const { return Read(OutPath()); }
    QByteArray Err() const { return Read(ErrPath()); }

    // Waits until `done` holds, checking every 20 ms; false after `timeout`.
    static bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    static QByteArray Read(const std::string& path) {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private:
    static bool Overridden(const std::vector<std::string>& environment, const std::string& name) {
        for (const std::string& entry : environment) {
            if (entry.substr(0, entry.find('=')) == name) {
                return true;
            }
        }
        return false;
    }
    static std::vector<char*> Pointers(std::vector<std::string>& strings) {
        std::vector<char*> pointers;
        for (std::string& s : strings) {
            pointers.push_back(s.data());
        }
        pointers.push_back(nullptr);
        return pointers;
    }
    std::string OutPath() const { return QDir(streams_.path()).filePath("stdout").toStdString(); }
    std::string ErrPath() const { return QDir(streams_.path()).filePath("stderr").toStdString(); }

    QTemporaryDir streams_;
    pid_t pid_ = -1;
};
