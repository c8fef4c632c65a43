// The linear relaxation: grids it must rule out (found by hunts for grids hard for the solver),
// grids it must never rule out (any with a completion), and its edges.
#include "core/solver/hard/linear_relaxation.h"
#include "core/solver/solver.h"
#include "test_grids.h"
#include "tests/support/hard_engines.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

using solver::RootCounts;
using test::gridFromText;

constexpr long long plentyOfWork = 5'000'000;
// Where there is nothing to prove the search runs until its work is spent.
constexpr long long someWork = 1'000'000;

bool rulesOut(const RootCounts& root, long long work) {
    solver::LinearRelaxation relaxation;
    return relaxation.start(root) && relaxation.run(work) && relaxation.verdict().settled;
}

bool rulesOut(const CellGrid& grid, long long work = someWork) {
    return rulesOut(solver::rootCountsOf(grid), work);
}

// Grids without completion whose counts fail only together, the hardest for the solver before
// it had the relaxation.
const char* const huntedWithoutCompletion[] = {
    ".7..7.4....63..783.7..774...5...77...5..9788....2...338717..8688.1....18.9....7..",
    "1.3.7..668.86..3...7..7.2...5...77...5..447..7.11.7..3.11...368..1....1..........",
    "8.3.7..66..36...6..7..7.2...5...77...5..747..8881.7.33.81.4.368..8....1..4.......",
    "8.8.7..36..36...3..7..7.2...5...77...5..477..8881.7.33.81.4.368..1....1..4.......",
    "7.317..6678.6.7366.7..772...5...77...5..747..7881.7.33.4844.868..1...11..4...4...",
};

TEST(LinearRelaxation, RulesOutTheHuntedGridsWhoseCountsFailTogether) {
    for (const char* text : huntedWithoutCompletion) {
        const CellGrid grid = gridFromText(text);
        EXPECT_TRUE(rulesOut(grid, plentyOfWork)) << text;
        EXPECT_EQ(test::countWithClauses(grid).count, 0) << text;
    }
}

TEST(LinearRelaxation, NeverRulesOutAGridWithACompletion) {
    test::Rng rng{20261209};
    int checked = 0;
    for (int round = 0; round < 40; ++round) {
        // A minimal puzzle, the same with a third of its givens gone, and a full grid with one
        // cell changed to repeat a digit of its row and one cell outside its units emptied
        // (exactly one completion, which keeps the repeat).
        const CellGrid puzzle = test::randomMinimalPuzzle(rng);
        CellGrid sparse = puzzle;
        for (int cell = 0; cell < 81; ++cell) {
            if (sparse[cell] != 0 && rng.below(3) == 0) sparse[cell] = 0;
        }
        CellGrid repeated = test::randomFullGrid(rng);
        repeated[0] = repeated[1];
        repeated[80] = 0;
        for (const CellGrid& grid : {puzzle, sparse, repeated}) {
            EXPECT_GE(solveGivens(grid).count, 1);
            EXPECT_FALSE(rulesOut(grid)) << test::gridToText(grid);
            ++checked;
        }
    }
    // Grids with loose units that do have completions: hunted grids with one given taken
    // away until the solver finds one.
    for (const char* text : huntedWithoutCompletion) {
        const CellGrid hunted = gridFromText(text);
        for (int cell = 0; cell < 81; ++cell) {
            if (hunted[cell] == 0) continue;
            CellGrid grid = hunted;
            grid[cell] = 0;
            if (solveGivens(grid).count == 0) continue;
            EXPECT_FALSE(rulesOut(grid)) << test::gridToText(grid);
            ++checked;
        }
    }
    EXPECT_GT(checked, 150);
}

TEST(LinearRelaxation, EdgesOfTheModel) {
    // A required digit without a place and an empty cell without candidates need no
    // arithmetic at all.
    RootCounts root = solver::rootCountsOf(CellGrid{});
    EXPECT_FALSE(rulesOut(root, someWork));
    for (int i = 0; i < 9; ++i) root.removeCandidate(unitCellAt(0, i), 4); // row 0 has no 5
    EXPECT_TRUE(rulesOut(root, 0));
    root = solver::rootCountsOf(CellGrid{});
    for (int d = 0; d < 9; ++d) root.removeCandidate(40, d);
    EXPECT_TRUE(rulesOut(root, 0));
    // No work, no proof; a full grid, even one that repeats digits, has nothing to rule out.
    EXPECT_FALSE(rulesOut(gridFromText(huntedWithoutCompletion[0]), 0));
    test::Rng rng{7};
    CellGrid full = test::randomFullGrid(rng);
    EXPECT_FALSE(rulesOut(full));
    full[0] = full[1];
    EXPECT_FALSE(rulesOut(full));
}

} // namespace
} // namespace korvani
