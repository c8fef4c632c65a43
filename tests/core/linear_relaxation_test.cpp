// The linear relaxation: grids it must rule out (found by hunts for grids hard for the solver),
// grids it must never rule out (any with a completion), and its edges.
#include "core/clause_counter.h"
#include "core/linear_relaxation.h"
#include "core/solver.h"
#include "test_grids.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

using test::gridFromText;

constexpr long long plentyOfWork = 5'000'000;
// Where there is nothing to prove the search runs until its work is spent.
constexpr long long someWork = 1'000'000;

// Candidates and required digits as the givens alone give them: a cell loses the digits of its
// peers, and a unit without repeated givens requires the digits it lacks.
struct Counts {
    CellGrid filled{};
    DigitMask candidates[81] = {};
    DigitMask required[27] = {};
};

Counts countsOf(const CellGrid& grid) {
    Counts c;
    c.filled = grid;
    for (int cell = 0; cell < 81; ++cell) c.candidates[cell] = grid[cell] == 0 ? allDigits : 0;
    for (int unit = 0; unit < 27; ++unit) {
        DigitMask given = 0;
        bool repeated = false;
        for (int i = 0; i < 9; ++i) {
            const int digit = grid[unitCellAt(unit, i)];
            if (digit == 0) continue;
            repeated = repeated || (given & digitMaskTable[digit]) != 0;
            given = static_cast<DigitMask>(given | digitMaskTable[digit]);
        }
        for (int i = 0; i < 9; ++i) {
            DigitMask& mask = c.candidates[unitCellAt(unit, i)];
            mask = static_cast<DigitMask>(mask & ~given);
        }
        if (!repeated) c.required[unit] = static_cast<DigitMask>(allDigits & ~given);
    }
    return c;
}

bool rulesOut(const CellGrid& grid, long long work = plentyOfWork) {
    const Counts c = countsOf(grid);
    return linearRelaxationRulesOut(c.filled, c.candidates, c.required, work);
}

// Grids without completion that hunts found hardest for the solver before it had the
// relaxation: without it the solver needs hundreds to thousands of conflicts for each.
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
        EXPECT_TRUE(rulesOut(grid)) << text;
        // The answer it must agree with, from the counter alone.
        ClauseCounter counter;
        ASSERT_TRUE(counter.start(grid));
        ASSERT_TRUE(counter.run(1'000'000'000)) << text;
        EXPECT_EQ(counter.count(), 0) << text;
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
            EXPECT_FALSE(rulesOut(grid, someWork)) << test::gridToText(grid);
            ++checked;
        }
    }
    // Grids with repeated givens in many units that do have completions: hunted grids with one
    // given taken away until the solver finds one.
    for (const char* text : huntedWithoutCompletion) {
        const CellGrid hunted = gridFromText(text);
        for (int cell = 0; cell < 81; ++cell) {
            if (hunted[cell] == 0) continue;
            CellGrid grid = hunted;
            grid[cell] = 0;
            if (solveGivens(grid).count == 0) continue;
            EXPECT_FALSE(rulesOut(grid, someWork)) << test::gridToText(grid);
            ++checked;
        }
    }
    EXPECT_GT(checked, 150);
}

TEST(LinearRelaxation, EdgesOfTheModel) {
    // A required digit without a place and an empty cell without candidates need no
    // arithmetic at all.
    Counts c = countsOf(gridFromText(std::string(81, '.')));
    EXPECT_FALSE(linearRelaxationRulesOut(c.filled, c.candidates, c.required, someWork));
    for (int i = 0; i < 9; ++i) {
        const int cell = unitCellAt(0, i);
        c.candidates[cell] = static_cast<DigitMask>(c.candidates[cell] & ~digitMaskTable[5]);
    }
    EXPECT_TRUE(linearRelaxationRulesOut(c.filled, c.candidates, c.required, 0));
    c = countsOf(gridFromText(std::string(81, '.')));
    c.candidates[40] = 0;
    EXPECT_TRUE(linearRelaxationRulesOut(c.filled, c.candidates, c.required, 0));
    // No work, no proof; a full grid, even one that repeats digits, has nothing to rule out.
    EXPECT_FALSE(rulesOut(gridFromText(huntedWithoutCompletion[0]), 0));
    test::Rng rng{7};
    CellGrid full = test::randomFullGrid(rng);
    EXPECT_FALSE(rulesOut(full, someWork));
    full[0] = full[1];
    EXPECT_FALSE(rulesOut(full, someWork));
}

TEST(SolverEdgeCases, CountsThatFailOnlyTogetherEndInTheLinearRelaxation) {
    // The solver as the game runs it settles each hunted grid in the relaxation's first turn,
    // after the first slice of the counter; without it the counter goes on for hundreds of
    // conflicts.
    SolveOptions withoutRelaxation;
    withoutRelaxation.relaxationStepsPerConflict = 0;
    for (const char* text : huntedWithoutCompletion) {
        const CellGrid grid = gridFromText(text);
        SolveStats stats;
        EXPECT_EQ(solveGivens(grid, &stats).count, 0) << text;
        EXPECT_LE(stats.conflicts, SolveOptions{}.relaxationSlice) << text;
        EXPECT_EQ(solveGivens(grid, &stats, &withoutRelaxation).count, 0) << text;
        EXPECT_GT(stats.conflicts, 200) << text;
    }
}

} // namespace
} // namespace korvani
