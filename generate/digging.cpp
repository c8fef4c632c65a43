// Filling a grid by random backtracking, and digging it down to a minimal puzzle.
#include "generate/digging.h"

#include "core/solver/solver.h"

namespace korvani {

namespace {

bool fillFrom(CellGrid& grid, int cell, PuzzleRng& rng) {
    if (cell == 81) return true;
    std::array<int, 9> digits = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    shuffle(digits, 9, rng);
    for (int digit : digits) {
        bool free = true;
        for (int other = 0; other < cell && free; ++other) {
            const bool peer = rowOf(other) == rowOf(cell) || columnOf(other) == columnOf(cell) ||
                              boxOf(other) == boxOf(cell);
            free = !(peer && grid[other] == digit);
        }
        if (!free) continue;
        grid[cell] = std::uint8_t(digit);
        if (fillFrom(grid, cell + 1, rng)) return true;
    }
    grid[cell] = 0;
    return false;
}

// Cells 0..units-1 are emptied with their mirror 80 - cell when `symmetric` (41 units, 40 is
// the centre), alone otherwise (81 units).
CellGrid dig(const CellGrid& solution, PuzzleRng& rng, bool symmetric) {
    const int units = symmetric ? 41 : 81;
    std::array<int, 81> order{};
    for (int i = 0; i < units; ++i) order[i] = i;
    shuffle(order, units, rng);
    CellGrid puzzle = solution;
    for (int i = 0; i < units; ++i) {
        const int cell = order[i];
        const int mirror = symmetric ? 80 - cell : cell;
        puzzle[cell] = 0;
        puzzle[mirror] = 0;
        if (solveGivens(puzzle).count != 1) {
            puzzle[cell] = solution[cell];
            puzzle[mirror] = solution[mirror];
        }
    }
    return puzzle;
}

} // namespace

CellGrid randomSolvedGrid(PuzzleRng& rng) {
    CellGrid grid{};
    fillFrom(grid, 0, rng); // an empty grid always has a completion
    return grid;
}

CellGrid digSymmetricPuzzle(const CellGrid& solution, PuzzleRng& rng) {
    return dig(solution, rng, true);
}

CellGrid digPuzzle(const CellGrid& solution, PuzzleRng& rng) {
    return dig(solution, rng, false);
}

bool showsEveryDigit(const CellGrid& givens) {
    DigitMask seen = 0;
    for (std::uint8_t v : givens) {
        if (v >= 1 && v <= 9) seen |= digitMaskTable[v];
    }
    return seen == allDigits;
}

} // namespace korvani
