// The generator's speed: per grade, the median and 90th percentile time of one puzzle over 200
// (the CPU time of the one thread that makes it, so that other programs on the machine do not
// count; each puzzle is its own number of the stream), and the wall time of a file of 30 on
// every core.
#include "generate/puzzle_batch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <thread>
#include <vector>

namespace {

using namespace korvani;

double threadCpuMillis() {
    std::timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void onePuzzle(benchmark::State& state) {
    const PuzzleRequest request{20240605, int(state.range(0)), state.range(1) != 0};
    std::vector<double> millis;
    std::uint64_t index = 0;
    for (auto _ : state) {
        millis.clear();
        for (int n = 0; n < 200; ++n) {
            GeneratedPuzzle puzzle;
            const double start = threadCpuMillis();
            makePuzzle(request, index++, nullptr, puzzle);
            millis.push_back(threadCpuMillis() - start);
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
