#pragma once
// A real Prometheus server for a test: started on a free port of 127.0.0.1 with a
// configuration that scrapes one target every second and a database in a temporary
// directory, asked through its HTTP query API, stopped with the test.

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/local_http.h"
#include "common/program_run.h"

// Asks `done` every 250 ms (each ask is a query to the server) until it holds.
inline bool Eventually(const std::function<bool()>& done, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return true;
}

class PrometheusServer {
  public:
    static constexpr const char* kProgram = "/usr/bin/prometheus";
    static bool Installed() { return access(kProgram, X_OK) == 0; }

    // One series of a query's answer.
    struct Series {
        QJsonObject labels;
        double value = 0;
    };

    // A scrape job, with the basic-auth credentials it brings (none when `user` is empty);
    // over HTTPS trusting the authority in `caFile` when that is given, showing the client
    // certificate `certFile` with `keyFile` when they are.
    struct Job {
        std::string name;
        std::string user;
        std::string password;
        std::string caFile = {};
        std::string certFile = {};
        std::string keyFile = {};
    };

    // Scrapes http://127.0.0.1:target/metrics every second; true once the server is ready.
    bool Start(std::uint16_t target) { return Start(target, {{"hygrometer", "", ""}}); }

    // The same, once for each job. A port taken by another test between FreeLocalPort and
    // the server's bind: it tries again on a new one.
    bool Start(std::uint16_t target, const std::vector<Job>& jobs) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (StartOnce(target, jobs)) {
                return true;
            }
        }
        return false;
    }

    // The instant vector `expression` gives now; none when the query fails.
    std::optional<std::vector<Series>> Query(const std::string& expression) const {
        const std::optional<HttpAnswer> answer = HttpGet(
            port_, "/api/v1/query?query=" +
                       QUrl::toPercentEncoding(QString::fromStdString(expression)).toStdString());
        if (!answer || answer->status != 200) {
            return std::nullopt;
        }
        const QJsonObject reply = QJsonDocument::fromJson(answer->body).object();
        if (reply.value("status").toString() != "success") {
            return std::nullopt;
        }
        std::vector<Series> series;
        for (const QJsonValue item : reply.value("data").toObject().value("result").toArray()) {
            const QJsonObject one = item.toObject();
            series.push_back({one.value("metric").toObject(),
                              one.value("value").toArray().at(1).toString().toDouble()});
        }
        return series;
    }

    // The one value of `expression`; none when it has no series or more than one.
    std::optional<double> Value(const std::string& expression) const {
        const std::optional<std::vector<Series>> series = Query(expression);
        if (!series || series->size() != 1) {
            return std::nullopt;
        }
        return series->front().value;
    }

    QByteArray Log() const { return run_ ? run_->Err() : QByteArray(); }
    // Where its HTTP API answers.
    std::uint16_t Port() const { return port_; }

  private:
    bool StartOnce(std::uint16_t target, const std::vector<Job>& jobs) {
        const QString config = dir_.filePath("prometheus.yml");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
        QString text =
            "global:\n"
            "  scrape_interval: 1s\n"
            "  scrape_timeout: 1s\n"
            "scrape_configs:\n";
        for (const Job& job : jobs) {
            text += QString("  - job_name: %1\n").arg(QString::fromStdString(job.name));
            if (!job.caFile.empty()) {
                text += QString(
                            "    scheme: https\n"
                            "    tls_config:\n"
                            "      ca_file: '%1'\n")
                            .arg(QString::fromStdString(job.caFile));
                if (!job.certFile.empty()) {
                    text += QString(
                                "      cert_file: '%1'\n"
                                "      key_file: '%2'\n")
                                .arg(QString::fromStdString(job.certFile),
                                     QString::fromStdString(job.keyFile));
                }
            }
            if (!job.user.empty()) {
                text += QString(
                            "    basic_auth:\n"
                            "      username: '%1'\n"
                            "      password: '%2'\n")
                            .arg(QString::fromStdString(job.user),
                                 QString::fromStdString(job.password));
            }
            text += QString(
                        "    static_configs:\n"
                        "      - targets: ['127.0.0.1:%1']\n")
                        .arg(target);
        }
        file.write(text.toUtf8());
        file.close();
        port_ = FreeLocalPort();
        run_ = std::make_unique<ProgramRun>(
            kProgram,
            std::vector<std::string>{"--config.file=" + config.toStdString(),
                                     "--storage.tsdb.path=" + dir_.filePath("data").toStdString(),
                                     "--web.listen-address=127.0.0.1:" + std::to_string(port_),
                                     "--log.level=warn"},
            dir_.path());
        bool ready = false;
        if (run_->Started()) {
            ProgramRun::WaitUntil(
                [&] {
                    if (ListensOn(run_->Pid(), port_)) {
                        const auto answer = HttpGet(port_, "/-/ready");
                        ready = answer && answer->status == 200;
                    }
                    return ready || run_->WaitExit(std::chrono::milliseconds(0)).has_value();
                },
                std::chrono::seconds(60));
        }
        if (!ready) {
            run_.reset();
        }
        return ready;
    }

    QTemporaryDir dir_;
    std::uint16_t port_ = 0;
    std::unique_ptr<ProgramRun> run_;  // last: stopped before its directory goes
};
