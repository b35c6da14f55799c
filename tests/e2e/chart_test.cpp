// The live chart against the simulated instrument: one point per series for each sample
// with data, none for a silent cycle, and a file loaded while measuring.
#include <QFile>

#include "app/chart_page.h"
#include "chart/ole_date.h"
#include "common/e2e_fixture.h"

namespace {

using ChartTest = E2eTest;

// Dew point -12.34, mirror dew level 200, ambient temperature 22.10.
sim::MeasurementReply Reply() {
    sim::MeasurementReply r{};
    r[0] = 0xFB;
    r[1] = 0x2E;
    r[7] = 200;
    r[14] = 0x08;
    r[15] = 0xA2;
    return r;
}

std::vector<double> Xs(const SeriesPoints& points) {
    std::vector<double> xs;
    for (auto it = points.constBegin(); it != points.constEnd(); ++it) {
        xs.push_back(it->key);
    }
    return xs;
}

TEST_F(ChartTest, SamplesSilentCyclesAndAFileLoadedWhileMeasuring) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    instrument.SetFixedMeasurement(Reply());
    MakeWindow({instrument.SlavePath()});
    const double connectedAt = OleDate(QDateTime::currentDateTime());
    ClickConnect();
    HygroChart& chart = *form_->ChartTab->Chart;
    const auto samples = [&] { return controller_->session().SampleCount(); };
    const auto shown = [&] {
        return static_cast<int>(chart.Points(AmbientTemperatureSeries).size());
    };
    ASSERT_TRUE(controller_->session().Polling());
    ASSERT_TRUE(WaitFor([&] { return shown() >= 1 && shown() == samples(); }));

    const SeriesPoints& dewPoint = chart.Points(DewPointSeries);
    EXPECT_DOUBLE_EQ(dewPoint.Point(0).value, -12.34);
    EXPECT_DOUBLE_EQ(chart.Points(MirrorDewLevelSeries).Point(0).value, 20.0);
    EXPECT_DOUBLE_EQ(chart.Points(AmbientTemperatureSeries).Point(0).value, 22.10);
    EXPECT_GE(dewPoint.Point(0).key, connectedAt);
    EXPECT_LE(dewPoint.Point(0).key, OleDate(QDateTime::currentDateTime()));

    // Loaded with the handler the button uses, while the worker goes on feeding the chart.
    const QString path = WorkFile("chart.txt");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("header\r\nheader\r\n1\t23:59:50\t 12.5 -3.0\r\n2\t00:00:10\t 13.5 -4.0\r\n");
    }
    form_->ChartTab->LoadFile(path);
    ASSERT_EQ(dewPoint.size(), 2);
    const int shownAtLoad = shown();

    // Two cycles bring nothing, then samples come again.
    instrument.SetSilent(2);
    ASSERT_TRUE(WaitFor([&] { return shown() >= shownAtLoad + 2 && shown() == samples(); }, 8000));
    EXPECT_GE(instrument.RequestCount(sim::RequestKind::Measurement),
              static_cast<std::size_t>(samples()) + 2);
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        SCOPED_TRACE(i + 1);
        const auto series = static_cast<ChartSeries>(i);
        const int loaded = series == DewPointSeries || series == HeadTemperatureSeries ? 2 : 0;
        const std::vector<double> xs = Xs(chart.Points(series));
        const int live = series == DewPointSeries ? shown() - shownAtLoad : shown();
        EXPECT_EQ(static_cast<int>(xs.size()), loaded + live);
        EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
        if (loaded > 0) {
            EXPECT_NEAR(xs[0], 86'390.0 / 86'400.0, 1e-12);
            EXPECT_NEAR(xs[1], 1.0 + 10.0 / 86'400.0, 1e-12);
        }
    }
    EXPECT_DOUBLE_EQ(dewPoint.Point(0).value, 12.5);
    EXPECT_DOUBLE_EQ(dewPoint.Point(2).value, -12.34);
    EXPECT_DOUBLE_EQ(chart.Points(HeadTemperatureSeries).Point(0).value, -3.0);
}

}  // namespace
