// The chart's "Export data…" with a month in view: 31 days at one sample a second on all
// seven series (2,678,400 points each), as a live run leaves them. Figures, in milliseconds
// of wall-clock time, one export per iteration:
//   snapshot_ms   the window's own part: the snapshot of the range and the thread started;
//   export_ms     from the start until the window has the end, the file whole under its
//                 name;
//   longest_wait_ms  the longest the window's event loop went without turning meanwhile
//                 (a timer asks every millisecond);
//   file_MB       the size of the file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "app/chart_page.h"
#include "bench_data.h"
#include "chart/compact_point.h"
#include "chart/series_points.h"
#include "series/sample_series.h"

namespace {

constexpr long kMonth = SeriesPoints::kDefaultLimit;

void ExportMonth(benchmark::State& state) {
    ChartPage page;
    page.resize(753, 537);
    HygroChart& chart = *page.Chart;
    const std::int64_t end = SecondNowMilliseconds();
    for (long s = 0; s < kMonth; ++s) {
        const double x = OleDateOfMilliseconds(end - (kMonth - s) * 1000);
        const std::array<double, kSeriesCount> values = SeriesValues(SampleAt(s));
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            chart.AddPoint(static_cast<ChartSeries>(i), x, values[i]);
        }
    }
    chart.xAxis->setRange(OleDateOfMilliseconds(end - kMonth * 1000 - 1000),
                          OleDateOfMilliseconds(end));
    QCoreApplication::processEvents();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("month.csv"));

    double snapshotMs = 0.0, exportMs = 0.0, longestWaitMs = 0.0, fileMb = 0.0;
    for (auto _ : state) {
        QSignalSpy ended(&page, &ChartPage::ExportEnded);
        QElapsedTimer sinceTick;
        double longest = 0.0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
            sinceTick.restart();
        });
        QElapsedTimer timer;
        timer.start();
        if (!page.StartExport(path)) {
            state.SkipWithError("the export did not start");
            return;
        }
        snapshotMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        sinceTick.start();
        ticks.start(1);
        if (!QTest::qWaitFor([&] { return ended.count() == 1; }, 600'000) ||
            !ended.at(0).at(0).toBool()) {
            state.SkipWithError("the export failed");
            return;
        }
        exportMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        longestWaitMs = longest;
        fileMb = static_cast<double>(QFileInfo(path).size()) / 1e6;
    }
    state.counters["snapshot_ms"] = snapshotMs;
    state.counters["export_ms"] = exportMs;
    state.counters["longest_wait_ms"] = longestWaitMs;
    state.counters["file_MB"] = fileMb;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    benchmark::RegisterBenchmark("BM_ExportMonth", ExportMonth)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
