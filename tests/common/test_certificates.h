#pragma once
// Certificates for a test's TLS servers, made with openssl in a temporary directory: an
// authority ("ca"), a server certificate it signed for 127.0.0.1 and localhost ("server"),
// one it signed for another name ("elsewhere"), a client certificate it signed ("client"),
// and an authority of its own that signed none of them ("stranger"). EC keys: quick to make.

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <vector>

#include "common/program_run.h"

class TestCertificates {
  public:
    static constexpr const char* kOpenssl = "/usr/bin/openssl";
    static bool Installed() { return access(kOpenssl, X_OK) == 0; }

    // True once every file is made; Log() says what failed otherwise.
    bool Make() {
        return Authority("ca") && Authority("stranger") &&
               Signed("server", "/CN=localhost", "subjectAltName=IP:127.0.0.1,DNS:localhost") &&
               Signed("elsewhere", "/CN=broker.elsewhere.example",
                      "subjectAltName=DNS:broker.elsewhere.example") &&
               Signed("client", "/CN=hygrometer-client", "extendedKeyUsage=clientAuth");
    }

    // NAME.crt and NAME.key.
    std::string Cert(const std::string& name) const { return Path(name + ".crt"); }
    std::string Key(const std::string& name) const { return Path(name + ".key"); }
    std::string Path(const std::string& file) const {
        return dir_.filePath(QString::fromStdString(file)).toStdString();
    }
    const QByteArray& Log() const { return log_; }

  private:
    bool Authority(const std::string& name) {
        return Openssl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                        "-nodes", "-keyout", Key(name), "-out", Cert(name), "-days", "2", "-subj",
                        "/CN=Hygrometer test " + name});
    }

    bool Signed(const std::string& name, const std::string& subject,
                const std::string& extensions) {
        const std::string extensionFile = Path(name + ".ext");
        QFile file(QString::fromStdString(extensionFile));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QByteArray::fromStdString(extensions + "\n")) < 0) {
            return false;
        }
        file.close();
        return Openssl({"req", "-new", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                        "-nodes", "-keyout", Key(name), "-out", Path(name + ".csr"), "-subj",
                        subject}) &&
               Openssl({"x509", "-req", "-in", Path(name + ".csr"), "-CA", Cert("ca"), "-CAkey",
                        Key("ca"), "-CAcreateserial", "-out", Cert(name), "-days", "2", "-extfile",
                        extensionFile});
    }

    bool Openssl(const std::vector<std::string>& arguments) {
        ProgramRun run(kOpenssl, arguments, dir_.path());
        const std::optional<int> status = run.WaitExit(std::chrono::seconds(60));
        if (status != 0) {
            log_ += run.Err();
            return false;
        }
        return true;
    }

    QTemporaryDir dir_;
    QByteArray log_;
};
