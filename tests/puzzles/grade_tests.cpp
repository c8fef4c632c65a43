// Whole puzzles through the grader: known solutions and grades, the limits of what it solves,
// and bad givens.
#include "core/solver/solver.h"
#include "hint/grader.h"
#include "tests/puzzles/puzzle_text.h"
#include "tools/puzzles/generator.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

// The usual introductory example puzzle and its published solution.
const char* const introPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const char* const introSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

TEST(GradePuzzle, IntroductoryPuzzleNeedsOnlyHiddenSingles) {
    const GradeResult r = gradePuzzle(gridFromText(introPuzzle));
    ASSERT_TRUE(r.solved);
    EXPECT_FALSE(r.contradiction);
    EXPECT_EQ(r.grid, gridFromText(introSolution));
    EXPECT_EQ(r.hardest, Technique::HiddenSingle);
    EXPECT_EQ(r.difficulty, 1);
    EXPECT_EQ(r.steps[int(Technique::HiddenSingle)], 51); // one step per empty cell
}

TEST(GradePuzzle, MissingDigitIsFoundByHiddenSinglesAlone) {
    // Every 5 taken out of a solved grid: each row then misses only the 5.
    CellGrid givens = gridFromText(introSolution);
    for (auto& v : givens) {
        if (v == 5) v = 0;
    }
    const GradeResult r = gradePuzzle(givens);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.grid, gridFromText(introSolution));
    EXPECT_EQ(r.difficulty, 1);
    EXPECT_EQ(r.steps[int(Technique::HiddenSingle)], 9);
    EXPECT_EQ(r.steps[int(Technique::NakedSingle)], 0);
}

TEST(GradePuzzle, SinglesPuzzleNeedsNoStrongerTechnique) {
    const GradeResult limited =
        gradePuzzle(gridFromText(introPuzzle), nullptr, Technique::HiddenSingle);
    EXPECT_TRUE(limited.solved);
    EXPECT_EQ(limited.grid, gridFromText(introSolution));
}

TEST(GradePuzzle, PuzzlesBeyondTheStrongestTechniqueAreNotGraded) {
    // Two famous puzzles built to defeat every pattern technique.
    for (const char* text :
         {"1.......2.9.4...5...6...7...5.9.3.......7.......85..4.7.....6...3...9.8...2.....1",
          "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4.."}) {
        const CellGrid givens = gridFromText(text);
        ASSERT_EQ(solveGivens(givens).count, 1);
        const GradeResult r = gradePuzzle(givens);
        EXPECT_FALSE(r.solved);
        EXPECT_FALSE(r.contradiction);
        EXPECT_EQ(r.difficulty, 0);
    }
}

TEST(GradePuzzle, EmptyGridIsNotSolved) {
    const GradeResult r = gradePuzzle(CellGrid{});
    EXPECT_FALSE(r.solved);
    EXPECT_FALSE(r.contradiction);
    EXPECT_EQ(r.difficulty, 0);
}

TEST(GradePuzzle, ClashingGivensAreAContradiction) {
    CellGrid givens = gridFromText(introPuzzle);
    givens[2] = 5; // a second 5 in row 0
    const GradeResult r = gradePuzzle(givens);
    EXPECT_TRUE(r.contradiction);
    EXPECT_FALSE(r.solved);
    CellGrid bad{};
    bad[0] = 10;
    EXPECT_TRUE(gradePuzzle(bad).contradiction);
}

TEST(GradePuzzle, GivensWithoutSolutionEndInContradiction) {
    // Row 0 holds 1..8 and its last cell cannot take 9, which column 8 already has.
    CellGrid givens{};
    for (int c = 0; c < 8; ++c) givens[c] = std::uint8_t(c + 1);
    givens[9 * 5 + 8] = 9;
    ASSERT_EQ(solveGivens(givens).count, 0);
    const GradeResult r = gradePuzzle(givens);
    EXPECT_TRUE(r.contradiction);
    EXPECT_FALSE(r.solved);
}

TEST(GradePuzzle, FullGridIsSolvedWithoutSteps) {
    const GradeResult r = gradePuzzle(gridFromText(introSolution));
    EXPECT_TRUE(r.solved);
    EXPECT_EQ(r.difficulty, 1);
    for (int count : r.steps) EXPECT_EQ(count, 0);
}

TEST(GradeVerdict, AgreesWithTheGraderAtEveryCeiling) {
    // Puzzles of every grade and past them from the bundled stream, the grids of the tests above
    // and each ceiling the generator stops at: the same verdict, final grid and count of every
    // technique past singles.
    std::vector<CellGrid> grids = {gridFromText(introPuzzle), CellGrid{}};
    for (std::uint64_t index = 0; index < 400; ++index)
        grids.push_back(generatePuzzle(bundledSeed, index));
    CellGrid clash = gridFromText(introPuzzle);
    clash[2] = 5;
    grids.push_back(clash);
    for (const CellGrid& givens : grids) {
        for (Technique ceiling : {Technique::LockedCandidates, Technique::HiddenPair,
                                  Technique::HiddenQuad, Technique::XWing, Technique::XYChain}) {
            const GradeResult full = gradePuzzle(givens, nullptr, ceiling);
            const GradeResult quick = gradeVerdict(givens, ceiling);
            EXPECT_EQ(quick.solved, full.solved);
            EXPECT_EQ(quick.contradiction, full.contradiction);
            EXPECT_EQ(quick.hardest, full.hardest);
            EXPECT_EQ(quick.difficulty, full.difficulty);
            EXPECT_EQ(quick.grid, full.grid);
            for (int t = int(Technique::LockedCandidates); t < techniqueCount; ++t)
                EXPECT_EQ(quick.steps[t], full.steps[t]);
        }
    }
}

} // namespace
} // namespace korvani
