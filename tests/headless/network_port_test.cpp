// The headless program on serial device servers: the port named as given when measuring,
// and a server that refuses or a host that does not resolve said with the port's name.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "common/program_run.h"
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

}  // namespace
