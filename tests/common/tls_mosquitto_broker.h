#pragma once
// A real Mosquitto broker that wants TLS and a password, for a test: on 127.0.0.1 it has
//  - a TLS listener with the server certificate for 127.0.0.1 and localhost ("TlsPort"),
//  - a TLS listener with a certificate for another name ("ElsewherePort"),
//  - a TLS listener that also wants a client certificate signed by the test authority
//    ("ClientCertPort"),
// each taking only the users of its password file (made with mosquitto_passwd), and a plain
// listener open to anonymous clients, for the test's own subscriber ("PlainPort").

#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <string>

#include "common/local_http.h"
#include "common/program_run.h"
#include "common/test_certificates.h"

class TlsMosquittoBroker {
  public:
    static constexpr const char* kProgram = "/usr/sbin/mosquitto";
    static constexpr const char* kPasswd = "/usr/bin/mosquitto_passwd";
    static bool Installed() {
        return access(kProgram, X_OK) == 0 && access(kPasswd, X_OK) == 0 &&
               TestCertificates::Installed();
    }

    explicit TlsMosquittoBroker(const TestCertificates& certificates)
        : certificates_(certificates) {}

    // Takes `user` with `password` (and only them) from now on; a running broker rereads its
    // password files on SIGHUP, which this sends. True once the file is written.
    bool SetLogin(const std::string& user, const std::string& password) {
        QFile::remove(PasswordFile());
        QFile file(PasswordFile());
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
        file.close();
        ProgramRun passwd(kPasswd, {"-b", PasswordFile().toStdString(), user, password},
                          dir_.path());
        if (passwd.WaitExit(std::chrono::seconds(30)) != 0) {
            return false;
        }
        if (run_) {
            run_->Signal(SIGHUP);
        }
        return true;
    }

    // True once every listener takes connections. Ports taken by another test between
    // FreeLocalPort and the broker's binds: it tries again on new ones.
    bool Start() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (attempt > 0) {
                tlsPort_ = FreeLocalPort();
                elsewherePort_ = FreeLocalPort();
                clientCertPort_ = FreeLocalPort();
                plainPort_ = FreeLocalPort();
            }
            if (StartOnce()) {
                return true;
            }
        }
        return false;
    }

  private:
    bool StartOnce() {
        const QString config = dir_.filePath("mosquitto.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
        QString text =
            "per_listener_settings true\n"
            "log_dest stderr\n"
            "persistence false\n";
        if (geteuid() == 0) {
            text += "user root\n";  // else it reads the certificates as "mosquitto", and cannot
        }
        text += TlsListener(tlsPort_, "server");
        text += TlsListener(elsewherePort_, "elsewhere");
        text += TlsListener(clientCertPort_, "server") + "require_certificate true\n";
        text += QString("listener %1 127.0.0.1\nallow_anonymous true\n").arg(plainPort_);
        file.write(text.toUtf8());
        file.close();
        run_ = std::make_unique<ProgramRun>(
            kProgram, std::vector<std::string>{"-c", config.toStdString()}, dir_.path());
        bool listening = false;
        if (run_->Started()) {
            ProgramRun::WaitUntil(
                [&] {
                    listening = true;
                    for (const std::uint16_t port :
                         {tlsPort_, elsewherePort_, clientCertPort_, plainPort_}) {
                        listening = listening && ListensOn(run_->Pid(), port);
                    }
                    return listening || run_->WaitExit(std::chrono::milliseconds(0)).has_value();
                },
                std::chrono::seconds(20));
        }
        if (!listening) {
            run_.reset();
            return false;
        }
        for (const std::uint16_t port : {tlsPort_, elsewherePort_, clientCertPort_, plainPort_}) {
            const int fd = ConnectLocal(port);  // each listener takes a connection
            if (fd < 0) {
                return false;
            }
            close(fd);
        }
        return true;
    }

  public:
    // Connections the broker took on `port` so far (the start's own checks included).
    int Connections(std::uint16_t port) const {
        const QRegularExpression taken(QString("New connection from \\S+ on port %1\\.").arg(port));
        return static_cast<int>(QString::fromUtf8(Log()).count(taken));
    }

    std::uint16_t TlsPort() const { return tlsPort_; }
    std::uint16_t ElsewherePort() const { return elsewherePort_; }
    std::uint16_t ClientCertPort() const { return clientCertPort_; }
    std::uint16_t PlainPort() const { return plainPort_; }
    QByteArray Log() const { return run_ ? run_->Err() : QByteArray(); }

  private:
    QString PasswordFile() const { return dir_.filePath("passwords"); }

    QString TlsListener(std::uint16_t port, const std::string& certificate) const {
        return QString(
                   "listener %1 127.0.0.1\n"
                   "cafile %2\ncertfile %3\nkeyfile %4\n"
                   "password_file %5\nallow_anonymous false\n")
            .arg(port)
            .arg(QString::fromStdString(certificates_.Cert("ca")),
                 QString::fromStdString(certificates_.Cert(certificate)),
                 QString::fromStdString(certificates_.Key(certificate)), PasswordFile());
    }

    const TestCertificates& certificates_;
    QTemporaryDir dir_;
    std::uint16_t tlsPort_ = FreeLocalPort();
    std::uint16_t elsewherePort_ = FreeLocalPort();
    std::uint16_t clientCertPort_ = FreeLocalPort();
    std::uint16_t plainPort_ = FreeLocalPort();
    std::unique_ptr<ProgramRun> run_;  // last: stopped before its directory goes
};
