// The headless program's metrics over TLS, locked by the same web configuration file as
// Prometheus's own exporters: a stock Prometheus server trusting the authority scrapes them
// with basic authentication, or with a client certificate; curl without credentials gets
// 401, and a server certificate not trusted, plain HTTP, no client certificate or one from
// another authority get no answer at all; a client's next scrape goes over the connection
// it has. A certificate replaced on disk is served from the next connection on, without a
// restart.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/measuring_run.h"
#include "common/test_certificates.h"
#include "metrics/curl_request.h"
#include "metrics/prometheus_server.h"

using namespace std::chrono_literals;

namespace {

// Made with libxcrypt's crypt() of "right-password" at cost 4 (python3 -c "import crypt; ...").
const char* const kHash = "$2b$04$CRrnBTTLH2INjx8Cx6e/t.r7uLV4pei0TbmUQ6R2Pm7hK36QlgQSO";

class PrometheusTlsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        certificates_ = new TestCertificates;
        made_ = TestCertificates::Installed() && certificates_->Make();
    }
    static void TearDownTestSuite() {
        delete certificates_;
        certificates_ = nullptr;
    }
    void SetUp() override {
        if (!PrometheusServer::Installed() || !CurlInstalled() || !TestCertificates::Installed()) {
            GTEST_SKIP() << "prometheus, curl or openssl is not installed";
        }
        ASSERT_TRUE(made_) << certificates_->Log().toStdString();
    }

    // Starts the headless program serving its metrics as the web configuration `text` says;
    // the port once it serves, or none.
    std::optional<std::uint16_t> Serve(const QByteArray& text) {
        const QString path = dir_.filePath("web.yml");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        run_ = std::make_unique<MeasuringRun>(
            std::vector<std::string>{"--metrics", "0", "--metrics-web-config", path.toStdString()});
        EXPECT_TRUE(run_->Started());
        if (!ProgramRun::WaitUntil([&] { return run_->MetricsPort().has_value(); }, 20s)) {
            ADD_FAILURE() << run_->Program().Err().toStdString();
            return std::nullopt;
        }
        EXPECT_TRUE(run_->Program().Out().contains("Metrics for Prometheus: https://127.0.0.1:" +
                                                   QByteArray::number(*run_->MetricsPort()) +
                                                   "/metrics"))
            << run_->Program().Out().toStdString();
        EXPECT_TRUE(run_->WaitForLines(1, 30s)) << run_->Program().Err().toStdString();
        return run_->MetricsPort();
    }

    // A copy of certificate NAME's files in the test's folder as FILE.crt and FILE.key, each
    // replaced in one step (a rename), as a renewal leaves them.
    void Install(const std::string& name, const QString& file) {
        for (const auto& [from, suffix] : {std::pair{certificates_->Cert(name), ".crt"},
                                           std::pair{certificates_->Key(name), ".key"}}) {
            const QString target = dir_.filePath(file + suffix);
            const QString next = target + ".new";
            QFile::remove(next);
            ASSERT_TRUE(QFile::copy(QString::fromStdString(from), next));
            ASSERT_TRUE(
                std::rename(next.toLocal8Bit().constData(), target.toLocal8Bit().constData()) == 0);
        }
    }

    static std::string Url(std::uint16_t port, const std::string& host = "127.0.0.1") {
        return "https://" + host + ":" + std::to_string(port) + "/metrics";
    }

    static TestCertificates* certificates_;
    static bool made_;
    QTemporaryDir dir_;
    std::unique_ptr<MeasuringRun> run_;
};

TestCertificates* PrometheusTlsTest::certificates_ = nullptr;
bool PrometheusTlsTest::made_ = false;

TEST_F(PrometheusTlsTest, PrometheusScrapesWithTheAuthorityAndAPasswordAndNothingElseGetsIn) {
    const TestCertificates& c = *certificates_;
    const std::optional<std::uint16_t> port =
        Serve(QByteArray::fromStdString("tls_server_config:\n  cert_file: " + c.Cert("server") +
                                        "\n  key_file: " + c.Key("server") +
                                        "\nbasic_auth_users:\n  prometheus: ") +
              kHash + "\n");
    ASSERT_TRUE(port.has_value());

    const std::string ca = c.Cert("ca");
    const std::string user = "prometheus:right-password";
    const std::string plain = "http://127.0.0.1:" + std::to_string(*port) + "/metrics";
    struct Request {
        const char* what;
        std::vector<std::string> arguments;
        int exit;
        int status;
    };
    const Request requests[] = {
        {"no credentials", {"--cacert", ca, Url(*port)}, 0, 401},
        {"a wrong password", {"--cacert", ca, "--user", "prometheus:wrong", Url(*port)}, 0, 401},
        {"the right password", {"--cacert", ca, "--user", user, Url(*port)}, 0, 200},
        {"an authority that signed nothing of it",
         {"--cacert", c.Cert("stranger"), "--user", user, Url(*port)},
         60,
         0},
        {"the system's authorities alone", {"--user", user, Url(*port)}, 60, 0},
        {"plain HTTP", {"--user", user, plain}, 52, 0},
    };
    for (const Request& r : requests) {
        SCOPED_TRACE(r.what);
        const CurlAnswer answer = Curl(r.arguments);
        EXPECT_EQ(answer.exit, r.exit) << answer.error.toStdString();
        EXPECT_EQ(answer.status, r.status);
        EXPECT_EQ(answer.body.contains("hygrometer_connected"), r.status == 200);
    }

    // Two scrapes by one client: the second on the first's connection, no new handshake.
    ProgramRun twice(kCurl,
                     {"--silent", "--cacert", ca, "--user", user, "--write-out",
                      "%{http_code} %{num_connects}\n", "--output", "/dev/null", Url(*port),
                      "--output", "/dev/null", Url(*port)},
                     dir_.path());
    EXPECT_EQ(twice.WaitExit(20s), 0);
    EXPECT_EQ(twice.Out(), "200 1\n200 0\n");

    PrometheusServer prometheus;
    ASSERT_TRUE(prometheus.Start(
        *port, {{"tls", "prometheus", "right-password", ca},
                {"untrusting", "prometheus", "right-password", c.Cert("stranger")}}))
        << prometheus.Log().toStdString();
    EXPECT_TRUE(Eventually(
        [&] {
            return prometheus.Value("up{job=\"tls\"}") == 1.0 &&
                   prometheus.Value("up{job=\"untrusting\"}") == 0.0 &&
                   prometheus.Value("hygrometer_samples_total{job=\"tls\"}") >= 1.0;
        },
        30s))
        << "up " << prometheus.Value("up{job=\"tls\"}").value_or(-1) << " and "
        << prometheus.Value("up{job=\"untrusting\"}").value_or(-1);
}

