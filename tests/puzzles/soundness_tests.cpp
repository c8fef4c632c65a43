// Soundness of the grader on thousands of puzzles: every digit it places and every candidate it
// removes must agree with the only solution (found by the game's solver), and a puzzle it solves
// must have exactly one solution.
#include "core/solver/solver.h"
#include "hint/grader.h"
#include "tests/puzzles/puzzle_text.h"
#include "tools/puzzles/generator.h"

#include <gtest/gtest.h>

#include <string>

namespace korvani {
namespace {

struct SetTally {
    int puzzles = 0;
    int solved = 0;
    int deductions = 0;
    int techniquesSeen = 0; // bit t: technique t made at least one deduction
};

void checkPuzzle(const CellGrid& givens, SetTally& tally) {
    const SolveResult truth = solveGivens(givens);
    std::vector<Deduction> trace;
    const GradeResult graded = gradePuzzle(givens, &trace);
    ++tally.puzzles;
    if (graded.solved) {
        ++tally.solved;
        ASSERT_EQ(truth.count, 1);
        ASSERT_EQ(graded.grid, truth.solution);
    }
    if (truth.count != 1) return;
    EXPECT_FALSE(graded.contradiction);
    for (const Deduction& d : trace) {
        ++tally.deductions;
        tally.techniquesSeen |= 1 << int(d.technique);
        if (d.placement) {
            ASSERT_EQ(d.digit, truth.solution[d.cell]) << techniqueName(d.technique);
        } else {
            ASSERT_NE(d.digit, truth.solution[d.cell]) << techniqueName(d.technique);
        }
    }
}

SetTally checkSet(const char* fileName) {
    SetTally tally;
    const std::vector<CellGrid> puzzles =
        readPuzzleSet(std::string(KORVANI_PUZZLE_SETS_DIR) + "/" + fileName);
    EXPECT_GT(puzzles.size(), 300u) << fileName;
    for (const CellGrid& givens : puzzles) {
        checkPuzzle(givens, tally);
        if (testing::Test::HasFatalFailure()) break;
    }
    return tally;
}

TEST(GraderSoundness, SeventeenCluePuzzles) {
    const SetTally t = checkSet("17-clue-first-2000.txt");
    EXPECT_GT(t.solved, 1000); // most of them need no more than locked candidates and pairs
}

TEST(GraderSoundness, Top1465) {
    const SetTally t = checkSet("top1465.txt");
    EXPECT_GT(t.deductions, 10000);
}

TEST(GraderSoundness, ForumHardest2011) {
    // Built to defeat pattern techniques: the grader solves none, but what it does is sound.
    const SetTally t = checkSet("forum-hardest-1106.txt");
    EXPECT_EQ(t.solved, 0);
}

TEST(GraderSoundness, ForumHardest2019) {
    const SetTally t = checkSet("forum-hardest-1905-11plus-first-2000.txt");
    EXPECT_EQ(t.solved, 0);
}

TEST(GraderSoundness, GeneratedPuzzlesUseEveryTechnique) {
    SetTally tally;
    for (std::uint64_t i = 0; i < 3000 && !testing::Test::HasFatalFailure(); ++i) {
        checkPuzzle(generatePuzzle(bundledSeed, i), tally);
    }
    EXPECT_EQ(tally.puzzles, 3000);
    // Everything except the rarest subset and fish sizes shows up in this many puzzles.
    for (Technique t :
         {Technique::HiddenSingle, Technique::NakedSingle, Technique::LockedCandidates,
          Technique::NakedPair, Technique::HiddenPair, Technique::NakedTriple, Technique::XWing,
          Technique::XYWing, Technique::XYZWing, Technique::Swordfish, Technique::SimpleColouring,
          Technique::XChain, Technique::XYChain}) {
        EXPECT_TRUE(tally.techniquesSeen & (1 << int(t))) << techniqueName(t);
    }
}

} // namespace
} // namespace korvani
