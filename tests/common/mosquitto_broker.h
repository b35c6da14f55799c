#pragma once
// A real Mosquitto broker for a test: on a port of 127.0.0.1 chosen once, so it can be
// stopped and started again where the publisher expects it; anonymous clients allowed,
// nothing kept on disk.

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

    // True once it takes connections.
    bool Start() {
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
        return run_->Started() && ProgramRun::WaitUntil(
                                      [this] {
                                          const int fd = ConnectLocal(port_);
                                          if (fd >= 0) {
                                              close(fd);
                                          }
                                          return fd >= 0;
                                      },
                                      std::chrono::seconds(20));
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
    QTemporaryDir dir_;
    const std::uint16_t port_;
    std::unique_ptr<ProgramRun> run_;
};
