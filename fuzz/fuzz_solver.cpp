// Fuzz target: the solver's complete engines against each other. The first 81 bytes make a
// grid (each byte modulo 10, 0 an empty cell); solveGivens as the game runs it (the short search
// first), its branching search alone and the clause counter alone must give the same count and,
// for a count of 1, the same completion, which must keep the givens and repeat no digit it
// places. Any difference aborts.
#include "core/solver/solver.h"
#include "tests/support/hard_engines.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using korvani::CellGrid;

bool isCompletion(const CellGrid& givens, const CellGrid& solution) {
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] != 0 && solution[cell] != givens[cell]) return false;
        if (solution[cell] < 1 || solution[cell] > 9) return false;
        if (givens[cell] != 0) continue;
        for (int other = 0; other < 81; ++other) {
            if (other == cell) continue;
            const bool peer = other / 9 == cell / 9 || other % 9 == cell % 9 ||
                              (other / 27 == cell / 27 && other % 9 / 3 == cell % 9 / 3);
            if (peer && solution[other] == solution[cell]) return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 81) return 0;
    CellGrid grid{};
    for (int cell = 0; cell < 81; ++cell) grid[cell] = static_cast<std::uint8_t>(data[cell] % 10);

    const korvani::SolveResult game = korvani::solveGivens(grid);
    const korvani::SolveResult branching = korvani::test::countByBranching(grid, {}, false);
    const korvani::SolveResult counted = korvani::test::countWithClauses(grid);
    if (counted.count < 0) return 0; // out of memory
    if (game.count != branching.count || game.count != counted.count) std::abort();
    if (game.count == 1 &&
        (game.solution != branching.solution || game.solution != counted.solution ||
         !isCompletion(grid, game.solution)))
        std::abort();
    return 0;
}
