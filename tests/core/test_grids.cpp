// Helpers shared by the puzzle-core tests.
#include "test_grids.h"

#include "core/solver/solver.h"

#include <fstream>

namespace korvani::test {

std::uint64_t Rng::next() {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Rng::below(int n) {
    return static_cast<int>(next() % static_cast<std::uint64_t>(n));
}

// Adds random digits that repeat nothing until the grid has exactly one completion.
CellGrid randomFullGrid(Rng& rng) {
    CellGrid grid{};
    for (;;) {
        const int cell = rng.below(81);
        if (grid[cell] != 0) continue;
        const int digit = 1 + rng.below(9);
        bool repeats = false;
        for (int other = 0; other < 81; ++other) {
            if (grid[other] == digit &&
                (rowOf(other) == rowOf(cell) || columnOf(other) == columnOf(cell) ||
                 boxOf(other) == boxOf(cell)))
                repeats = true;
        }
        if (repeats) continue;
        grid[cell] = static_cast<std::uint8_t>(digit);
        const SolveResult result = solveGivens(grid);
        if (result.count == 0) grid[cell] = 0;
        if (result.count == 1) return result.solution;
    }
}

CellGrid randomMinimalPuzzle(Rng& rng) {
    CellGrid grid = randomFullGrid(rng);
    int order[81];
    for (int i = 0; i < 81; ++i) order[i] = i;
    for (int i = 80; i > 0; --i) {
        const int j = rng.below(i + 1);
        const int t = order[i];
        order[i] = order[j];
        order[j] = t;
    }
    for (int cell : order) {
        const std::uint8_t value = grid[cell];
        grid[cell] = 0;
        if (solveGivens(grid).count != 1) grid[cell] = value;
    }
    return grid;
}

std::vector<CellGrid> loadPuzzleSet(const std::string& fileName) {
    std::vector<CellGrid> puzzles;
    std::ifstream in(std::string(KORVANI_PUZZLE_SETS_DIR) + "/" + fileName);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() >= 81) puzzles.push_back(gridFromText(line));
    }
    return puzzles;
}

bool isCompletionOf(const CellGrid& givens, const CellGrid& solution) {
    for (int cell = 0; cell < 81; ++cell) {
        if (solution[cell] < 1 || solution[cell] > 9) return false;
        if (givens[cell] != 0) {
            if (solution[cell] != givens[cell]) return false;
            continue;
        }
        for (int other = 0; other < 81; ++other) {
            if (other == cell || solution[other] != solution[cell]) continue;
            if (rowOf(other) == rowOf(cell) || columnOf(other) == columnOf(cell) ||
                boxOf(other) == boxOf(cell))
                return false;
        }
    }
    return true;
}

} // namespace korvani::test
