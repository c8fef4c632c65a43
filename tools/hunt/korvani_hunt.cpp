// korvani-hunt SEED TRAJECTORIES CLIMB_STEPS KEEP [GRIDS]
// Looks for grids on which solveGivens does the most work (search nodes plus candidates tried,
// which cost about the same, plus three for each conflict of the clause counter and one for
// each thousand steps of the linear relaxation), to show (in the solver benchmark) that no line
// of a problem file can hold it up. Two stages:
// 1. Trajectories: from an empty grid, add random givens one at a time (half of the runs only
//    digits that repeat nothing, the other half any digit) until the grid has fewer than two
//    completions; every grid on the way is a candidate. Hard grids sit where completions run
//    out.
// 2. Climbing: the KEEP hardest candidates, together with the grids of the file GRIDS (one a
//    line, the grid last on the line, as this tool prints them), are changed a little at a
//    time (see mutate), keeping every change that does not make the grid easier.
// Prints the KEEP hardest grids found, hardest first: "work count grid" per line.
#include "core/solver/solver.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace korvani;

struct Rng {
    std::uint64_t state;
    std::uint64_t next() {
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
};

struct Found {
    long long nodes;
    int count;
    CellGrid grid;
};

long long nodesOf(const CellGrid& grid, int* count = nullptr) {
    SolveStats stats;
    const SolveResult result = solveGivens(grid, &stats);
    if (count != nullptr) *count = result.count;
    return stats.nodes + stats.probes + 3 * stats.conflicts + stats.relaxationSteps / 1000;
}

bool repeatsInUnit(const CellGrid& grid, int cell, int digit) {
    for (int other = 0; other < 81; ++other) {
        if (other != cell && grid[other] == digit &&
            (rowOf(other) == rowOf(cell) || columnOf(other) == columnOf(cell) ||
             boxOf(other) == boxOf(cell)))
            return true;
    }
    return false;
}

// A cell or two cleared or given a new digit; now and then a row copied over another row, or a
// digit repeated from another cell (the patterns that fuzzing found hardest).
CellGrid mutate(const CellGrid& grid, Rng& rng) {
    CellGrid changed = grid;
    const int kind = rng.below(8);
    if (kind == 0) {
        const int from = rng.below(9);
        const int to = rng.below(9);
        for (int c = 0; c < 9; ++c) changed[to * 9 + c] = grid[from * 9 + c];
    } else if (kind == 1) {
        changed[rng.below(81)] = grid[rng.below(81)];
    } else {
        const int changes = 1 + rng.below(2);
        for (int k = 0; k < changes; ++k) {
            const int cell = rng.below(81);
            changed[cell] = rng.below(3) == 0 ? 0 : static_cast<std::uint8_t>(1 + rng.below(9));
        }
    }
    return changed;
}

// Keeps the `keep` hardest distinct grids.
void offer(std::vector<Found>& best, std::size_t keep, const Found& found) {
    for (const Found& f : best) {
        if (f.grid == found.grid) return;
    }
    if (best.size() < keep) {
        best.push_back(found);
    } else {
        auto weakest =
            std::min_element(best.begin(), best.end(),
                             [](const Found& a, const Found& b) { return a.nodes < b.nodes; });
        if (weakest->nodes >= found.nodes) return;
        *weakest = found;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: korvani-hunt SEED TRAJECTORIES CLIMB_STEPS KEEP [GRIDS]\n");
        return 2;
    }
    Rng rng{std::strtoull(argv[1], nullptr, 10)};
    const long trajectories = std::atol(argv[2]);
    const long climbSteps = std::atol(argv[3]);
    const std::size_t keep = static_cast<std::size_t>(std::atol(argv[4]));

    std::vector<Found> best;
    for (long t = 0; t < trajectories; ++t) {
        const bool onlyConsistent = t % 2 == 0;
        CellGrid grid{};
        for (int step = 0; step < 81; ++step) {
            const int cell = rng.below(81);
            if (grid[cell] != 0) continue;
            const int digit = 1 + rng.below(9);
            if (onlyConsistent && repeatsInUnit(grid, cell, digit)) continue;
            grid[cell] = static_cast<std::uint8_t>(digit);
            int count = 0;
            const long long nodes = nodesOf(grid, &count);
            offer(best, keep, Found{nodes, count, grid});
            if (count < 2) break;
        }
    }

    if (argc == 6) {
        std::FILE* in = std::fopen(argv[5], "r");
        if (in == nullptr) {
            std::fprintf(stderr, "korvani-hunt: cannot open %s\n", argv[5]);
            return 2;
        }
        char line[512];
        while (std::fgets(line, sizeof line, in) != nullptr) {
            const char* text = std::strrchr(line, ' ');
            text = text != nullptr ? text + 1 : line;
            if (std::strlen(text) < 81) continue;
            CellGrid grid{};
            for (int i = 0; i < 81; ++i) {
                if (text[i] >= '1' && text[i] <= '9')
                    grid[i] = static_cast<std::uint8_t>(text[i] - '0');
            }
            int count = 0;
            const long long nodes = nodesOf(grid, &count);
            best.push_back(Found{nodes, count, grid});
        }
        std::fclose(in);
    }

    for (Found& found : best) {
        for (long step = 0; step < climbSteps; ++step) {
            const CellGrid changed = mutate(found.grid, rng);
            int count = 0;
            const long long nodes = nodesOf(changed, &count);
            if (nodes >= found.nodes) found = Found{nodes, count, changed};
        }
    }

    std::sort(best.begin(), best.end(),
              [](const Found& a, const Found& b) { return a.nodes > b.nodes; });
    for (const Found& found : best) {
        char text[82];
        for (int i = 0; i < 81; ++i)
            text[i] = found.grid[i] == 0 ? '.' : static_cast<char>('0' + found.grid[i]);
        text[81] = '\0';
        std::printf("%lld %d %s\n", found.nodes, found.count, text);
    }
    return 0;
}
