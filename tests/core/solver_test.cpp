// The solver on known answers: published puzzles with their published solutions, the published
// hard sets, and the edge cases of the counting model (full grids, empty grid, repeated givens,
// grids without completion that take the straightforward search hours).
#include "core/reference_solver.h"
#include "core/solver.h"
#include "test_grids.h"

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

TEST(SolverEdgeCases, FullValidGridIsItsOwnOnlyCompletion) {
    const CellGrid full = gridFromText(knownAnswers[0].solution);
    const SolveResult result = solveGivens(full);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.solution, full);
}

TEST(SolverEdgeCases, FullGridCountsOneWhateverItsDigits) {
    CellGrid ones;
    ones.fill(1);
    SolveResult result = solveGivens(ones);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.solution, ones);

    CellGrid broken = gridFromText(knownAnswers[1].solution);
    broken[40] = broken[41]; // a repeat in row 4
    result = solveGivens(broken);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.solution, broken);
}

TEST(SolverEdgeCases, EmptyGridHasMoreThanOneCompletion) {
    EXPECT_EQ(solveGivens(CellGrid{}).count, 2);
    EXPECT_EQ(solveGivensReference(CellGrid{}).count, 2);
}

TEST(SolverEdgeCases, TwoCompletionsOfAnUnavoidableRectangle) {
    // Rows 0 and 1 (one band), columns 0 and 3 (two stacks): where the two rows hold the same
    // pair of digits in these columns, swapping them gives a second full grid.
    const CellGrid full = gridFromText(knownAnswers[2].solution);
    bool found = false;
    for (int r1 = 0; r1 < 9 && !found; ++r1) {
        for (int r2 = r1 + 1; r2 < 9 && !found; ++r2) {
            if (r1 / 3 != r2 / 3) continue;
            for (int c1 = 0; c1 < 9 && !found; ++c1) {
                for (int c2 = c1 + 1; c2 < 9 && !found; ++c2) {
                    if (c1 / 3 == c2 / 3) continue;
                    const int a = r1 * 9 + c1, b = r1 * 9 + c2, c = r2 * 9 + c1, d = r2 * 9 + c2;
                    if (full[a] != full[d] || full[b] != full[c]) continue;
                    found = true;
                    CellGrid grid = full;
                    grid[a] = grid[b] = grid[c] = grid[d] = 0;
                    EXPECT_EQ(solveGivens(grid).count, 2) << gridToText(grid);
                    EXPECT_EQ(solveGivensReference(grid).count, 2) << gridToText(grid);
                }
            }
        }
    }
    ASSERT_TRUE(found);
}

TEST(SolverEdgeCases, RepeatedGivenWithExactlyOneCompletionKeepsTheRepeat) {
    // A full grid, one cell changed to repeat a digit of its row, one cell that shares no unit
    // with it left empty: the empty cell still has exactly one candidate.
    const CellGrid full = gridFromText(knownAnswers[0].solution);
    CellGrid grid = full;
    grid[0] = full[1]; // repeats the digit of cell 1 in row 0 and box 0
    grid[80] = 0;      // row 8, column 8, box 8: no unit shared with cell 0
    const SolveResult result = solveGivens(grid);
    ASSERT_EQ(result.count, 1);
    CellGrid expected = grid;
    expected[80] = full[80];
    EXPECT_EQ(result.solution, expected);
    const SolveResult reference = solveGivensReference(grid);
    EXPECT_EQ(reference.count, 1);
    EXPECT_EQ(reference.solution, expected);
}

TEST(SolverEdgeCases, TwoEmptyCellsOfARowWithTheSameOnlyCandidate) {
    // Row 0 lacks 1 and 2 in cells 0 and 1; the 2s in columns 0 and 1 leave both cells only 1.
    const CellGrid grid = gridFromText("..3456789"
                                       "2........"
                                       "........."
                                       ".2......."
                                       "........."
                                       "........."
                                       "........."
                                       "........."
                                       ".........");
    EXPECT_EQ(solveGivens(grid).count, 0);
    EXPECT_EQ(solveGivensReference(grid).count, 0);
}

