// The headless program on serial device servers: the port named as given when measuring,
// and a server that refuses or a host that does not resolve said with the port's name; a
// raw bridge named as RFC 2217, a flooding peer and a run that ends while a server holds
// the scan, each said and ended as not found, with nothing logged.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/program_run.h"
#include "common/recording_server.h"
#include "common/ser2net.h"
#include "sim/instrument_simulator.h"

using namespace std::chrono_literals;

namespace {

TEST(HeadlessNetworkPort, UnreachableServersAreNamedWithTheirReason) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const std::string refused = "tcp://127.0.0.1:" + std::to_string(Ser2net::FreePort());
    const std::string unknown = "rfc2217://no-such-host.invalid:2000";
    ProgramRun run(HYGROMETER_EN_PATH, {"--headless", "--port", refused, "--port", unknown},
                   work.path());
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.WaitExit(60s), 3);
    const QString err = QString::fromUtf8(run.Err());
    EXPECT_TRUE(err.startsWith("Device not found !\n" + QString::fromStdString(refused) +
                               ": could not be opened (Connection refused)\n" +
                               QString::fromStdString(unknown) +
                               ": could not be opened (cannot find host no-such-host.invalid: "))
        << err.toStdString();
    EXPECT_EQ(err.count('\n'), 3) << err.toStdString();
}

TEST(HeadlessNetworkPort, MeasuresThroughSer2netUnderTheNameGiven) {
    if (!Ser2net::Installed()) {
        GTEST_SKIP() << "ser2net is not installed (apt-get install ser2net)";
    }
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    sim::InstrumentSimulator instrument;
    std::string why;
    ASSERT_TRUE(instrument.Start(&why)) << why;
    Ser2net server(instrument.SlavePath(), false);
    ASSERT_TRUE(server.WaitUntilListening());
    ProgramRun run(
        HYGROMETER_EN_PATH,
        {"--headless", "--port", server.Name(), "--duration", "2", "--quiet", "--no-csv"},
        work.path());
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.WaitExit(30s), 0) << run.Err().toStdString();
    const QByteArray out = run.Out();
    EXPECT_EQ(out,
              "Found device  : KRT-10\n"
              "KRT-10 version: 1 rev.: 2 serial number: 300\n"
              "Measuring on " +
                  QByteArray::fromStdString(server.Name()) + ", log jrt1.txt\n");
    EXPECT_GE(instrument.RequestCount(sim::RequestKind::Measurement), 1u);
}

// rfc2217:// in front of a raw bridge: the server never speaks telnet, so its bytes are
// never decoded as telnet (that turned the instrument's -0.01 into -2.56): refused, said
// in the system's own words, and no sample reaches the log.
TEST(HeadlessNetworkPort, ARawBridgeNamedAsRfc2217IsRefusedAndNothingIsLogged) {
    if (!Ser2net::Installed()) {
        GTEST_SKIP() << "ser2net is not installed (apt-get install ser2net)";
    }
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    sim::InstrumentSimulator instrument;
    instrument.HoldDewPoint(-0.01);  // 0xFF bytes in every reply
    std::string why;
    ASSERT_TRUE(instrument.Start(&why)) << why;
    Ser2net server(instrument.SlavePath(), false);
    ASSERT_TRUE(server.WaitUntilListening());
    const std::string named = "rfc2217://127.0.0.1:" + std::to_string(server.Port());
    ProgramRun run(HYGROMETER_EN_PATH,
                   {"--headless", "--port", named, "--duration", "30", "--no-csv"}, work.path());
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.WaitExit(60s), 3);
    EXPECT_EQ(QString::fromUtf8(run.Err()),
              "Device not found !\n" + QString::fromStdString(named) +
                  ": could not be opened (not an RFC 2217 server; use tcp://)\n");
    EXPECT_FALSE(QFile::exists(work.filePath("jrt1.txt")));
}

// A peer that floods is dropped at a bounded cost and said once; the scan ends as not found.
TEST(HeadlessNetworkPort, AFloodingPeerIsSaidAndNotFound) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    RecordingServer server;
    server.StartFlood();
    ProgramRun run(HYGROMETER_EN_PATH,
                   {"--headless", "--port", server.Url("tcp"), "--duration", "30", "--no-csv"},
                   work.path());
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.WaitExit(60s), 3);
    const QString err = QString::fromUtf8(run.Err());
    const QString flooded = QString::fromStdString(server.Url("tcp")) +
                            ": the server sends far more than a 4800-baud line can carry; not an "
                            "instrument: connection closed\n";
    EXPECT_TRUE(err.startsWith(flooded + "Device not found !\n")) << err.toStdString();
    EXPECT_EQ(err.count(flooded), 1) << err.toStdString();
    EXPECT_FALSE(QFile::exists(work.filePath("jrt1.txt")));
}

// A duration that ends while the scan still waits on a server (here one that never answers
// the telnet offer) is a run without an instrument: status 3, and said.
TEST(HeadlessNetworkPort, ARunThatEndsBeforeAnInstrumentIsFoundIsNotFound) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    RecordingServer silent;
    ProgramRun run(HYGROMETER_EN_PATH,
                   {"--headless", "--port", silent.Url("rfc2217"), "--duration", "1", "--no-csv"},
                   work.path());
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.WaitExit(60s), 3);
    EXPECT_EQ(QString::fromUtf8(run.Err()),
              "Device not found !\nEnded before any port identified itself.\n");
    EXPECT_TRUE(run.Out().isEmpty()) << run.Out().toStdString();
}

}  // namespace
