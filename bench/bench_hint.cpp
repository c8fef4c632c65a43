// The hint on the hardest position of each bundled problem file must take under 5 ms. Hints are
// followed from the start of every puzzle of the file, notes and all, as a player pressing H
// would; the hardest position is the one whose hint needs the strongest technique (the first
// such position of the file), since every easier technique has to fail there first. A grid no
// technique can move (a famous puzzle built against them) is measured as well: there every
// technique fails.
#include "core/solver/solver.h"
#include "hint/hint.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

using namespace korvani;

struct Position {
    CellGrid givens{};
    CellGrid solution{};
    CellGrid user{};
    NoteGrid notes{};
    Technique technique = Technique::HiddenSingle;
    bool found = false;
};

CellGrid gridFrom(const std::string& cells) {
    CellGrid grid{};
    for (int cell = 0; cell < 81 && cell < int(cells.size()); ++cell) {
        const char c = cells[cell];
        grid[cell] = c >= '1' && c <= '9' ? std::uint8_t(c - '0') : 0;
    }
    return grid;
}

Position hardestPosition(const char* fileName) {
    Position hardest;
    std::ifstream in(std::string(KORVANI_SOURCE_DIR) + "/puzzles/" + fileName);
    std::string line;
    while (std::getline(in, line)) {
        Position p;
        p.givens = gridFrom(line.substr(line.find('/') + 1));
        p.solution = solveGivens(p.givens).solution;
        for (int steps = 0; steps < 1000; ++steps) {
            const Hint hint = findHint(p.givens, p.solution, p.user, p.notes);
            if (hint.kind != HintKind::Place && hint.kind != HintKind::Remove) break;
            if (!hardest.found || hint.step.technique > hardest.technique) {
                hardest = p;
                hardest.technique = hint.step.technique;
                hardest.found = true;
            }
            applyHint(hint, p.givens, p.user, p.notes);
        }
    }
    return hardest;
}

void measure(benchmark::State& state, const Position& p) {
    if (!p.found) {
        state.SkipWithError("no position");
        return;
    }
    for (auto _ : state) {
        const Hint hint = findHint(p.givens, p.solution, p.user, p.notes);
        benchmark::DoNotOptimize(hint);
    }
    state.SetLabel(techniqueName(p.technique));
}

void hintOnHardestPosition(benchmark::State& state, const char* fileName) {
    measure(state, hardestPosition(fileName));
}
BENCHMARK_CAPTURE(hintOnHardestPosition, gentle, "1-gentle.dat")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hintOnHardestPosition, moderate, "2-moderate.dat")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hintOnHardestPosition, tough, "3-tough.dat")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(hintOnHardestPosition, fiendish, "4-fiendish.dat")->Unit(benchmark::kMillisecond);

void hintWhenStuck(benchmark::State& state) {
    Position p;
    p.givens = gridFrom(
        "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..");
    p.solution = solveGivens(p.givens).solution;
    p.found = findHint(p.givens, p.solution, p.user, p.notes).kind == HintKind::Stuck;
    measure(state, p);
    state.SetLabel("stuck");
}
BENCHMARK(hintWhenStuck)->Unit(benchmark::kMillisecond);

} // namespace