TEST(SolverEdgeCases, SparseGridsWithoutCompletionEndAtOnce) {
    // The straightforward search runs for hours on each of these; the answers follow from
    // counting: cell 80 has no candidate; row 8 has no place for a 1; with two 1s in column 0
    // (row 0 and 1) eight columns need a 1 from seven rows; likewise with two 1s in row 0.
    const char* grids[] = {
        "........9...............................................................12345678.",
        "......1...........................1...................1...........1.............2",
        "1........1",
        "11",
    };
    for (const char* text : grids) {
        SolveStats stats;
        EXPECT_EQ(solveGivens(gridFromText(text), &stats).count, 0) << text;
        EXPECT_EQ(stats.nodes, 1) << text; // decided by deductions alone, before any branch
    }
}

TEST(SolverEdgeCases, RepeatedDigitOmittedByThreeUnitsAtOnce) {
    // Row 0, column 7 and box 2 repeat a 3, box 7 a 9. Counting digits shows that row 0,
    // column 7 and box 7 must all lack the same digit, which rows 6 to 8 then need three times
    // in two boxes: no completion. Found by a random search; it once took seconds.
    const CellGrid grid = gridFromText(
        "6..2..33.....4............7....2..3..........8.....1......9...4............9.....");
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats).count, 0);
    EXPECT_LE(stats.nodes, 50);
}

// The turns of the two ways of branching, as they work without any tries (or clauses).
SolveStats solveWithoutRootTries(const CellGrid& grid, int& count) {
    SolveOptions options;
    options.clauseLearning = false;
    options.quickAttemptNodes = 0;
    options.probeRootOfRepeatedGivens = false;
    options.probeFirstBranchesOfRepeatedGivens = false;
    options.probeAfterNodes = 1'000'000'000;
    SolveStats stats;
    count = solveGivens(grid, &stats, &options).count;
    return stats;
}

TEST(SolverEdgeCases, RepeatedGivensInManyUnitsAreSettledBeforeCells) {
    // Two copies of one pattern: rows 2 and 6, columns 0 to 6 and 8 and boxes 2 and 8 all
    // repeat digits, so each of them leaves some digits out. Found by fuzzing the loader, when
    // branching on cells took 788,000 nodes (seconds); choosing the digits left out first ends
    // it in a few, once branching on cells has given up after 500.
    const CellGrid grid = gridFromText(
        "...4.........18......7..9.92..5......184.........18......7..9.92..5......18.....7");
    int count = -1;
    EXPECT_LE(solveWithoutRootTries(grid, count).nodes, 600);
    EXPECT_EQ(count, 0);
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats).count, 0);
    EXPECT_LE(stats.nodes, 110); // the short search gives up; the clause counter settles it
}

TEST(SolverEdgeCases, UnitsThatRepeatADigitManyTimesAreNearlyFree) {
    // Fives everywhere: most units leave out several digits, and completions abound. Found by
    // fuzzing the loader, when branching on the digits left out took seconds.
    const CellGrid grid = gridFromText(
        "85.5.5555555.......5555555555....5555.5.9.......5......2.2.555555555.5.5555555...");
    int count = -1;
    EXPECT_LE(solveWithoutRootTries(grid, count).nodes, 100);
    EXPECT_EQ(count, 2);
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats).count, 2);
    EXPECT_LE(stats.nodes, 100);
}

TEST(SolverEdgeCases, LeftOutDigitsAreNotAlwaysTheBetterBranch) {
    // Here branching on the digits that units leave out wanders through 120,000 nodes before it
    // finds two completions, while branching on cells finds them at once (found by fuzzing).
    const CellGrid grid = gridFromText(
        "8...5555555552.1.......36555.....85...2..5...4...555555555..12......36558..55.5..");
    int count = -1;
    EXPECT_LE(solveWithoutRootTries(grid, count).nodes, 2000);
    EXPECT_EQ(count, 2);
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats).count, 2);
    EXPECT_LE(stats.nodes, 2000);
}

