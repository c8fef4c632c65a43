// The clause counter on its own: known answers, the counts of digits that loose units use, and
// runs cut into slices, which must search exactly as one run does.
#include "core/solver/hard/clause_counter.h"
#include "test_grids.h"
#include "tests/support/hard_engines.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

using solver::ClauseCounter;
using test::countWithClauses;
using test::gridFromText;
using test::gridToText;

TEST(ClauseCounter, KnownAnswers) {
    const char* const grids[][2] = {
        // Published hard puzzles and their published solutions.
        {"..............3.85..1.2.......5.7.....4...1...9.......5......73..2.1........4...9",
         "987654321246173985351928746128537694634892157795461832519286473472319568863745219"},
        {"8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..",
         "812753649943682175675491283154237896369845721287169534521974368438526917796318452"},
        // A full grid whose row 0 repeats its 8, with cells of that row emptied: its three
        // empty cells of box 2 can take exactly three digits (each must be used), then only
        // two (no completion); with two more cells emptied, one of them in column 2, the row
        // has a digit to spare (9, which may go to cell 2 but leads nowhere).
        {"887654...246173985351928746128537694634892157795461832519286473472319568863745219",
         "887654321246173985351928746128537694634892157795461832519286473472319568863745219"},
        {"887654...246173185351928746128537694634892157795461832519286473472319568863745219", ""},
        {"88.654...24617398535192874612853769463489215779546183251.286473472319568863745219",
         "887654321246173985351928746128537694634892157795461832519286473472319568863745219"},
        // No completion, hidden in units that repeat their 5s and 8s.
        {".814.....57..88......7..8892..5..4..5554...991.5.88..97.778.95.2..5..5..2..5..5..", ""},
        // No empty cell: the givens are their own completion, repeats and all.
        {"887654321246173985351928746128537694634892157795461832519286473472319568863745219",
         "887654321246173985351928746128537694634892157795461832519286473472319568863745219"},
    };
    for (const auto& grid : grids) {
        const SolveResult result = countWithClauses(gridFromText(grid[0]));
        EXPECT_EQ(result.count, grid[1][0] != '\0' ? 1 : 0) << grid[0];
        if (result.count == 1) {
            EXPECT_EQ(gridToText(result.solution), grid[1]) << grid[0];
        }
    }
    EXPECT_EQ(countWithClauses(CellGrid{}).count, 2);
}

TEST(ClauseCounter, RunsCutIntoSlicesEndAsOneRunDoes) {
    // Stopping after every conflict and going on must not change the search: the same count,
    // completion and number of conflicts as a run in one go. Between runs, the counts the
    // search keeps must agree with its trail.
    const char* const grids[] = {
        "..4...4....64..4..4....4.....52...58......66.1.87....53..9..3..3..9..3....4.56.55",
        "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..",
        "2.462.42.626.294..4..5.4...5......5.555.555625......5.4..958.344..958934.45..5544",
        ".7..7.4...111..83..7..7.4...5...7....5..9778....2...337.1....688.8...81..9....7..",
    };
    for (const char* text : grids) {
        const solver::RootCounts root = solver::rootCountsOf(gridFromText(text));
        ClauseCounter whole;
        ASSERT_TRUE(whole.start(root));
        ASSERT_TRUE(whole.run(1'000'000'000)) << text;
        ClauseCounter sliced;
        ASSERT_TRUE(sliced.start(root));
        int runs = 0;
        while (!sliced.run(1)) {
            ASSERT_LT(++runs, 1'000'000) << text;
            ASSERT_TRUE(sliced.countsMatchTrail()) << text << " after " << runs << " runs";
        }
        EXPECT_GT(runs, 5) << text;
        EXPECT_EQ(sliced.conflicts(), whole.conflicts()) << text;
        EXPECT_EQ(sliced.verdict().result.count, whole.verdict().result.count) << text;
        EXPECT_EQ(sliced.verdict().result.solution, whole.verdict().result.solution) << text;
    }
}

TEST(ClauseCounter, UnstartedOrRestartedCounters) {
    ClauseCounter counter;
    EXPECT_FALSE(counter.run(100));
    EXPECT_FALSE(counter.verdict().settled);
    // The same counter started on another grid forgets the first one.
    ASSERT_TRUE(counter.start(solver::rootCountsOf(CellGrid{})));
    ASSERT_TRUE(counter.run(1'000'000));
    EXPECT_EQ(counter.verdict().result.count, 2);
    const CellGrid puzzle = gridFromText(
        "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......");
    ASSERT_TRUE(counter.start(solver::rootCountsOf(puzzle)));
    ASSERT_TRUE(counter.run(1'000'000));
    EXPECT_EQ(counter.verdict().result.count, 1);
    EXPECT_EQ(gridToText(counter.verdict().result.solution),
              "417369825632158947958724316825437169791586432346912758289643571573291684164875293");
}

} // namespace
} // namespace korvani
