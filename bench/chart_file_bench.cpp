// Chart file loading: parsing speed on measurement-log lines, and a whole file read from
// disk (a million lines should take well under 0.2 s).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QLocale>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "viewer/chart_file_loader.h"
#include "viewer/chart_file_parser.h"

namespace {

constexpr int kLines = 1'000'000;

// Lines as the measurement log writes them, one a second, running over midnight. The
// sample number stays within five digits: a longer first column moves the time.
std::string MeasurementLogFile(int lines, std::size_t padding = 0) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(lines) * (64 + padding));
    const std::string tail = std::string(padding, ' ') + "\r\n";
    for (int i = 1; i <= lines; ++i) {
        const int second = (50'000 + i) % 86'400;
        char line[96];
        std::snprintf(line, sizeof line,
                      "%d\t%02d:%02d:%02d\t%d\t%d\t2210\t-12,34\t45,12\t22,10\t18,00\t200\t0",
                      1 + (i - 1) % 99'999, second / 3600, second / 60 % 60, second % 60,
                      -1000 - i % 5000, 4000 + i % 999);
        bytes += line;
        bytes += tail;
    }
    return bytes;
}

void SetLineCounters(benchmark::State& state, int lines) {
    state.SetItemsProcessed(state.iterations() * lines);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ParseMeasurementLog(benchmark::State& state) {
    const std::string bytes = MeasurementLogFile(kLines);
    const TimeTextRules rules = TimeTextRules::FromLocale(QLocale::c());
    for (auto _ : state) {
        LoadedPoints points = ParseChartFile(bytes, rules);
        if (points.error || points.x1.size() != kLines - 2) {
            state.SkipWithError("the lines did not parse");
            break;
        }
        benchmark::DoNotOptimize(points.x1.data());
    }
    SetLineCounters(state, kLines);
}
BENCHMARK(BM_ParseMeasurementLog)->Unit(benchmark::kMillisecond);

// Lines far longer than what is read of them: the rest of each line is only searched for
// its end.
void BM_ParseLongLines(benchmark::State& state) {
    constexpr int kLongLines = 20'000;
    const std::string bytes = MeasurementLogFile(kLongLines, 4000);
    const TimeTextRules rules = TimeTextRules::FromLocale(QLocale::c());
    for (auto _ : state) {
        LoadedPoints points = ParseChartFile(bytes, rules);
        if (points.error || points.x1.size() != kLongLines - 2) {
            state.SkipWithError("the lines did not parse");
            break;
        }
        benchmark::DoNotOptimize(points.x1.data());
    }
    SetLineCounters(state, kLongLines);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseLongLines)->Unit(benchmark::kMillisecond);

void BM_LoadChartFile(benchmark::State& state) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("chart_file_bench_" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << MeasurementLogFile(kLines);
    }
    const QString name = QString::fromStdString(path.string());
    for (auto _ : state) {
        ChartFileResult result = LoadChartFile(name, QLocale::c());
        if (result.fileErrno != 0 || result.points.error) {
            state.SkipWithError("the file did not load");
            break;
        }
        benchmark::DoNotOptimize(result.points.x1.data());
    }
    std::filesystem::remove(path);
    SetLineCounters(state, kLines);
}
BENCHMARK(BM_LoadChartFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