TEST(SolverEdgeCases, TriesAtTheRootEndWhatBranchingCannot) {
    // Many units repeat a digit and there is no completion, but no count of a single unit or
    // region shows it: found by fuzzing the loader, when branching took 44,000 nodes (a fifth
    // of a second); it still takes over a thousand. Once a short search has given up, trying each
    // candidate at the root strikes out enough to end it.
    const CellGrid grid = gridFromText(
        "4.........18...5..7..9.92..5......19......7..4.........195.1...7.9..92.15......11");
    int count = -1;
    EXPECT_GT(solveWithoutRootTries(grid, count).nodes, 1000);
    EXPECT_EQ(count, 0);
    SolveOptions rootTries;
    rootTries.probeRootOfRepeatedGivens = true;
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats, &rootTries).count, 0);
    EXPECT_LE(stats.nodes, 110); // the short search, then no further branch
    EXPECT_GT(stats.probes, 0);
    // As the game runs it, the clause counter ends it instead.
    EXPECT_EQ(solveGivens(grid, &stats).count, 0);
    EXPECT_LE(stats.nodes + stats.probes + stats.conflicts, 500);
}

TEST(SolverEdgeCases, AnUnluckyOrderOfCellsGivesWayToAnother) {
    // Every row repeats a digit. Branching on cells in its usual order takes 6 million nodes
    // (12 seconds) to find two completions; most other orders of equally constrained cells
    // find them in about 30. Found by a hunt for hard grids, when the solver needed half a
    // second for it.
    const CellGrid grid = gridFromText(
        "..4...9.9..4...4.......44..5......58546.55.65..8....553..95.5..3..95.5..544..85..");
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats).count, 2);
    EXPECT_LE(stats.nodes, 5000);
}

TEST(SolverEdgeCases, TriesBelowTheStartOfEachAttemptSpareDeepOnes) {
    // No completion. Tries at the root strike too little here, and tries at every node once a
    // search had run long took 166,000 of them (half a second), since deep in the tree each
    // strikes little; tries one branch below the start of an attempt end it in a few hundred
    // (found by a hunt for hard grids).
    const CellGrid grid = gridFromText(
        "......4....64..4..4.4..4492..52...58.......6...8...5.53..9..3..3..9..3....4.56.55");
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats).count, 0);
    EXPECT_LE(stats.nodes + stats.probes, 5000);
    SolveOptions withoutFirstBranchTries;
    withoutFirstBranchTries.probeFirstBranchesOfRepeatedGivens = false;
    withoutFirstBranchTries.clauseLearning = false;
    EXPECT_EQ(solveGivens(grid, &stats, &withoutFirstBranchTries).count, 0);
    EXPECT_GT(stats.nodes + stats.probes, 50000);
}

TEST(SolverEdgeCases, ScarceDigitsFirstReachRareCompletions) {
    // Fives, fours and nines block most cells, so the other six digits must fill nearly every
    // row, column and box, and completions are rare. Trying each cell's digits in their own
    // order took 5,290 nodes and 9,918 tries (30 ms) to find two; the short search, which
    // tries the digits with the fewest places on the board first, finds them at once (found by
    // a hunt for hard grids).
    const CellGrid grid = gridFromText(
        "......949..44..........44....8....58546.55.69..8....589.29..5..5...5.5..5.49.58..");
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats).count, 2);
    EXPECT_LE(stats.nodes + stats.probes, 100);
}

TEST(SolverEdgeCases, ThreeDigitsWithRoomInTwoCells) {
    // Box 8 still needs 3, 4 and 5, but row 8 and column 6 hold them, which leaves them only
    // the two cells of column 7 in rows 6 and 7. No single cell or single digit shows it.
    const CellGrid grid = gridFromText(
        "..2........1.................6..83..1.....5.......24..........8....2...14...53..2");
    SolveStats stats;
    EXPECT_EQ(solveGivens(grid, &stats).count, 0);
    EXPECT_EQ(stats.nodes, 1);
}

TEST(SolverEdgeCases, ABytePastNineIsNoGrid) {
    CellGrid grid = gridFromText(knownAnswers[0].solution);
    grid[5] = 10;
    EXPECT_EQ(solveGivens(grid).count, 0);
    EXPECT_EQ(solveGivensReference(grid).count, 0);
}

TEST(SolverEdgeCases, SolvingTwiceGivesTheSameAnswer) {
    const CellGrid grid = gridFromText(knownAnswers[1].puzzle);
    const SolveResult first = solveGivens(grid);
    const SolveResult second = solveGivens(grid);
    EXPECT_EQ(first.count, second.count);
    EXPECT_EQ(first.solution, second.solution);
}

} // namespace
} // namespace korvani
