// Helpers shared by the puzzle-core tests: grid text (tests/support/grid_text.h), a seeded
// generator, random full grids and puzzles, the published puzzle sets, and a check of
// completions in the solver's model.
#pragma once

#include "core/grid.h"
#include "core/solver/solver.h"
#include "tests/support/grid_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvani::test {

// splitmix64: the same numbers on every platform and standard library.
struct Rng {
    std::uint64_t state;
    std::uint64_t next();
    int below(int n); // 0 .. n-1
};

CellGrid randomFullGrid(Rng& rng);
// A puzzle with exactly one completion from which no given can be removed.
CellGrid randomMinimalPuzzle(Rng& rng);

// A puzzle set of tests/data/puzzle-sets ('.' or '0' for empty cells); empty when unreadable.
std::vector<CellGrid> loadPuzzleSet(const std::string& fileName);

// True when `solution` keeps every given and fills every empty cell with a digit that no other
// cell of its row, column or box holds (givens may repeat among themselves).
bool isCompletionOf(const CellGrid& givens, const CellGrid& solution);

} // namespace korvani::test
