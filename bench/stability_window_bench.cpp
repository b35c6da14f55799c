// The dew point's stability window: the cost of one sample with the window full, at 600 and
// at 86 400 samples per window (10 min and a day at one sample a second). The two should
// cost the same: running sums and monotonic queues, no rescans.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "humidity/stability_window.h"

namespace {

// A dew point wandering in hundredths around 9.5 °C, from a fixed pseudo-random sequence.
class NoisyDewPoint {
  public:
    double Next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto hundredths = static_cast<int>((state_ >> 33) % 21) - 10;
        return 9.5 + hundredths / 100.0;
    }

  private:
    std::uint64_t state_ = 20120305;
};

// Per sample, with the window already full of `samples` samples, one a second. `falling`:
// a steadily falling dew point, the worst case for the maximum's queue (it keeps every
// sample, each leaving it at the window's end) and the best for the minimum's.
void AddSamples(benchmark::State& state, bool falling) {
    const auto samples = static_cast<double>(state.range(0));
    humidity::StabilityWindow window({.windowSeconds = samples});
    NoisyDewPoint noise;
    double t = 0.0;
    auto value = [&] { return falling ? 20.0 - t * 1e-5 : noise.Next(); };
    for (; t <= samples; t += 1.0) {
        window.Add(t, value());
    }
    for (auto _ : state) {
        window.Add(t, value());
        t += 1.0;
        benchmark::DoNotOptimize(window.Statistics());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_AddNoisySample(benchmark::State& state) {
    AddSamples(state, false);
}
BENCHMARK(BM_AddNoisySample)->Arg(600)->Arg(86'400);

void BM_AddFallingSample(benchmark::State& state) {
    AddSamples(state, true);
}
BENCHMARK(BM_AddFallingSample)->Arg(600)->Arg(86'400);

}  // namespace

BENCHMARK_MAIN();
