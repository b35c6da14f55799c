// The chart under load, offscreen at 753 x 537, against a plain QCustomPlot with its
// defaults fed the same data the same way (bench_charts.h). Figures, each a median over
// many runs with its 95th percentile, in milliseconds of wall-clock time (cpu_median_ms:
// the user-interface thread's own time, which shows what other load on the machine adds):
//   BM_Sample/<points>         one live sample (seven points) added and the chart redrawn,
//                              with <points> per series already there;
//   BM_ZoomedHour              a redraw of a one-hour window inside a month, panned by a
//                              second each time;
//   BM_LoadFile10M             a 10,000,000-line file laid out like the measurement log,
//                              generated into a temporary directory, parsed, plotted and
//                              drawn;
//   BM_Plain...                the same for the plain chart, with `ratio` = its median over
//                              ours (when ours ran first);
//   BM_Memory                  resident memory of the whole process after a month at one
//                              sample a second (2,678,400 points on each series), fed one
//                              sample at a time, ours and the plain chart's, each measured
//                              in a fresh process of its own.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_charts.h"
#include "bench_data.h"
#include "chart/compact_point.h"
#include "chart/series_points.h"

namespace {

constexpr long kWeek = 604'800;
constexpr long kMonth = SeriesPoints::kDefaultLimit;
constexpr long kFileLines = 10'000'000;
// Samples measured in one benchmark iteration; the library repeats iterations until its
// minimum time has passed.
constexpr int kSamplesPerIteration = 10;
constexpr int kLoadsPerIteration = 3;
constexpr double kHour = 1.0 / 24.0;
constexpr double kSecond = 1.0 / 86'400.0;
const char kMemoryChild[] = "--memory-child=";

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Percentile(std::vector<double> ms, int percent) {
    if (ms.empty()) {
        return 0.0;
    }
    std::sort(ms.begin(), ms.end());
    return ms[std::min(ms.size() - 1, ms.size() * static_cast<std::size_t>(percent) / 100)];
}

// Wall-clock and thread times of one measured step each.
struct Timings {
    std::vector<double> wall, cpu;

    template <typename Step>
    bool Measure(Step step) {
        QElapsedTimer timer;
        const double cpu0 = ThreadCpuMs();
        timer.start();
        const bool ok = step();
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(ThreadCpuMs() - cpu0);
        return ok;
    }

    void Report(benchmark::State& state) const {
        state.counters["median_ms"] = Percentile(wall, 50);
        state.counters["p95_ms"] = Percentile(wall, 95);
        state.counters["cpu_median_ms"] = Percentile(cpu, 50);
    }
};

// The charts the benchmarks share: building one with a month of points takes seconds,
// and the library calls each benchmark several times.
class Charts {
  public:
    BenchChart& Get(bool plain, long points) {
        Slot& slot = plain ? plain_ : ours_;
        if (!slot.chart || slot.points != points) {
            slot.chart.reset();
            slot.chart = plain ? MakePlainChart() : MakeOurChart();
            slot.chart->Fill(points);
            BenchChart::Settle();
            slot.points = points;
        }
        return *slot.chart;
    }
    void Drop(bool plain) { (plain ? plain_ : ours_).chart.reset(); }

    const QString& File() {
        if (file_.isEmpty() && dir_.isValid()) {
            file_ = dir_.filePath(QStringLiteral("chart10M.txt"));
            if (!WriteMeasurementLog(file_, kFileLines)) {
                file_.clear();
            }
        }
        return file_;
    }

    // Ours' medians by figure, for the plain chart's ratio.
    std::map<std::string, double> ourMedians;

