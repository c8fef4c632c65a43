// Every made puzzle has one solution, exactly the asked grade, all nine digits and is minimal
// (for the half-turn symmetry when asked); a seed gives the same puzzles on 1 or 4 threads; a
// cancelled set stops at once and keeps only puzzles of the uncancelled set.
#include "core/solver/solver.h"
#include "generate/digging.h"
#include "generate/puzzle_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace korvani {
namespace {

// The first pair (cell, mirror) or single cell whose removal keeps one solution, or -1.
int removableGiven(const CellGrid& givens, bool symmetric) {
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] == 0) continue;
        CellGrid fewer = givens;
        fewer[cell] = 0;
        if (symmetric) fewer[80 - cell] = 0;
        if (solveGivens(fewer).count == 1) return cell;
    }
    return -1;
}

void expectMadeAsAsked(const std::vector<GeneratedPuzzle>& puzzles, int grade, bool symmetric) {
    for (const GeneratedPuzzle& p : puzzles) {
        SCOPED_TRACE(testing::Message() << "grade " << grade << " number " << p.index);
        EXPECT_EQ(solveGivens(p.givens).count, 1);
        EXPECT_EQ(gradePuzzle(p.givens).difficulty, grade);
        EXPECT_TRUE(showsEveryDigit(p.givens));
        if (symmetric) {
            for (int cell = 0; cell < 81; ++cell)
                EXPECT_EQ(p.givens[cell] == 0, p.givens[80 - cell] == 0) << cell;
        }
        EXPECT_EQ(removableGiven(p.givens, symmetric), -1);
    }
    for (std::size_t k = 1; k < puzzles.size(); ++k)
        EXPECT_FALSE(easierThan(puzzles[k], puzzles[k - 1]));
}

class EveryGrade : public testing::TestWithParam<int> {};

TEST_P(EveryGrade, TwentyPuzzlesSymmetricAndFiveWithout) {
    const int grade = GetParam();
    const std::atomic<bool> never{false};
    const std::vector<GeneratedPuzzle> symmetric =
        makePuzzleSet({20240605, grade, true}, 20, 2, never);
    ASSERT_EQ(symmetric.size(), 20u);
    expectMadeAsAsked(symmetric, grade, true);
    const std::vector<GeneratedPuzzle> free = makePuzzleSet({7, grade, false}, 5, 2, never);
    ASSERT_EQ(free.size(), 5u);
    expectMadeAsAsked(free, grade, false);
}

INSTANTIATE_TEST_SUITE_P(Generator, EveryGrade, testing::Range(1, 10));

TEST(Generator, SameSeedSamePuzzlesOnOneOrFourThreads) {
    const std::atomic<bool> never{false};
    for (bool symmetric : {true, false}) {
        const PuzzleRequest request{99, 4, symmetric};
        const std::vector<GeneratedPuzzle> one = makePuzzleSet(request, 8, 1, never);
        const std::vector<GeneratedPuzzle> four = makePuzzleSet(request, 8, 4, never);
        ASSERT_EQ(one.size(), 8u);
        ASSERT_EQ(four.size(), 8u);
        for (std::size_t k = 0; k < one.size(); ++k) {
            EXPECT_EQ(one[k].givens, four[k].givens);
            EXPECT_EQ(one[k].index, four[k].index);
        }
        const std::vector<GeneratedPuzzle> other = makePuzzleSet({100, 4, symmetric}, 8, 1, never);
        EXPECT_NE(one[0].givens, other[0].givens);
    }
}

TEST(Generator, CancellingStopsAndKeepsOnlyPuzzlesOfTheFullSet) {
    std::atomic<bool> cancelled{true};
    EXPECT_TRUE(makePuzzleSet({5, 5, true}, 30, 2, cancelled).empty());

    // Grade 5 is the slowest to find: 30 of them take far longer than the wait below.
    cancelled = false;
    PuzzleBatch batch({5, 5, true}, 30);
    std::atomic<int> done{0};
    std::thread worker([&] { workOnBatch(batch, cancelled, done); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    cancelled = true;
    worker.join();
    const std::vector<GeneratedPuzzle> kept = madePuzzles(batch);
    EXPECT_EQ(int(kept.size()), done.load());
    EXPECT_LT(kept.size(), 30u);
    for (const GeneratedPuzzle& p : kept) {
        GeneratedPuzzle again;
        ASSERT_TRUE(makePuzzle(batch.request, p.index, nullptr, again));
        EXPECT_EQ(again.givens, p.givens);
    }
}

} // namespace
} // namespace korvani
