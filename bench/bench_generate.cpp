// The generator's speed: per grade, the median and 90th percentile time of one puzzle over 200
// (one thread; each puzzle is its own number of the stream), and the wall time of a file of 30
// on every core.
#include "generate/puzzle_batch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread> // also steady_clock: <chrono> does not build with code page 932 literals
#include <vector>

namespace {

using namespace korvani;

void onePuzzle(benchmark::State& state) {
    const PuzzleRequest request{20240605, int(state.range(0)), state.range(1) != 0};
    std::vector<double> millis;
    std::uint64_t index = 0;
    for (auto _ : state) {
        millis.clear();
        for (int n = 0; n < 200; ++n) {
            GeneratedPuzzle puzzle;
            const auto start = std::chrono::steady_clock::now();
            makePuzzle(request, index++, nullptr, puzzle);
            const auto end = std::chrono::steady_clock::now();
            millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    std::sort(millis.begin(), millis.end());
    state.counters["median_ms"] = millis[millis.size() / 2];
    state.counters["p90_ms"] = millis[millis.size() * 9 / 10];
}
BENCHMARK(onePuzzle)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 9, 1), {1, 0}})
    ->ArgNames({"grade", "symmetric"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void fileOfThirty(benchmark::State& state) {
    const int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    const std::atomic<bool> never{false};
    std::uint64_t seed = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            makePuzzleSet({seed++, int(state.range(0)), true}, 30, threads, never));
    }
    state.counters["threads"] = threads;
}
BENCHMARK(fileOfThirty)
    ->DenseRange(1, 9, 1)
    ->ArgName("grade")
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
