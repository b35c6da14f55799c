// The window feeds the metrics and the broker as the headless program does: /metrics
// served while it measures, the samples and the status published, "offline" when it
// closes; a metrics port already taken, or a broker refusing the login, is said and
// measuring goes on.
#include <sys/socket.h>

#include <QStatusBar>

#include "common/e2e_fixture.h"
#include "common/local_http.h"
#include "common/mosquitto_broker.h"
#include "common/mqtt_subscriber.h"
#include "common/tls_mosquitto_broker.h"

namespace {

using TelemetryTest = E2eTest;

TEST_F(TelemetryTest, TheWindowServesItsMetricsAndPublishesUntilItCloses) {
    if (!MosquittoBroker::Installed()) {
        GTEST_SKIP() << MosquittoBroker::kProgram << " is not installed";
    }
    MosquittoBroker broker;
    ASSERT_TRUE(broker.Start()) << broker.Log().toStdString();
    MqttSubscriber watcher(broker.Port(), "lab/#");
    ASSERT_TRUE(watcher.WaitSubscribed());
    sim::InstrumentSimulator& instrument = AddInstrument();
    form_ = std::make_unique<TForm1>();
    controller_ = std::make_unique<MainController>(
        *form_,
        ControllerOptions{{instrument.SlavePath()},
                          std::nullopt,
                          TelemetryOptions{MetricsAddress{"127.0.0.1", 0},
                                           MqttAddress{"127.0.0.1", broker.Port(), "lab"}}});
    EXPECT_EQ(controller_->TelemetryError(), QString());
    const MetricsExporter* metrics = controller_->telemetry().Metrics();
    ASSERT_NE(metrics, nullptr);
    ClickConnect();
    modals_.clear();  // the identification

    ASSERT_TRUE(WaitFor([&] { return controller_->session().SampleCount() >= 2; }, 20000));
    const std::optional<HttpAnswer> scrape = HttpGet(metrics->Port(), "/metrics");
    ASSERT_TRUE(scrape.has_value());
    EXPECT_EQ(scrape->status, 200);
    const QByteArray labels = "{instrument=\"KRT-10\",serial=\"300\",port=\"" +
                              QByteArray::fromStdString(instrument.SlavePath()) + "\"}";
    EXPECT_TRUE(scrape->body.contains("\nhygrometer_connected" + labels + " 1\n"))
        << scrape->body.toStdString();
    EXPECT_TRUE(scrape->body.contains("\nhygrometer_dew_point_celsius" + labels + " "));
    EXPECT_TRUE(WaitFor([&] { return watcher.Payloads("lab/300/sample").size() >= 2; }, 20000));

    controller_->Shutdown();
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::vector<QByteArray> status = watcher.Payloads("lab/300/status");
            return !status.empty() && status.back() == "offline";
        },
        10000));
    EXPECT_EQ(watcher.Payloads("lab/300/status"), (std::vector<QByteArray>{"online", "offline"}));
}

TEST_F(TelemetryTest, AMetricsPortTakenIsSaidAndTheWindowMeasuresOn) {
    // A server already there.
    const int taken = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ASSERT_EQ(bind(taken, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(taken, 1), 0);
    getsockname(taken, reinterpret_cast<sockaddr*>(&address), &length);
    const std::uint16_t port = ntohs(address.sin_port);

    sim::InstrumentSimulator& instrument = AddInstrument();
    form_ = std::make_unique<TForm1>();
    controller_ = std::make_unique<MainController>(
        *form_, ControllerOptions{{instrument.SlavePath()},
                                  std::nullopt,
                                  TelemetryOptions{MetricsAddress{"127.0.0.1", port}, {}}});
    EXPECT_EQ(
        controller_->TelemetryError(),
        QString("Nie można udostępnić metryk na 127.0.0.1:%1: Adres jest już w użyciu").arg(port));
    EXPECT_EQ(controller_->telemetry().Metrics(), nullptr);
    ClickConnect();
    EXPECT_TRUE(WaitFor([&] { return controller_->session().SampleCount() >= 2; }, 20000));
    close(taken);
}

TEST_F(TelemetryTest, ABrokerRefusingTheLoginIsSaidInTheStatusBarAndTheWindowMeasuresOn) {
    if (!TlsMosquittoBroker::Installed()) {
        GTEST_SKIP() << "mosquitto, mosquitto_passwd or openssl is not installed";
    }
    TestCertificates certificates;
    ASSERT_TRUE(certificates.Make()) << certificates.Log().toStdString();
    TlsMosquittoBroker broker(certificates);
    ASSERT_TRUE(broker.SetLogin("hygrometer", "right-password"));
    ASSERT_TRUE(broker.Start()) << broker.Log().toStdString();
    sim::InstrumentSimulator& instrument = AddInstrument();
    form_ = std::make_unique<TForm1>();
    controller_ = std::make_unique<MainController>(
        *form_,
        ControllerOptions{
            {instrument.SlavePath()},
            std::nullopt,
            TelemetryOptions{
                std::nullopt, MqttAddress{"127.0.0.1", broker.TlsPort(), "lab", true},
                MqttSecurity{"hygrometer", "wrong-password", certificates.Cert("ca"), "", ""}}});
    ClickConnect();
    modals_.clear();  // the identification

    const QString said =
        QString(
            "MQTT: brak połączenia z mqtts://127.0.0.1:%1/lab (broker odmówił dostępu: zła "
            "nazwa użytkownika lub hasło albo brak uprawnień); próby trwają w tle")
            .arg(broker.TlsPort());
    // After the session's own status, which goes on as samples come.
    const QStatusBar* bar = form_->StatusBar;
    EXPECT_TRUE(WaitFor([&] { return bar->currentMessage().endsWith("  |  " + said); }, 20000))
        << bar->currentMessage().toStdString();
    EXPECT_EQ(bar->toolTip(), said);
    const int samples = controller_->session().SampleCount();
    EXPECT_TRUE(
        WaitFor([&] { return controller_->session().SampleCount() >= samples + 2; }, 20000));
    EXPECT_TRUE(bar->currentMessage().endsWith("  |  " + said))
        << bar->currentMessage().toStdString();
}

}  // namespace
