#pragma once
// A real Mosquitto broker for a test: on a port of 127.0.0.1 chosen at its first start, so it
// can be stopped and started again where the publisher expects it; anonymous clients
// allowed, nothing kept on disk.

#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <string>

#include "common/local_http.h"
#include "common/program_run.h"

class MosquittoBroker {
  public:
    static constexpr const char* kProgram = "/usr/sbin/mosquitto";
    static bool Installed() { return access(kProgram, X_OK) == 0; }

    MosquittoBroker() : port_(FreeLocalPort()) {}

    // True once it takes connections. A first start that finds its port taken by another
    // test (between FreeLocalPort and the broker's bind) tries again on a new port; a
    // restart keeps the port, where the publisher expects it.
    bool Start() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (attempt > 0 && !startedOnce_) {
                port_ = FreeLocalPort();
            }
            if (StartOnce()) {
                startedOnce_ = true;
                return true;
            }
        }
        return false;
    }

    // As a service manager stops it; what it held (retained messages too) is gone.
    void Stop() {
        if (run_) {
            run_->Signal(SIGTERM);
            run_->WaitExit(std::chrono::seconds(10));
            run_.reset();
        }
    }

    std::uint16_t Port() const { return port_; }
    QByteArray Log() const { return run_ ? run_->Err() : QByteArray(); }

  private:
    bool StartOnce() {
        const QString config = dir_.filePath("mosquitto.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
        file.write(QString("listener %1 127.0.0.1\n"
                           "allow_anonymous true\n"
                           "persistence false\n")
                       .arg(port_)
                       .toUtf8());
        file.close();
        run_ = std::make_unique<ProgramRun>(
            kProgram, std::vector<std::string>{"-c", config.toStdString()}, dir_.path());
        bool listening = false;
        if (run_->Started()) {
            ProgramRun::WaitUntil(
                [&] {
                    listening = ListensOn(run_->Pid(), port_);
                    return listening || run_->WaitExit(std::chrono::milliseconds(0)).has_value();
                },
                std::chrono::seconds(20));
        }
        if (!listening) {
            run_.reset();
            return false;
        }
        const int fd = ConnectLocal(port_);  // it takes a connection
        if (fd < 0) {
            return false;
        }
        close(fd);
        return true;
    }

    QTemporaryDir dir_;
    std::uint16_t port_;
    bool startedOnce_ = false;
    std::unique_ptr<ProgramRun> run_;
};
