// The chart under load, on the offscreen platform with the real window and handlers:
//   Memory    the whole process with 604,800 points on each of the seven series (a week at
//             one sample a second), then with every series at its limit;
//   Sample    one live sample (seven points) added and the chart redrawn, with 10,000 and
//             604,800 points per series already there; per-sample median, p95 and maximum;
//   LoadFile  a 1,000,000-line file laid out like the measurement log, parsed, plotted and
//             drawn once.
// Memory runs first, in a fresh process; run it alone with --benchmark_filter=Memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/chart_page.h"
#include "app/main_window.h"
#include "app/sample_series.h"
#include "chart/ole_date.h"
#include "chart/series_table.h"
#include "measure/log_line.h"

namespace {

constexpr int kWeek = 604'800;
constexpr double kSecond = 1.0 / 86'400.0;
constexpr double kPi = 3.14159265358979323846;

// Field of the process status, in MB.
double StatusMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
        }
    }
    return 0.0;
}

// A plausible day: slow swings over the day with a little noise in the last digit.
MeasurementSample SampleAt(long second) {
    const double day = 2.0 * kPi * static_cast<double>(second % 86'400) / 86'400.0;
    const int noise = static_cast<int>((second * 7919) % 11) - 5;
    MeasurementSample s;
    s.DewPoint = static_cast<std::int16_t>(std::lround(-500 + 300 * std::sin(day)) + noise);
    s.HeadTemperature = static_cast<std::int16_t>(std::lround(2500 + 200 * std::sin(day)));
    s.MirrorDewLevel = static_cast<std::uint8_t>(200 + noise);
    s.PeltierPower = static_cast<std::uint8_t>(std::lround(120 + 60 * std::cos(day)));
    s.FrostLevel = static_cast<std::int16_t>(noise + 5);
    s.MirrorTemperature = static_cast<std::int16_t>(std::lround(-480 + 300 * std::sin(day)));
    s.AmbientTemperature =
        static_cast<std::int16_t>(std::lround(2000 + 200 * std::cos(day)) + noise / 2);
    return s;
}

// Form1 on screen with the chart tab open, as the operator watching the chart has it.
class ChartWindow {
  public:
    ChartWindow() {
        form_.PageControl1->setCurrentWidget(form_.TabSheet1);
        form_.show();
        (void)QTest::qWaitForWindowExposed(&form_);
        QObject::connect(form_.TabSheet1->Chart1, &QCustomPlot::afterReplot,
                         [this] { ++redraws_; });
        Settle();
    }

    HygroChart& chart() { return *form_.TabSheet1->Chart1; }
    ChartPage& handlers() { return *form_.TabSheet1; }
    int redraws() const { return redraws_; }

    // Points on every series, one a second, ending a second before `end`.
    void Fill(int points, double end) {
        std::array<std::vector<double>, kSeriesCount> ys;
        std::vector<double> xs;
        for (int i = 0; i < points; ++i) {
            xs.push_back(end - (points - i) * kSecond);
            const auto values = SeriesValues(SampleAt(i));
            for (std::size_t s = 0; s < kSeriesCount; ++s) {
                ys[s].push_back(values[s]);
            }
        }
        for (std::size_t s = 0; s < kSeriesCount; ++s) {
            chart().AddPoints(static_cast<ChartSeries>(s), xs, ys[s]);
        }
    }

    // Runs the event loop until the redraw asked for has been made and painted.
    bool Redrawn(int before) {
        for (int turn = 0; turn < 100 && redraws_ == before; ++turn) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        return redraws_ == before + 1;
    }

    static void Settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
    }

  private:
    TForm1 form_;
    int redraws_ = 0;
};