TEST_F(PrometheusTlsTest, AClientCertificateFromTheAuthorityIsTheKey) {
    const TestCertificates& c = *certificates_;
    const std::optional<std::uint16_t> port = Serve(QByteArray::fromStdString(
        "tls_server_config:\n  cert_file: " + c.Cert("server") +
        "\n  key_file: " + c.Key("server") +
        "\n  client_auth_type: RequireAndVerifyClientCert\n  client_ca_file: " + c.Cert("ca") +
        "\n  min_version: TLS13\n"));
    ASSERT_TRUE(port.has_value());

    const std::string ca = c.Cert("ca");
    const std::vector<std::string> trusting = {"--cacert", ca};
    const std::vector<std::string> client = {"--cert", c.Cert("client"), "--key", c.Key("client")};
    const std::vector<std::string> stranger = {"--cert", c.Cert("stranger"), "--key",
                                               c.Key("stranger")};
    const std::vector<std::string> tls12 = {"--tls-max", "1.2"};
    const auto with = [](std::vector<std::string> first, const std::vector<std::string>& then) {
        first.insert(first.end(), then.begin(), then.end());
        return first;
    };
    struct Request {
        const char* what;
        std::vector<std::string> arguments;
        bool answered;
    };
    const Request requests[] = {
        {"the authority's client certificate", with(trusting, client), true},
        {"no client certificate", trusting, false},
        {"one it did not sign", with(trusting, stranger), false},
        {"TLS 1.2 at most", with(with(trusting, client), tls12), false},
    };
    for (const Request& r : requests) {
        SCOPED_TRACE(r.what);
        const CurlAnswer answer = Curl(with(r.arguments, {Url(*port)}));
        EXPECT_EQ(answer.exit == 0, r.answered) << answer.exit << " " << answer.error.toStdString();
        EXPECT_EQ(answer.status, r.answered ? 200 : 0);
        EXPECT_EQ(answer.body.contains("hygrometer_connected"), r.answered);
    }

    PrometheusServer prometheus;
    ASSERT_TRUE(prometheus.Start(*port, {{"client", "", "", ca, c.Cert("client"), c.Key("client")},
                                         {"anonymous", "", "", ca}}))
        << prometheus.Log().toStdString();
    EXPECT_TRUE(Eventually(
        [&] {
            return prometheus.Value("up{job=\"client\"}") == 1.0 &&
                   prometheus.Value("up{job=\"anonymous\"}") == 0.0 &&
                   prometheus.Value("hygrometer_samples_total{job=\"client\"}") >= 1.0;
        },
        30s))
        << "up " << prometheus.Value("up{job=\"client\"}").value_or(-1) << " and "
        << prometheus.Value("up{job=\"anonymous\"}").value_or(-1);
}

TEST_F(PrometheusTlsTest, ACertificateReplacedOnDiskIsServedAtTheNextConnection) {
    Install("server", "current");
    const std::optional<std::uint16_t> port =
        Serve("tls_server_config:\n  cert_file: current.crt\n  key_file: current.key\n");
    ASSERT_TRUE(port.has_value());
    const std::string ca = certificates_->Cert("ca");
    // The other certificate is for this name alone: curl reaches it at 127.0.0.1.
    const std::string elsewhere = "broker.elsewhere.example";
    const std::vector<std::string> asLocalhost = {"--cacert", ca, Url(*port)};
    const std::vector<std::string> asElsewhere = {
        "--cacert", ca, "--resolve", elsewhere + ":" + std::to_string(*port) + ":127.0.0.1",
        Url(*port, elsewhere)};

    EXPECT_EQ(Curl(asLocalhost).status, 200);
    EXPECT_EQ(Curl(asElsewhere).exit, 60);

    Install("elsewhere", "current");
    const CurlAnswer renewed = Curl(asElsewhere);
    EXPECT_EQ(renewed.exit, 0) << renewed.error.toStdString();
    EXPECT_EQ(renewed.status, 200);
    EXPECT_TRUE(renewed.body.contains("hygrometer_samples_total"));
    EXPECT_EQ(Curl(asLocalhost).exit, 60);

    // Measuring went on throughout.
    const qsizetype lines = run_->LogLines().size();
    EXPECT_TRUE(run_->WaitForLines(lines + 1, 20s)) << run_->Program().Err().toStdString();
}

}  // namespace
