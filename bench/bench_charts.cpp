#include "bench_charts.h"

#include <qcustomplot.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QTabWidget>
#include <QTest>
#include <array>
#include <vector>

#include "bench_data.h"
#include "chart/compact_point.h"
#include "chart/ole_date.h"
#include "series/sample_series.h"
#include "series/series_table.h"
#include "viewer/chart_file_loader.h"

namespace {

constexpr int kWidth = 753;
constexpr int kHeight = 537;

// The times and values of `points` samples, one a second, ending a second before now.
struct FilledSeries {
    std::vector<double> xs;
    std::array<std::vector<double>, kSeriesCount> ys;
};

FilledSeries Samples(long points) {
    FilledSeries filled;
    const std::int64_t now = SecondNowMilliseconds();
    filled.xs.reserve(static_cast<std::size_t>(points));
    for (long i = 0; i < points; ++i) {
        filled.xs.push_back(OleDateOfMilliseconds(now - (points - i) * 1000));
        const auto values = SeriesValues(SampleAt(i));
        for (std::size_t s = 0; s < kSeriesCount; ++s) {
            filled.ys[s].push_back(values[s]);
        }
    }
    return filled;
}

double CurrentOleDate() {
    return OleDate(QDateTime::currentDateTime());
}

class OurChart : public BenchChart {
  public:
    OurChart() {
        form_.Tabs->setCurrentWidget(form_.ChartTab);
        form_.show();
        (void)QTest::qWaitForWindowExposed(&form_);
        CountRedraws();
        Settle();
    }

    void Fill(long points) override {
        const FilledSeries filled = Samples(points);
        for (std::size_t s = 0; s < kSeriesCount; ++s) {
            chart().AddPoints(static_cast<ChartSeries>(s), filled.xs, filled.ys[s]);
        }
    }

    void AddSample(long second) override {
        SampleUpdate update;
        update.sampleCount = static_cast<int>(second);
        update.sample = SampleAt(second);
        update.time = QTime::currentTime();
        page().AddSample(update);
    }

    void AddSampleAt(double x, long second) override {
        const auto values = SeriesValues(SampleAt(second));
        for (std::size_t s = 0; s < kSeriesCount; ++s) {
            chart().AddPoint(static_cast<ChartSeries>(s), x, values[s]);
        }
    }

    void LoadFile(const QString& path) override { page().LoadFile(path); }
    void ClearHeadTemperatureSeries() override { chart().ClearSeries(HeadTemperatureSeries); }
    long PointsOnDewPointSeries() const override {
        return form_.ChartTab->Chart->Points(DewPointSeries).size();
    }
    QCustomPlot& Plot() override { return chart(); }

  private:
    HygroChart& chart() { return *form_.ChartTab->Chart; }
    ChartPage& page() { return *form_.ChartTab; }

    TForm1 form_;
};

class PlainChart : public BenchChart {
  public:
    PlainChart() {
        plot_.resize(kWidth, kHeight);
        for (const SeriesEntry& look : kSeriesTable) {
            QCPGraph* graph = plot_.addGraph();
            graph->setPen(
                QPen(QColor(look.colour.red, look.colour.green, look.colour.blue), look.lineWidth));
            graph->setVisible(look.shown);
        }
        plot_.show();
        (void)QTest::qWaitForWindowExposed(&plot_);
        CountRedraws();
        Settle();
    }

    void Fill(long points) override {
        const FilledSeries filled = Samples(points);
        const QVector<double> keys(filled.xs.begin(), filled.xs.end());
        for (std::size_t s = 0; s < kSeriesCount; ++s) {
            plot_.graph(static_cast<int>(s))
                ->addData(keys, QVector<double>(filled.ys[s].begin(), filled.ys[s].end()), true);
        }
        Replot();
    }

    void AddSample(long second) override {
        AddSampleAt(CurrentOleDate(), second);
        Replot();
    }

    void AddSampleAt(double x, long second) override {
        const auto values = SeriesValues(SampleAt(second));
        for (std::size_t s = 0; s < kSeriesCount; ++s) {
            plot_.graph(static_cast<int>(s))->addData(x, values[s]);
        }
    }

    void LoadFile(const QString& path) override {
        const ChartFileResult result = LoadChartFile(path, QLocale());
        const LoadedPoints& points = result.points;
        plot_.graph(0)->data()->clear();
        plot_.graph(0)->addData(QVector<double>(points.x1.begin(), points.x1.end()),
                                QVector<double>(points.y1.begin(), points.y1.end()), true);
        plot_.graph(1)->addData(QVector<double>(points.x2.begin(), points.x2.end()),
                                QVector<double>(points.y2.begin(), points.y2.end()), true);
        Replot();
    }

    void ClearHeadTemperatureSeries() override { plot_.graph(1)->data()->clear(); }
    long PointsOnDewPointSeries() const override { return plot_.graph(0)->dataCount(); }
    QCustomPlot& Plot() override { return plot_; }

  private:
    void Replot() {
        plot_.rescaleAxes(true);
        plot_.replot(QCustomPlot::rpQueuedReplot);
    }

    QCustomPlot plot_;
};

}  // namespace

bool BenchChart::Redrawn(int before) {
    for (int turn = 0; turn < 100 && redraws_ == before; ++turn) {
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    return redraws_ == before + 1;
}

void BenchChart::Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
}

void BenchChart::CountRedraws() {
    QObject::connect(&Plot(), &QCustomPlot::afterReplot, [this] { ++redraws_; });
}

std::unique_ptr<BenchChart> MakeOurChart() {
    return std::make_unique<OurChart>();
}

std::unique_ptr<BenchChart> MakePlainChart() {
    return std::make_unique<PlainChart>();
}