void SetPercentiles(benchmark::State& state, std::vector<double> ms) {
    if (ms.empty()) {
        return;
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p95_ms"] = ms[ms.size() * 95 / 100];
    state.counters["max_ms"] = ms.back();
}

void BM_Memory(benchmark::State& state) {
    for (auto _ : state) {
        ChartWindow window;
        state.counters["start_MB"] = StatusMegabytes("VmRSS:");
        const double start = OleDate(QDateTime::currentDateTime()) - 20.0;
        // One sample at a time, as a live run fills the series.
        long second = 0;
        const auto addSamples = [&](long count) {
            for (long end = second + count; second < end; ++second) {
                const auto values = SeriesValues(SampleAt(second));
                for (std::size_t s = 0; s < kSeriesCount; ++s) {
                    window.chart().AddPoint(static_cast<ChartSeries>(s), start + second * kSecond,
                                            values[s]);
                }
            }
            ChartWindow::Settle();
        };
        addSamples(kWeek);
        state.counters["week_MB"] = StatusMegabytes("VmRSS:");
        state.counters["week_peak_MB"] = StatusMegabytes("VmHWM:");
        // Past the limit: every series full, the oldest going.
        addSamples(window.chart().Points(Series1).Limit() - kWeek + 100'000);
        state.counters["full_MB"] = StatusMegabytes("VmRSS:");
        state.counters["full_peak_MB"] = StatusMegabytes("VmHWM:");
        state.counters["points_per_series"] =
            static_cast<double>(window.chart().Points(Series7).size());
    }
}
BENCHMARK(BM_Memory)->Iterations(1)->Unit(benchmark::kSecond);

void BM_Sample(benchmark::State& state) {
    ChartWindow window;
    const int points = static_cast<int>(state.range(0));
    window.Fill(points, OleDate(QDateTime::currentDateTime()));
    ChartWindow::Settle();
    std::vector<double> ms;
    QElapsedTimer timer;
    SampleUpdate update;
    long second = points;
    for (auto _ : state) {
        update.sampleCount = static_cast<int>(second);
        update.sample = SampleAt(second++);
        update.time = QTime::currentTime();
        const int before = window.redraws();
        timer.start();
        window.handlers().AddSample(update);
        const bool redrawn = window.Redrawn(before);
        const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (!redrawn) {
            state.SkipWithError("not redrawn once");
            break;
        }
        ms.push_back(elapsed);
        state.SetIterationTime(elapsed / 1e3);
    }
    SetPercentiles(state, ms);
    state.counters["points_per_series"] =
        static_cast<double>(window.chart().Points(Series1).size());
}
BENCHMARK(BM_Sample)->Arg(10'000)->Arg(kWeek)->UseManualTime()->Iterations(300)->Unit(
    benchmark::kMillisecond);

std::string MeasurementLogFile(int lines) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(lines) * 64);
    const QLocale locale = QLocale::c();
    for (int i = 0; i < lines; ++i) {
        const MeasurementSample sample = SampleAt(i);
        // The counter stays within five digits: a longer first column moves the time.
        const QTime time = QTime(0, 0).addSecs(40'000 + i);
        bytes += MeasurementLogLine(1 + i % 99'999, LongTimeText(time, locale), sample,
                                    FormatReadouts(sample, locale))
                     .toStdString();
    }
    return bytes;
}

void BM_LoadFile(benchmark::State& state) {
    constexpr int kLines = 1'000'000;
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("chart_bench_" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << MeasurementLogFile(kLines);
    }
    ChartWindow window;
    const QString name = QString::fromStdString(path.string());
    std::vector<double> ms;
    QElapsedTimer timer;
    for (auto _ : state) {
        const int before = window.redraws();
        timer.start();
        window.handlers().LoadFile(name);
        const bool redrawn = window.Redrawn(before);
        const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (!redrawn || window.chart().Points(Series1).size() != kLines - 2) {
            state.SkipWithError("the file was not plotted and drawn once");
            break;
        }
        ms.push_back(elapsed);
        state.SetIterationTime(elapsed / 1e3);
    }
    std::filesystem::remove(path);
    SetPercentiles(state, ms);
}
BENCHMARK(BM_LoadFile)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
