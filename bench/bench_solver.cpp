// Solver speed: solveGivens on the published sets (puzzles per second and the slowest single
// puzzle), the reference search on the parts of the sets it can finish, the sparse grids that
// keep the reference search busy for hours, and the grids korvani-hunt found hardest for
// solveGivens.
#include "core/solver/solver.h"
#include "tests/support/grid_text.h"
#include "tests/support/reference_solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace korvani;

using korvani::test::gridFromText;

// One grid a line; with `lastField` the grid is the last blank-separated field of the line.
std::vector<CellGrid> loadGrids(const std::string& path, bool lastField = false) {
    std::vector<CellGrid> grids;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (lastField) line = line.substr(line.find_last_of(' ') + 1);
        if (line.size() >= 81) grids.push_back(gridFromText(line));
    }
    return grids;
}

std::vector<CellGrid> puzzleSet(const char* name) {
    return loadGrids(std::string(KORVANI_PUZZLE_SETS_DIR) + "/" + name);
}

const char* setNames[] = {
    "17-clue-first-2000.txt",
    "top1465.txt",
    "forum-hardest-1106.txt",
    "forum-hardest-1905-11plus-first-2000.txt",
};

// Puzzles per second over the whole set.
void solveSet(benchmark::State& state) {
    const std::vector<CellGrid> grids = puzzleSet(setNames[state.range(0)]);
    state.SetLabel(setNames[state.range(0)]);
    if (grids.empty()) {
        state.SkipWithError("puzzle set missing");
        return;
    }
    std::size_t next = 0;
    long long notUnique = 0;
    for (auto _ : state) {
        const SolveResult result = solveGivens(grids[next]);
        benchmark::DoNotOptimize(result);
        notUnique += result.count != 1;
        if (++next == grids.size()) next = 0;
    }
    state.SetItemsProcessed(state.iterations());
    if (notUnique != 0) state.SkipWithError("a published puzzle did not have exactly one solution");
}
BENCHMARK(solveSet)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

double nowMicroseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::micro>(now).count();
}

// The slowest single grid of a list: each grid is solved `repeats` times and its fastest run
// counts, so that a moment of a busy machine is not taken for a hard grid. `nodes` receives the
// most work any grid took: search nodes plus candidates tried plus three for each conflict of
// the clause counter and one for each thousand steps of the linear relaxation (as korvani-hunt
// counts it).
double slowestMicroseconds(const std::vector<CellGrid>& grids, int repeats, long long* nodes) {
    double slowest = 0;
    *nodes = 0;
    for (const CellGrid& grid : grids) {
        double fastest = 1e30;
        for (int r = 0; r < repeats; ++r) {
            SolveStats stats;
            const double start = nowMicroseconds();
            benchmark::DoNotOptimize(solveGivens(grid, &stats));
            fastest = std::min(fastest, nowMicroseconds() - start);
            *nodes = std::max(*nodes, stats.nodes + stats.probes + 3 * stats.conflicts +
                                          stats.relaxationSteps / 1000);
        }
        slowest = std::max(slowest, fastest);
    }
    return slowest;
}

void slowestOfSet(benchmark::State& state) {
    const std::vector<CellGrid> grids = puzzleSet(setNames[state.range(0)]);
    state.SetLabel(setNames[state.range(0)]);
    double slowest = 0;
    long long nodes = 0;
    for (auto _ : state) slowest = slowestMicroseconds(grids, 3, &nodes);
    state.counters["slowest_us"] = slowest;
    state.counters["most_work"] = static_cast<double>(nodes);
}
BENCHMARK(slowestOfSet)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);

// Sparse grids without completion on which the reference search runs for hours.
const char* adversarialLines[] = {
    "........9...............................................................12345678.",
    "......1...........................1...................1...........1.............2",
    "1........1",
    "11",
    "..............3.85..1.2.......5.7.....4...1...9.......5......73..2.1........4...9",
};

void adversarial(benchmark::State& state) {
    std::vector<CellGrid> grids;
    for (const char* line : adversarialLines) grids.push_back(gridFromText(line));
    double slowest = 0;
    long long nodes = 0;
    for (auto _ : state) slowest = slowestMicroseconds(grids, 20, &nodes);
    state.counters["slowest_us"] = slowest;
}
BENCHMARK(adversarial)->Iterations(1)->Unit(benchmark::kMillisecond);

// The grids korvani-hunt found hardest for solveGivens (bench/data/hard-grids.txt), and the
// grids that once made it slow (bench/data/hunt-seeds.txt, most of them found by fuzzing).
const char* huntFiles[] = {"hard-grids.txt", "hunt-seeds.txt"};

void huntedGrids(benchmark::State& state) {
    const std::string name = huntFiles[state.range(0)];
    const std::vector<CellGrid> grids =
        loadGrids(std::string(KORVANI_SOURCE_DIR) + "/bench/data/" + name, true);
    state.SetLabel(name);
    if (grids.empty()) {
        state.SkipWithError("missing or empty");
        return;
    }
    double slowest = 0;
    long long nodes = 0;
    for (auto _ : state) slowest = slowestMicroseconds(grids, 5, &nodes);
    state.counters["grids"] = static_cast<double>(grids.size());
    state.counters["slowest_us"] = slowest;
    state.counters["most_work"] = static_cast<double>(nodes);
}
BENCHMARK(huntedGrids)->DenseRange(0, 1)->Iterations(1)->Unit(benchmark::kMillisecond);

// The reference search on the first puzzles of a set (all of it would take hours).
void referenceOnSet(benchmark::State& state) {
    std::vector<CellGrid> grids = puzzleSet(setNames[state.range(0)]);
    grids.resize(std::min<std::size_t>(grids.size(), static_cast<std::size_t>(state.range(1))));
    state.SetLabel(std::string(setNames[state.range(0)]) + ", first " +
                   std::to_string(grids.size()));
    for (auto _ : state) {
        for (const CellGrid& grid : grids) benchmark::DoNotOptimize(solveGivensReference(grid));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(grids.size()));
}
BENCHMARK(referenceOnSet)
    ->Args({0, 20})
    ->Args({1, 200})
    ->Args({2, 100})
    ->Args({3, 200})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// solveGivens on the same puzzles, for comparison.
void fastOnSetPart(benchmark::State& state) {
    std::vector<CellGrid> grids = puzzleSet(setNames[state.range(0)]);
    grids.resize(std::min<std::size_t>(grids.size(), static_cast<std::size_t>(state.range(1))));
    state.SetLabel(std::string(setNames[state.range(0)]) + ", first " +
                   std::to_string(grids.size()));
    for (auto _ : state) {
        for (const CellGrid& grid : grids) benchmark::DoNotOptimize(solveGivens(grid));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(grids.size()));
}
BENCHMARK(fastOnSetPart)
    ->Args({0, 20})
    ->Args({1, 200})
    ->Args({2, 100})
    ->Args({3, 200})
    ->Unit(benchmark::kMillisecond);

} // namespace
