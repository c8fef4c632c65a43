// Problem-file loading: a file of the 30 published puzzles that the reference search finds
// hardest (bench/data/hardest-for-reference.dat, made by korvani-rank-reference) must load in
// under 3 ms; the CRC table is built on every load, as the loader does.
#include "progress/problem_loading.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace korvani;

void loadHardestForReference(benchmark::State& state) {
    const std::string path =
        std::string(KORVANI_SOURCE_DIR) + "/bench/data/hardest-for-reference.dat";
    static ProgressStore store;
    int loaded = 0;
    for (auto _ : state) {
        if (!loadProblemFileAt(path.c_str(), store)) {
            state.SkipWithError("bench/data/hardest-for-reference.dat did not load");
            break;
        }
        loaded = store.problemCount;
    }
    state.counters["puzzles"] = loaded;
}
BENCHMARK(loadHardestForReference)->Unit(benchmark::kMillisecond);

void crcTable(benchmark::State& state) {
    std::uint32_t table[256];
    for (auto _ : state) {
        buildCrc32cTable(table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(crcTable);

} // namespace
