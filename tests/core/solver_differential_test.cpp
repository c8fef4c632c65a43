// The solver, its hard engines' schedule, its branching search and its clause counter each on
// their own, against the straightforward reference search on many thousands of generated grids:
// all must give the same count and, for a count of 1, the same completion. Grids on which the
// reference would run long are passed over (a bounded run), and every category checks that most of
// its grids were compared and that it met the counts it is meant to.
#include "core/solver/hard/schedule.h"
#include "core/solver/solver.h"
#include "test_grids.h"
#include "tests/support/hard_engines.h"
#include "tests/support/reference_solver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace korvani {
namespace {

using test::gridToText;
using test::Rng;

constexpr long long referenceCallBudget = 10000;

struct Tally {
    int compared = 0;
    int passedOver = 0;
    int counts[3] = {};
};

void compareOn(const CellGrid& grid, Tally& tally) {
    SolveResult reference;
    if (!solveGivensReferenceBounded(grid, referenceCallBudget, reference)) {
        ++tally.passedOver;
        return;
    }
    ++tally.compared;
    ++tally.counts[reference.count];
    // As the game runs it (the short search, or for repeated givens the hard engines); the hard
    // engines' schedule on every grid, as the game runs it and with what normally happens only
    // on hard grids (which the reference cannot finish) made to happen at once: the matching
    // check of whole units at every node, trying every candidate at every node and at the root,
    // for repeated givens the two ways of branching giving up and taking turns, and the clause
    // counter taking its turns between them a few conflicts at a time. Then the branching search
    // alone, to its end, and the clause counter alone.
    solver::ScheduleTuning everyNode;
    everyNode.unitMatchingAfterNodes = 0;
    everyNode.probeAfterNodes = 0;
    everyNode.firstAttemptNodes = 1;
    everyNode.firstAttemptNodesRepeatedGivens = 1;
    everyNode.quickAttemptNodes = 1;
    const SolveResult fast[5] = {solveGivens(grid), solver::solveInTurns(grid, nullptr),
                                 test::solveInTurnsAfterRootTries(grid, everyNode),
                                 test::countByBranching(grid, everyNode, true),
                                 test::countWithClauses(grid)};
    for (const SolveResult& result : fast) {
        ASSERT_EQ(result.count, reference.count) << gridToText(grid);
        if (reference.count == 1) {
            ASSERT_EQ(gridToText(result.solution), gridToText(reference.solution))
                << gridToText(grid);
            ASSERT_TRUE(test::isCompletionOf(grid, result.solution)) << gridToText(grid);
        }
    }
}

void runCategory(std::uint64_t seed, int grids, const std::function<CellGrid(Rng&)>& make,
                 Tally& tally) {
    Rng rng{seed};
    for (int i = 0; i < grids; ++i) {
        compareOn(make(rng), tally);
        if (testing::Test::HasFatalFailure()) return;
    }
    std::printf("compared %d, passed over %d; counts 0: %d, 1: %d, 2: %d\n", tally.compared,
                tally.passedOver, tally.counts[0], tally.counts[1], tally.counts[2]);
    EXPECT_GE(tally.compared, grids * 3 / 4) << "too many grids passed over";
}

void shuffle(Rng& rng, int order[81]) {
    for (int i = 0; i < 81; ++i) order[i] = i;
    for (int i = 80; i > 0; --i) {
        const int j = rng.below(i + 1);
        const int t = order[i];
        order[i] = order[j];
        order[j] = t;
    }
}

TEST(SolverDifferential, RandomDigitsAnywhereWithZeroTo81Givens) {
    Tally tally;
    runCategory(
        1, 1500,
        [](Rng& rng) {
            CellGrid grid{};
            const int givens = rng.below(82);
            int order[81];
            shuffle(rng, order);
            for (int i = 0; i < givens; ++i)
                grid[order[i]] = static_cast<std::uint8_t>(1 + rng.below(9));
            return grid;
        },
        tally);
    EXPECT_GT(tally.counts[0], 500);
    EXPECT_GT(tally.counts[1], 15); // full grids, whatever their digits
    EXPECT_GT(tally.counts[2], 80);
}

TEST(SolverDifferential, FullGridsWithCellsTakenAway) {
    Tally tally;
    runCategory(
        2, 1500,
        [](Rng& rng) {
            CellGrid grid = test::randomFullGrid(rng);
            const int blanks = rng.below(82);
            int order[81];
            shuffle(rng, order);
            for (int i = 0; i < blanks; ++i) grid[order[i]] = 0;
            return grid;
        },
        tally);
    EXPECT_GT(tally.counts[1], 300);
    EXPECT_GT(tally.counts[2], 400);
}

TEST(SolverDifferential, MinimalPuzzlesAndPuzzlesWithSomeCluesAdded) {
    Tally tally;
    runCategory(
        3, 1000,
        [](Rng& rng) {
            CellGrid grid = test::randomMinimalPuzzle(rng);
            const CellGrid solution = solveGivens(grid).solution;
            const int added = rng.below(3) == 0 ? 0 : rng.below(25);
            for (int i = 0; i < added; ++i) {
                const int cell = rng.below(81);
                grid[cell] = solution[cell];
            }
            // Now and then one clue too few or one wrong clue.
            const int change = rng.below(4);
            const int cell = rng.below(81);
            if (change == 1) grid[cell] = 0;
            if (change == 2) grid[cell] = static_cast<std::uint8_t>(1 + rng.below(9));
            return grid;
        },
        tally);
    EXPECT_GT(tally.counts[0], 100);
    EXPECT_GT(tally.counts[1], 500);
    EXPECT_GT(tally.counts[2], 20);
}

TEST(SolverDifferential, RepeatedGivens) {
    Tally tally;
    runCategory(
        4, 1500,
        [](Rng& rng) {
            CellGrid grid = test::randomFullGrid(rng);
            // Repeat digits within units, then take some cells away.
            const int repeats = 1 + rng.below(3);
            for (int i = 0; i < repeats; ++i) {
                const int cell = rng.below(81);
                const int kind = rng.below(3);
                const int k = rng.below(9);
                int other;
                if (kind == 0)
                    other = rowOf(cell) * 9 + k;
                else if (kind == 1)
                    other = k * 9 + columnOf(cell);
                else
                    other = 27 * (boxOf(cell) / 3) + 3 * (boxOf(cell) % 3) + 9 * (k / 3) + k % 3;
                grid[cell] = grid[other];
            }
            const int blanks = rng.below(3) == 0 ? rng.below(6) : rng.below(70);
            for (int i = 0; i < blanks; ++i) grid[rng.below(81)] = 0;
            return grid;
        },
        tally);
    EXPECT_GT(tally.counts[0], 100);
    EXPECT_GT(tally.counts[1], 100);
    EXPECT_GT(tally.counts[2], 100);
}

TEST(SolverDifferential, SparseGridsEmptiedFromSomeCellOn) {
    // Few givens, and most cells after a random point empty: many completions or a late
    // contradiction, the cases where the reference search works hardest.
    Tally tally;
    runCategory(
        5, 1500,
        [](Rng& rng) {
            CellGrid grid{};
            const bool consistent = rng.below(2) == 0;
            if (consistent) grid = test::randomFullGrid(rng);
            const int givens = rng.below(30);
            if (!consistent) {
                for (int i = 0; i < givens; ++i)
                    grid[rng.below(81)] = static_cast<std::uint8_t>(1 + rng.below(9));
            }
            const int from = rng.below(81);
            for (int cell = from; cell < 81; ++cell) {
                if (rng.below(4) != 0) grid[cell] = 0;
            }
            return grid;
        },
        tally);
    EXPECT_GT(tally.counts[0], 15);
    EXPECT_GT(tally.counts[1], 100);
    EXPECT_GT(tally.counts[2], 400);
}

} // namespace
} // namespace korvani
