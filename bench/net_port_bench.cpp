// A serial device server that holds the client up or floods it: how long a stop takes to
// free the thread that waits (a name still being resolved, a connect whose SYN the peer
// drops, a negotiation the server leaves unanswered), and what a flooding peer costs before
// it is dropped. Each stop is timed from the stop to the return of the waiting Open, once
// the peer is seen to hold the wait.
#include <benchmark/benchmark.h>
#include <netdb.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "common/black_hole_server.h"
#include "common/recording_server.h"
#include "link/instrument_link.h"
#include "link/net_port.h"

namespace {

using Clock = std::chrono::steady_clock;

void WaitUntil(const std::function<bool()>& condition) {
    while (!condition()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Opens `url` through a link on a thread of its own, stops the link once `held` says the
// peer holds the open, and times the stop until the open has returned.
void TimeStop(benchmark::State& state, const std::function<std::string()>& url,
              const std::function<bool()>& held) {
    for (auto _ : state) {
        InstrumentLink link;
        std::thread opening([&] { link.BeginExchange().OpenInstrumentPort(url(), nullptr); });
        WaitUntil(held);
        const auto start = Clock::now();
        link.Shutdown();
        opening.join();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

void BM_StopDuringConnect(benchmark::State& state) {
    BlackHoleServer blackHole;
    TimeStop(
        state, [&] { return blackHole.Url("tcp"); }, [&] { return blackHole.ConnectWaiting(); });
}

void BM_StopDuringNegotiation(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        RecordingServer silent;
        InstrumentLink link;
        std::thread opening(
            [&] { link.BeginExchange().OpenInstrumentPort(silent.Url("rfc2217"), nullptr); });
        WaitUntil([&] { return silent.Received().size() >= 9; });  // the telnet offer
        state.ResumeTiming();
        const auto start = Clock::now();
        link.Shutdown();
        opening.join();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

// The resolver held until the stop has been timed; its answer is dropped.
void BM_StopDuringResolution(benchmark::State& state) {
    for (auto _ : state) {
        struct Gate {
            std::mutex mutex;
            std::condition_variable changed;
            bool entered = false;
            bool released = false;
        };
        auto gate = std::make_shared<Gate>();
        const int stop = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        NetPort port(stop, NetPortTimings{}, [gate](const std::string&, const std::string&) {
            std::unique_lock<std::mutex> lock(gate->mutex);
            gate->entered = true;
            gate->changed.notify_all();
            gate->changed.wait(lock, [&] { return gate->released; });
            return NetResolution{EAI_NONAME, {}};
        });
        std::thread opening([&] { port.Open("tcp://held.invalid:4001", nullptr); });
        WaitUntil([&] {
            const std::lock_guard<std::mutex> lock(gate->mutex);
            return gate->entered;
        });
        const auto start = Clock::now();
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(stop, &one, sizeof one);
        opening.join();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        {
            const std::lock_guard<std::mutex> lock(gate->mutex);
            gate->released = true;
        }
        gate->changed.notify_all();
        ::close(stop);
    }
}

// A peer sending zeros as fast as it can: the most ever waiting for the link, the bytes
// read before the peer was dropped, and how long that took.
void BM_FloodDropped(benchmark::State& state) {
    std::size_t mostWaiting = 0;
    std::size_t read = 0;
    for (auto _ : state) {
        RecordingServer server;
        server.StartFlood();
        SerialPort port;
        port.Open(server.Url("tcp"), nullptr);
        while (!port.HasHungUp()) {
            mostWaiting = std::max(mostWaiting, port.BytesWaiting());
            std::uint8_t buffer[512];
            read += port.ReadAvailable(buffer, sizeof buffer);
        }
        port.Close();
    }
    state.counters["most_waiting_bytes"] = static_cast<double>(mostWaiting);
    state.counters["read_bytes"] =
        benchmark::Counter(static_cast<double>(read), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_StopDuringConnect)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StopDuringNegotiation)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StopDuringResolution)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_FloodDropped)->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK_MAIN();
