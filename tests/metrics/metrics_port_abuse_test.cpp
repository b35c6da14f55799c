// The metrics port faces whatever connects to it: garbage, a request line without end,
// connections that never say anything. None of it stops measuring or makes the program
// keep more memory, the port serves again once they are gone, and without an address it
// listens on the loopback address alone; over TLS as over plain HTTP.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <vector>

#include "common/local_http.h"
#include "common/measuring_run.h"
#include "common/test_certificates.h"
#include "metrics/curl_request.h"

using namespace std::chrono_literals;

namespace {

// Resident memory of process `pid`, in KiB.
long ResidentKiB(pid_t pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    static const QRegularExpression rss("VmRSS:\\s+(\\d+) kB");
    return rss.match(QString::fromLatin1(status.readAll())).captured(1).toLong();
}

// The local addresses (hex, as the kernel lists them) of the sockets listening on `port`
// in /proc/net/tcp or tcp6.
QStringList ListeningAddresses(const QString& table, std::uint16_t port) {
    QFile file(table);
    QStringList addresses;
    if (!file.open(QIODevice::ReadOnly)) {
        return addresses;
    }
    const QString portHex = QString("%1").arg(port, 4, 16, QLatin1Char('0')).toUpper();
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QStringList fields = QString::fromLatin1(line).simplified().split(' ');
        // sl local_address rem_address st ...; 0A is LISTEN.
        if (fields.size() > 3 && fields[3] == "0A" && fields[1].endsWith(':' + portHex)) {
            addresses << fields[1].section(':', 0, 0);
        }
    }
    return addresses;
}

// One round of abuse: a request line that never ends, garbage of several kinds, and
// connections that are held open without a word until `hold` returns.
void Abuse(std::uint16_t port, const std::function<void()>& hold) {
    if (const int fd = ConnectLocal(port); fd >= 0) {
        // 8 MiB of one request line; the server may stop reading or close long before.
        const QByteArray chunk(64 * 1024, 'A');
        bool open = SendAll(fd, "GET /");
        for (int i = 0; open && i < 128; ++i) {
            open = SendAll(fd, chunk);
        }
        close(fd);
    }
    const QByteArray garbage[] = {
        QByteArray("\x00\xff\x16\x03\x01\x02\x00", 7),  // a TLS greeting, cut short
        "GARBAGE\r\n\r\n",
        "GET /metrics HTTP/9.9\r\nContent-Length: -1\r\n\r\n",
        "POST /metrics HTTP/1.1\r\nContent-Length: 99999999999\r\n\r\nabc",
        QByteArray(20000, '\n'),
    };
    for (const QByteArray& bytes : garbage) {
        if (const int fd = ConnectLocal(port); fd >= 0) {
            SendAll(fd, bytes);
            char answer[256];
            recv(fd, answer, sizeof(answer), 0);
            close(fd);
        }
    }
    std::vector<int> idle;
    for (int i = 0; i < 40; ++i) {
        if (const int fd = ConnectLocal(port, 500); fd >= 0) {
            idle.push_back(fd);
        }
    }
    hold();
    for (const int fd : idle) {
        close(fd);
    }
}

// Three rounds of abuse while the program measures on; it keeps no more memory after them
// than 16 MiB over what it had after its first successful `scrape`.
void AbuseRounds(MeasuringRun& run, std::uint16_t port, const std::function<bool()>& scrape) {
    ASSERT_TRUE(ProgramRun::WaitUntil(scrape, 30s));
    const long before = ResidentKiB(run.Program().Pid());
    ASSERT_GT(before, 0);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Abuse(port, [&] {
            // Measuring goes on while every connection the server takes is held.
            const qsizetype lines = run.LogLines().size();
            EXPECT_TRUE(run.WaitForLines(lines + 2, 20s)) << run.Program().Err().toStdString();
        });
    }
    EXPECT_LT(ResidentKiB(run.Program().Pid()) - before, 16 * 1024)
        << "8 MiB of request line a round must not be kept";
    // The port serves again once they are gone.
    EXPECT_TRUE(ProgramRun::WaitUntil(scrape, 30s));
}

TEST(MetricsPort, BadClientsNeitherStopMeasuringNorKeepMemoryAndOnlyLoopbackListens) {
    MeasuringRun run({"--metrics", "0", "--no-csv"});
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.MetricsPort().has_value(); }, 20s))
        << run.Program().Err().toStdString();
    const std::uint16_t port = *run.MetricsPort();
    EXPECT_TRUE(run.Program().Out().contains("http://127.0.0.1:"));
    EXPECT_EQ(ListeningAddresses("/proc/net/tcp", port), QStringList{"0100007F"});
    EXPECT_EQ(ListeningAddresses("/proc/net/tcp6", port), QStringList());
    ASSERT_TRUE(run.WaitForLines(1, 20s));

    // The server's buffers and threads made by a scrape are there before the first count.
    AbuseRounds(run, port, [&] {
        const std::optional<HttpAnswer> scrape = HttpGet(port, "/metrics");
        return scrape && scrape->status == 200 &&
               scrape->body.contains("\nhygrometer_samples_total{");
    });
    run.Program().Signal(SIGTERM);
    EXPECT_EQ(run.Program().WaitExit(10s), 0) << run.Program().Err().toStdString();
}

// The same over TLS: garbage where a handshake should be, handshakes never begun.
TEST(MetricsPort, OverTlsBadClientsNeitherStopMeasuringNorKeepMemory) {
    if (!CurlInstalled() || !TestCertificates::Installed()) {
        GTEST_SKIP() << "curl or openssl is not installed";
    }
    TestCertificates certificates;
    ASSERT_TRUE(certificates.Make()) << certificates.Log().toStdString();
    const QString config = QString::fromStdString(certificates.Path("web.yml"));
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("tls_server_config:\n  cert_file: server.crt\n  key_file: server.key\n");
    file.close();
    MeasuringRun run({"--metrics", "0", "--no-csv", "--metrics-web-config", config.toStdString()});
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.MetricsPort().has_value(); }, 20s))
        << run.Program().Err().toStdString();
    const std::uint16_t port = *run.MetricsPort();
    ASSERT_TRUE(run.WaitForLines(1, 20s));

    AbuseRounds(run, port, [&] {
        const CurlAnswer scrape = Curl({"--cacert", certificates.Cert("ca"),
                                        "https://127.0.0.1:" + std::to_string(port) + "/metrics"});
        return scrape.status == 200 && scrape.body.contains("\nhygrometer_samples_total{");
    });
    run.Program().Signal(SIGTERM);
    EXPECT_EQ(run.Program().WaitExit(10s), 0) << run.Program().Err().toStdString();
}

}  // namespace
