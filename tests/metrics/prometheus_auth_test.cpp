// The headless program's metrics locked by --metrics-web-config: a stock Prometheus server
// scraping with the right basic-auth credentials gets the samples, one with a wrong password
// gets 401 and nothing, and so does a request without credentials. A certificate that
// cannot be used is refused at start, before anything listens.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/measuring_run.h"
#include "metrics/prometheus_server.h"

using namespace std::chrono_literals;

namespace {

// Made with libxcrypt's crypt() of "right-password" at cost 4 (python3 -c "import crypt; ...").
const char* const kHash = "$2b$04$CRrnBTTLH2INjx8Cx6e/t.r7uLV4pei0TbmUQ6R2Pm7hK36QlgQSO";

std::string BasicAuth(const std::string& user, const std::string& password) {
    return "Authorization: Basic " +
           QByteArray::fromStdString(user + ":" + password).toBase64().toStdString() + "\r\n";
}

class PrometheusAuthTest : public ::testing::Test {
  protected:
    std::string WebConfig(const QByteArray& text) {
        const QString path = dir_.filePath("web.yml");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path.toStdString();
    }
    QTemporaryDir dir_;
};

TEST_F(PrometheusAuthTest, TheRightCredentialsGetTheSamplesAndWrongOnesA401) {
    if (!PrometheusServer::Installed()) {
        GTEST_SKIP() << PrometheusServer::kProgram << " is not installed";
    }
    const std::string config =
        WebConfig(QByteArray("basic_auth_users:\n  prometheus: ") + kHash + "\n");
    MeasuringRun run({"--metrics", "0", "--metrics-web-config", config});
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.MetricsPort().has_value(); }, 20s))
        << run.Program().Err().toStdString();
    const std::uint16_t port = *run.MetricsPort();
    ASSERT_TRUE(run.WaitForLines(1, 30s)) << run.Program().Err().toStdString();

    const std::pair<std::string, int> requests[] = {
        {"", 401},
        {BasicAuth("prometheus", "wrong"), 401},
        {BasicAuth("grafana", "right-password"), 401},
        {BasicAuth("prometheus", "right-password"), 200},
    };
    for (const auto& [headers, status] : requests) {
        SCOPED_TRACE(headers);
        const std::optional<HttpAnswer> answer = HttpGet(port, "/metrics", headers);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->status, status);
        EXPECT_EQ(answer->body.contains("hygrometer_connected"), status == 200);
    }

    PrometheusServer prometheus;
    ASSERT_TRUE(prometheus.Start(port, {{"right", "prometheus", "right-password"},
                                        {"wrong", "prometheus", "wrong-password"}}))
        << prometheus.Log().toStdString();
    EXPECT_TRUE(Eventually(
        [&] {
            return prometheus.Value("up{job=\"right\"}") == 1.0 &&
                   prometheus.Value("up{job=\"wrong\"}") == 0.0 &&
                   prometheus.Value("hygrometer_samples_total{job=\"right\"}") >= 1.0;
        },
        30s))
        << "up " << prometheus.Value("up{job=\"right\"}").value_or(-1) << " and "
        << prometheus.Value("up{job=\"wrong\"}").value_or(-1);
    const std::optional<std::vector<PrometheusServer::Series>> locked =
        prometheus.Query("hygrometer_connected{job=\"wrong\"}");
    ASSERT_TRUE(locked.has_value());
    EXPECT_TRUE(locked->empty());
    const std::optional<HttpAnswer> targets = HttpGet(prometheus.Port(), "/api/v1/targets");
    ASSERT_TRUE(targets.has_value());
    EXPECT_TRUE(targets->body.contains("401 Unauthorized")) << targets->body.toStdString();
}

TEST_F(PrometheusAuthTest, AnUnusableCertificateIsRefusedAtStartAndNothingIsServed) {
    QFile(dir_.filePath("server.crt")).open(QIODevice::WriteOnly);
    QFile(dir_.filePath("server.key")).open(QIODevice::WriteOnly);
    const std::string config =
        WebConfig(QByteArray("tls_server_config:\n  cert_file: server.crt\n  key_file: server.key\n"
                             "basic_auth_users:\n  prometheus: ") +
                  kHash + "\n");
    const std::uint16_t port = FreeLocalPort();
    MeasuringRun run({"--metrics", std::to_string(port), "--metrics-web-config", config});
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.Program().WaitExit(30s), 1) << run.Program().Err().toStdString();
    EXPECT_TRUE(run.Program().Err().contains("tls_server_config"))
        << run.Program().Err().toStdString();
    EXPECT_FALSE(run.Program().Out().contains("http"));
    const int fd = ConnectLocal(port);
    EXPECT_LT(fd, 0) << "something listens on the metrics port";
    if (fd >= 0) {
        close(fd);
    }
}

}  // namespace
