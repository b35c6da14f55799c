// The headless program's metrics as a stock Prometheus server scrapes them every second:
// the last sample's dew point and the log's count, the instrument's labels, nothing live
// once the instrument is unplugged, and the reconnect counted when it is back.
#include <gtest/gtest.h>

#include "common/measuring_run.h"
#include "metrics/prometheus_server.h"

using namespace std::chrono_literals;

namespace {

TEST(PrometheusScrape, SeesTheLastSampleWhileConnectedAndNoDewPointAfterAnUnplug) {
    if (!PrometheusServer::Installed()) {
        GTEST_SKIP() << PrometheusServer::kProgram << " is not installed";
    }
    MeasuringRun run({"--metrics", "0"});
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.MetricsPort().has_value(); }, 20s))
        << run.Program().Err().toStdString();
    PrometheusServer prometheus;
    ASSERT_TRUE(prometheus.Start(*run.MetricsPort())) << prometheus.Log().toStdString();
    ASSERT_TRUE(run.WaitForLines(3, 30s)) << run.Program().Err().toStdString();

    // A silent instrument stays connected and brings no new sample: the last one stays put.
    run.Instrument().SetSilent();
    double lastDewPoint = 0;
    qsizetype lines = 0;
    EXPECT_TRUE(Eventually(
        [&] {
            const QList<QByteArray> rows = run.RecordLines();
            lines = run.LogLines().size();
            if (rows.size() != lines + 1) {
                return false;  // a row on its way
            }
            lastDewPoint = rows.last().split(',').at(2).toDouble();
            return prometheus.Value("hygrometer_dew_point_celsius") == lastDewPoint &&
                   prometheus.Value("hygrometer_samples_total") == static_cast<double>(lines);
        },
        30s))
        << "Prometheus has dew point "
        << prometheus.Value("hygrometer_dew_point_celsius").value_or(-1000) << " and "
        << prometheus.Value("hygrometer_samples_total").value_or(-1) << " samples; the log "
        << lines << " lines ending at " << lastDewPoint;
    EXPECT_TRUE(Eventually(
        [&] { return prometheus.Value("hygrometer_polls_without_data_total") >= 1.0; }, 20s));

    const std::optional<std::vector<PrometheusServer::Series>> series =
        prometheus.Query("hygrometer_connected");
    ASSERT_TRUE(series.has_value());
    ASSERT_EQ(series->size(), 1u);
    const QJsonObject labels = series->front().labels;
    EXPECT_EQ(labels.value("instrument").toString(), "KRT-10");
    EXPECT_EQ(labels.value("serial").toString(), "300");
    EXPECT_EQ(labels.value("port").toString().toStdString(), run.PortPath());
    EXPECT_EQ(series->front().value, 1.0);

    run.Instrument().ClearFaults();
    ASSERT_TRUE(run.Instrument().Unplug());
    EXPECT_TRUE(Eventually(
        [&] {
            const auto dewPoint = prometheus.Query("hygrometer_dew_point_celsius");
            return prometheus.Value("hygrometer_connected") == 0.0 && dewPoint && dewPoint->empty();
        },
        30s))
        << "connected " << prometheus.Value("hygrometer_connected").value_or(-1);

    run.Instrument().Replug();
    EXPECT_TRUE(Eventually(
        [&] {
            return prometheus.Value("hygrometer_connected") == 1.0 &&
                   prometheus.Value("hygrometer_reconnects_total") == 1.0 &&
                   prometheus.Value("hygrometer_dew_point_celsius").has_value();
        },
        30s));
}

}  // namespace
