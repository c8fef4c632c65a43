// The solver on known answers: published puzzles with their published solutions, the published
// hard sets, the edge cases of the counting model, and the grids that once made it slow, each
// through every path of the schedule.
#include "core/solver/hard/schedule.h"
#include "core/solver/solver.h"
#include "test_grids.h"
#include "tests/support/hard_engines.h"
#include "tests/support/reference_solver.h"

#include <gtest/gtest.h>

#include <string>

namespace korvani {
namespace {

using test::gridFromText;
using test::gridToText;
using test::isCompletionOf;

struct KnownAnswer {
    const char* puzzle;
    const char* solution;
};

// Hard for solvers that branch on the first empty cell, with their published solutions.
const KnownAnswer knownAnswers[] = {
    {"..............3.85..1.2.......5.7.....4...1...9.......5......73..2.1........4...9",
     "987654321246173985351928746128537694634892157795461832519286473472319568863745219"},
    {"8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..",
     "812753649943682175675491283154237896369845721287169534521974368438526917796318452"},
    {"4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......",
     "417369825632158947958724316825437169791586432346912758289643571573291684164875293"},
};

TEST(SolverKnownAnswers, PublishedHardPuzzlesGetTheirPublishedSolutions) {
    for (const KnownAnswer& known : knownAnswers) {
        const SolveResult result = solveGivens(gridFromText(known.puzzle));
        EXPECT_EQ(result.count, 1) << known.puzzle;
        EXPECT_EQ(gridToText(result.solution), known.solution) << known.puzzle;
    }
}

void expectEverySetPuzzleHasItsOneSolution(const char* fileName, std::size_t expectedSize) {
    const std::vector<CellGrid> puzzles = test::loadPuzzleSet(fileName);
    ASSERT_EQ(puzzles.size(), expectedSize) << fileName;
    int failures = 0;
    for (const CellGrid& puzzle : puzzles) {
        const SolveResult result = solveGivens(puzzle);
        if (result.count != 1 || !isCompletionOf(puzzle, result.solution)) {
            ADD_FAILURE() << fileName << ": " << gridToText(puzzle) << " count " << result.count;
            if (++failures == 5) return;
        }
    }
}

TEST(SolverPublishedSets, SeventeenCluePuzzles) {
    expectEverySetPuzzleHasItsOneSolution("17-clue-first-2000.txt", 2000);
}

TEST(SolverPublishedSets, Top1465) {
    expectEverySetPuzzleHasItsOneSolution("top1465.txt", 1465);
}

TEST(SolverPublishedSets, ForumHardest2011) {
    expectEverySetPuzzleHasItsOneSolution("forum-hardest-1106.txt", 375);
}

TEST(SolverPublishedSets, ForumHardest2019) {
    expectEverySetPuzzleHasItsOneSolution("forum-hardest-1905-11plus-first-2000.txt", 2000);
}

// The solver and the reference search agree on `grid`, whose count is `count`; with one
// completion it is `solution` (givens kept, repeats and all).
void expectBothCount(const CellGrid& grid, int count, const CellGrid& solution = {}) {
    for (const SolveResult& result : {solveGivens(grid), solveGivensReference(grid)}) {
        EXPECT_EQ(result.count, count) << gridToText(grid);
        if (count == 1) {
            EXPECT_EQ(result.solution, solution) << gridToText(grid);
        }
    }
}

TEST(SolverEdgeCases, FullGridsCountOneWhateverTheirDigits) {
    const CellGrid full = gridFromText(knownAnswers[0].solution);
    CellGrid ones;
    ones.fill(1);
    CellGrid broken = gridFromText(knownAnswers[1].solution);
    broken[40] = broken[41]; // a repeat in row 4
    for (const CellGrid& grid : {full, ones, broken}) expectBothCount(grid, 1, grid);
    // Then one cell that shares no unit with a repeat emptied: still exactly one way to fill it.
    CellGrid repeated = full;
    repeated[0] = full[1]; // repeats the digit of cell 1 in row 0 and box 0
    CellGrid oneLeft = repeated;
    oneLeft[80] = 0;
    expectBothCount(oneLeft, 1, repeated);
}

TEST(SolverEdgeCases, EmptyGridsAndUnavoidableRectanglesHaveTwo) {
    expectBothCount(CellGrid{}, 2);
    // Where two rows of a band hold the same pair of digits in two columns of different
    // stacks, swapping them gives a second full grid.
    const CellGrid full = gridFromText(knownAnswers[2].solution);
    int found = 0;
    for (int a = 0; a < 81; ++a) {
        for (int b = a + 1; b < 81; ++b) {
            const int c = rowOf(b) * 9 + columnOf(a), d = rowOf(a) * 9 + columnOf(b);
            if (rowOf(a) / 3 != rowOf(b) / 3 || rowOf(a) == rowOf(b) ||
                columnOf(a) / 3 == columnOf(b) / 3 || full[a] != full[b] || full[c] != full[d])
                continue;
            CellGrid grid = full;
            grid[a] = grid[b] = grid[c] = grid[d] = 0;
            expectBothCount(grid, 2);
            ++found;
        }
    }
    EXPECT_GT(found, 0);
}

TEST(SolverEdgeCases, NoCompletionAndNoGrid) {
    // Row 0 lacks 1 and 2 in cells 0 and 1; the 2s in columns 0 and 1 leave both cells only 1.
    expectBothCount(gridFromText("..3456789"
                                 "2........"
                                 "........."
                                 ".2......."),
                    0);
    CellGrid pastNine = gridFromText(knownAnswers[0].solution);
    pastNine[5] = 10; // a byte past nine makes no grid
    expectBothCount(pastNine, 0);
}

TEST(SolverEdgeCases, SolvingTwiceGivesTheSameAnswer) {
    const CellGrid grid = gridFromText(knownAnswers[1].puzzle);
    const SolveResult first = solveGivens(grid);
    const SolveResult second = solveGivens(grid);
    EXPECT_EQ(first.count, second.count);
    EXPECT_EQ(first.solution, second.solution);
}

// Grids that once made the solver slow (they are kept in bench/data/hunt-seeds.txt, where the
// benchmark times them), and their counts, which the reference search cannot reach.
const struct {
    const char* grid;
    int count;
} hardGrids[] = {
    // Sparse grids that the reference search runs for hours on: cell 80 has no candidate; row
    // 8 has no place for a 1; eight columns need a 1 from seven rows; likewise with rows.
    {"........9...............................................................12345678.", 0},
    {"......1...........................1...................1...........1.............2", 0},
    {"1........1", 0},
    {"11", 0},
    // Box 8 needs 3, 4 and 5 but has room for them in two cells only (a Hall set).
    {"..2........1.................6..83..1.....5.......24..........8....2...14...53..2", 0},
    // Row 0, column 7 and box 7 must all lack the same digit, which rows 6 to 8 then need
    // three times in two boxes.
    {"6..2..33.....4............7....2..3..........8.....1......9...4............9.....", 0},
    // Many loose units: branching took from 44,000 to 6 million nodes on these in some order.
    {"...4.........18......7..9.92..5......184.........18......7..9.92..5......18.....7", 0},
    {"85.5.5555555.......5555555555....5555.5.9.......5......2.2.555555555.5.5555555...", 2},
    {"8...5555555552.1.......36555.....85...2..5...4...555555555..12......36558..55.5..", 2},
    {"4.........18...5..7..9.92..5......19......7..4.........195.1...7.9..92.15......11", 0},
    {"..4...9.9..4...4.......44..5......58546.55.65..8....553..95.5..3..95.5..544..85..", 2},
    {"......4....64..4..4.4..4492..52...58.......6...8...5.53..9..3..3..9..3....4.56.55", 0},
    {"......949..44..........44....8....58546.55.69..8....589.29..5..5...5.5..5.49.58..", 2},
    {"..4...4....64..4..4....4.....52...58......66.1.87....53..9..3..3..9..3....4.56.55", 0},
    // Counts that fail only together: the linear relaxation's grids.
    {".7..7.4....63..783.7..774...5...77...5..9788....2...338717..8688.1....18.9....7..", 0},
    {"8.3.7..66..36...6..7..7.2...5...77...5..747..8881.7.33.81.4.368..8....1..4.......", 0},
};

TEST(SolverHardGrids, EveryPathOfTheScheduleGivesTheKnownCount) {
    // As the game runs it; with tries at the root; with branching alone, in its attempts and
    // with no tries below the root; and without the relaxation.
    solver::ScheduleTuning branchingOnly;
    branchingOnly.probeFirstBranchesOfRepeatedGivens = false;
    solver::ScheduleTuning withoutRelaxation;
    withoutRelaxation.relaxationStepsPerConflict = 0;
    for (const auto& hard : hardGrids) {
        const CellGrid grid = gridFromText(hard.grid);
        EXPECT_EQ(test::solveInTurnsAfterRootTries(grid, {}).count, hard.count) << hard.grid;
        EXPECT_EQ(test::countByBranching(grid, branchingOnly, false).count, hard.count)
            << hard.grid;
        EXPECT_EQ(solver::solveInTurns(grid, nullptr, withoutRelaxation).count, hard.count)
            << hard.grid;
        SolveStats stats;
        const SolveResult result = solveGivens(grid, &stats);
        EXPECT_EQ(result.count, hard.count) << hard.grid;
        EXPECT_EQ(test::countWithClauses(grid).count, hard.count) << hard.grid;
        // Quick as the game runs it (the benchmark times them; this only catches a schedule
        // that lost an engine).
        EXPECT_LE(stats.nodes + stats.probes + stats.conflicts, 10'000) << hard.grid;
    }
}

} // namespace
} // namespace korvani