  private:
    struct Slot {
        std::unique_ptr<BenchChart> chart;
        long points = -1;
    };
    Slot ours_, plain_;
    QTemporaryDir dir_;
    QString file_;
};

void Compare(benchmark::State& state, Charts& charts, bool plain, const std::string& figure,
             const Timings& timings) {
    timings.Report(state);
    const double median = Percentile(timings.wall, 50);
    if (!plain) {
        charts.ourMedians[figure] = median;
    } else if (const auto ours = charts.ourMedians.find(figure);
               ours != charts.ourMedians.end() && ours->second > 0) {
        state.counters["ratio"] = median / ours->second;
    }
}

void Sample(benchmark::State& state, Charts& charts, bool plain, long points) {
    BenchChart& chart = charts.Get(plain, points);
    Timings timings;
    long second = points;
    for (auto _ : state) {
        for (int i = 0; i < kSamplesPerIteration; ++i) {
            const int before = chart.Redraws();
            if (!timings.Measure([&] {
                    chart.AddSample(second++);
                    return chart.Redrawn(before);
                })) {
                state.SkipWithError("not redrawn once");
                return;
            }
        }
    }
    Compare(state, charts, plain, "Sample/" + std::to_string(points), timings);
    state.counters["points_per_series"] = static_cast<double>(chart.PointsOnDewPointSeries());
}

void ZoomedHour(benchmark::State& state, Charts& charts, bool plain) {
    BenchChart& chart = charts.Get(plain, kMonth);
    QCustomPlot& plot = chart.Plot();
    plot.replot();
    const QCPRange month = plot.xAxis->range();
    double lower = month.center() - kHour / 2;
    Timings timings;
    for (auto _ : state) {
        for (int i = 0; i < kSamplesPerIteration; ++i) {
            const int before = chart.Redraws();
            lower += kSecond;
            if (!timings.Measure([&] {
                    // As a drag moves the view.
                    plot.xAxis->setRange(lower, lower + kHour);
                    plot.replot(QCustomPlot::rpQueuedReplot);
                    return chart.Redrawn(before);
                })) {
                state.SkipWithError("not redrawn once");
                return;
            }
        }
    }
    Compare(state, charts, plain, "ZoomedHour", timings);
    // The automatic view is gone: the next user starts afresh.
    charts.Drop(plain);
}

void LoadFile(benchmark::State& state, Charts& charts, bool plain) {
    const QString& path = charts.File();
    if (path.isEmpty()) {
        state.SkipWithError("the file could not be written");
        return;
    }
    BenchChart& chart = charts.Get(plain, 0);
    Timings timings;
    for (auto _ : state) {
        for (int i = 0; i < kLoadsPerIteration; ++i) {
            chart.ClearHeadTemperatureSeries();
            BenchChart::Settle();
            const int before = chart.Redraws();
            if (!timings.Measure([&] {
                    chart.LoadFile(path);
                    return chart.Redrawn(before);
                }) ||
                chart.PointsOnDewPointSeries() < std::min(kFileLines - 2, kMonth)) {
                state.SkipWithError("the file was not plotted and drawn once");
                return;
            }
        }
    }
    Compare(state, charts, plain, "LoadFile10M", timings);
    state.counters["points_on_series1"] = static_cast<double>(chart.PointsOnDewPointSeries());
    charts.Drop(plain);
}

// In a fresh process: a month fed one sample at a time, then the resident memory.
int MemoryChild(bool plain) {
    std::unique_ptr<BenchChart> chart = plain ? MakePlainChart() : MakeOurChart();
    const double startMb = StatusMegabytes("VmRSS:");
    const std::int64_t start = SecondNowMilliseconds() - kMonth * 1000;
    long second = 0;
    const auto addSamples = [&](long end) {
        for (; second < end; ++second) {
            chart->AddSampleAt(OleDateOfMilliseconds(start + second * 1000), second);
        }
        chart->Plot().replot();
        BenchChart::Settle();
    };
    addSamples(kWeek);
    const double weekMb = StatusMegabytes("VmRSS:");
    addSamples(kMonth);
    std::printf("%.1f %.1f %.1f %.1f %ld\n", startMb, weekMb, StatusMegabytes("VmRSS:"),
                StatusMegabytes("VmHWM:"), chart->PointsOnDewPointSeries());
    return 0;
}

struct MemoryFigures {
    double start = 0, week = 0, month = 0, peak = 0, points = 0;
};

bool RunMemoryChild(bool plain, MemoryFigures& figures) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString(kMemoryChild) + (plain ? "plain" : "ours")});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        return false;
    }
    const QByteArray out = child.readAllStandardOutput();
    return std::sscanf(out.constData(), "%lf %lf %lf %lf %lf", &figures.start, &figures.week,
                       &figures.month, &figures.peak, &figures.points) == 5;
}

void Memory(benchmark::State& state) {
    MemoryFigures ours, plain;
    for (auto _ : state) {
        if (!RunMemoryChild(false, ours) || !RunMemoryChild(true, plain)) {
            state.SkipWithError("a measuring process failed");
            return;
        }
    }
    state.counters["start_MB"] = ours.start;
    state.counters["week_MB"] = ours.week;
    state.counters["month_MB"] = ours.month;
    state.counters["peak_MB"] = ours.peak;
    state.counters["points_per_series"] = ours.points;
    state.counters["plain_week_MB"] = plain.week;
    state.counters["plain_month_MB"] = plain.month;
    state.counters["ratio"] = ours.month > 0 ? plain.month / ours.month : 0.0;
}

void Register(Charts& charts) {
    const auto add = [](const std::string& name, std::function<void(benchmark::State&)> run) {
        benchmark::RegisterBenchmark(name.c_str(), std::move(run))->Unit(benchmark::kMillisecond);
    };
    for (const bool plain : {false, true}) {
        const std::string prefix = plain ? "BM_Plain" : "BM_";
        for (const long points : {10'000L, kWeek, kMonth}) {
            add(prefix + "Sample/" + std::to_string(points),
                [&charts, plain, points](benchmark::State& s) {
                    Sample(s, charts, plain, points);
                });
        }
        add(prefix + "ZoomedHour",
            [&charts, plain](benchmark::State& s) { ZoomedHour(s, charts, plain); });
        add(prefix + "LoadFile10M",
            [&charts, plain](benchmark::State& s) { LoadFile(s, charts, plain); });
    }
    benchmark::RegisterBenchmark("BM_Memory", Memory)->Unit(benchmark::kSecond);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    if (argc == 2 && std::string(argv[1]).rfind(kMemoryChild, 0) == 0) {
        return MemoryChild(std::string(argv[1]).substr(sizeof kMemoryChild - 1) == "plain");
    }
    Charts charts;
    Register(charts);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
