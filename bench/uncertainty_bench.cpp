// The uncertainty of every humidity quantity for one sample: the cost of a propagation with
// its whole budget, beside the cost of the quantities alone. Neither depends on the window:
// the Type A part comes in as the window's sd and count.
#include <benchmark/benchmark.h>

#include "humidity/humidity_quantities.h"
#include "humidity/uncertainty_propagation.h"

namespace {

// A dew point that wanders by hundredths around `dewPoint`, 10 K below the air.
humidity::UncertaintyInputs Around(double dewPoint, int step) {
    humidity::UncertaintyInputs in;
    in.dewPoint = dewPoint + (step % 21 - 10) / 100.0;
    in.ambient = dewPoint + 10.0;
    in.pressureHpa = 1013.25;
    in.dewPointScatter = humidity::MeanScatter{0.02, 600};
    in.ambientScatter = humidity::MeanScatter{0.05, 600};
    return in;
}

// state.range(0): the dew point, °C. Below 0 °C the frost point is solved for too.
void BM_PropagateUncertainties(benchmark::State& state) {
    const auto dewPoint = static_cast<double>(state.range(0));
    int step = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(humidity::PropagateUncertainties(Around(dewPoint, step++)));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PropagateUncertainties)->Arg(20)->Arg(-40);

void BM_QuantitiesAlone(benchmark::State& state) {
    const auto dewPoint = static_cast<double>(state.range(0));
    int step = 0;
    for (auto _ : state) {
        const humidity::UncertaintyInputs in = Around(dewPoint, step++);
        benchmark::DoNotOptimize(humidity::ComputeQuantities(in.dewPoint, in.ambient, in.scale,
                                                             in.pressureHpa));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QuantitiesAlone)->Arg(20)->Arg(-40);

}  // namespace

BENCHMARK_MAIN();
