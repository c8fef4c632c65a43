// Pencil-mark positions built by hand, each holding one pattern whose deductions are known: the
// grader must find exactly those, with exactly that technique, and no easier technique may apply.
#include "tools/puzzles/grader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <tuple>
#include <vector>

namespace korvani {
namespace {

constexpr int at(int row, int column) {
    return row * 9 + column;
}

// Every cell empty with all nine candidates: no technique applies until a test takes some away.
PencilGrid openGrid() {
    PencilGrid grid;
    grid.candidates.fill(allDigits);
    return grid;
}

void removeCandidate(PencilGrid& grid, int cell, int digit) {
    grid.candidates[cell] &= DigitMask(~maskOfDigit(digit));
}

// Keeps the digit in the unit's cells that are listed, removes it from the others.
void keepOnly(PencilGrid& grid, int unit, int digit, std::initializer_list<int> keep) {
    for (std::uint8_t cell : unitCells[unit]) {
        if (std::find(keep.begin(), keep.end(), cell) == keep.end())
            removeCandidate(grid, cell, digit);
    }
}

void setCandidates(PencilGrid& grid, int cell, std::initializer_list<int> digits) {
    grid.candidates[cell] = 0;
    for (int d : digits) grid.candidates[cell] |= maskOfDigit(d);
}

using Removal = std::pair<int, int>; // cell, digit

std::vector<Removal> removals(const std::vector<Deduction>& trace) {
    std::vector<Removal> out;
    for (const Deduction& d : trace) {
        EXPECT_FALSE(d.placement);
        out.emplace_back(d.cell, d.digit);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Takes one step and checks which technique it used and what it removed.
void expectStep(PencilGrid grid, Technique expected, std::vector<Removal> expectedRemovals) {
    std::vector<Deduction> trace;
    Technique used = Technique::HiddenSingle;
    ASSERT_TRUE(applyEasiestTechnique(grid, Technique::XYChain, used, &trace));
    EXPECT_EQ(used, expected) << techniqueName(used);
    for (const Deduction& d : trace) EXPECT_EQ(d.technique, expected);
    std::sort(expectedRemovals.begin(), expectedRemovals.end());
    EXPECT_EQ(removals(trace), expectedRemovals);
}

TEST(GraderTechniques, OpenGridHasNoDeduction) {
    PencilGrid grid = openGrid();
    Technique used;
    EXPECT_FALSE(applyEasiestTechnique(grid, Technique::XYChain, used));
}

TEST(GraderTechniques, HiddenSingleInBox) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 18 + 4, 4, {at(4, 4)}); // 4 fits only the centre of the centre box
    std::vector<Deduction> trace;
    Technique used;
    ASSERT_TRUE(applyEasiestTechnique(grid, Technique::XYChain, used, &trace));
    EXPECT_EQ(used, Technique::HiddenSingle);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_TRUE(trace[0].placement);
    EXPECT_EQ(trace[0].cell, at(4, 4));
    EXPECT_EQ(trace[0].digit, 4);
    EXPECT_EQ(grid.values[at(4, 4)], 4);
    EXPECT_EQ(grid.candidates[at(4, 0)] & maskOfDigit(4), 0); // its row lost the digit
    EXPECT_EQ(grid.candidates[at(0, 4)] & maskOfDigit(4), 0); // and its column
}

TEST(GraderTechniques, NakedSingleWhenNoHiddenSingleExists) {
    PencilGrid grid = openGrid();
    setCandidates(grid, at(2, 6), {7}); // every digit still has several places in every unit
    std::vector<Deduction> trace;
    Technique used;
    ASSERT_TRUE(applyEasiestTechnique(grid, Technique::XYChain, used, &trace));
    EXPECT_EQ(used, Technique::NakedSingle);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].cell, at(2, 6));
    EXPECT_EQ(trace[0].digit, 7);
}

TEST(GraderTechniques, PointingClearsTheRestOfTheRow) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 18 + 0, 7, {at(1, 0), at(1, 1), at(1, 2)});
    std::vector<Removal> expected;
    for (int c = 3; c < 9; ++c) expected.emplace_back(at(1, c), 7);
    expectStep(grid, Technique::LockedCandidates, expected);
}

TEST(GraderTechniques, ClaimingClearsTheRestOfTheBox) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 1, 7, {at(1, 0), at(1, 1), at(1, 2)}); // row 1
    std::vector<Removal> expected;
    for (int r : {0, 2}) {
        for (int c = 0; c < 3; ++c) expected.emplace_back(at(r, c), 7);
    }
    expectStep(grid, Technique::LockedCandidates, expected);
}

TEST(GraderTechniques, NakedPairInRow) {
    PencilGrid grid = openGrid();
    setCandidates(grid, at(0, 0), {2, 6});
    setCandidates(grid, at(0, 5), {2, 6});
    std::vector<Removal> expected;
    for (int c : {1, 2, 3, 4, 6, 7, 8}) {
        expected.emplace_back(at(0, c), 2);
        expected.emplace_back(at(0, c), 6);
    }
    expectStep(grid, Technique::NakedPair, expected);
}

TEST(GraderTechniques, HiddenPairInRow) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 0, 3, {at(0, 1), at(0, 6)});
    keepOnly(grid, 0, 8, {at(0, 1), at(0, 6)});
    std::vector<Removal> expected;
    for (int cell : {at(0, 1), at(0, 6)}) {
        for (int d : {1, 2, 4, 5, 6, 7, 9}) expected.emplace_back(cell, d);
    }
    expectStep(grid, Technique::HiddenPair, expected);
}

TEST(GraderTechniques, NakedTripleInRow) {
    PencilGrid grid = openGrid();
    setCandidates(grid, at(0, 0), {1, 2});
    setCandidates(grid, at(0, 4), {2, 3});
    setCandidates(grid, at(0, 8), {1, 3});
    std::vector<Removal> expected;
    for (int c : {1, 2, 3, 5, 6, 7}) {
        for (int d : {1, 2, 3}) expected.emplace_back(at(0, c), d);
    }
    expectStep(grid, Technique::NakedTriple, expected);
}

TEST(GraderTechniques, HiddenTripleInRow) {
    PencilGrid grid = openGrid();
    // 4, 5 and 6 fit only cells 1, 4 and 7 of row 0, and no two of them share two places.
    keepOnly(grid, 0, 4, {at(0, 1), at(0, 4), at(0, 7)});
    keepOnly(grid, 0, 5, {at(0, 1), at(0, 4)});
    keepOnly(grid, 0, 6, {at(0, 4), at(0, 7)});
    std::vector<Removal> expected;
    for (int cell : {at(0, 1), at(0, 4), at(0, 7)}) {
        for (int d : {1, 2, 3, 7, 8, 9}) expected.emplace_back(cell, d);
    }
    expectStep(grid, Technique::HiddenTriple, expected);
}

TEST(GraderTechniques, XWingOnRows) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 1, 5, {at(1, 2), at(1, 7)});
    keepOnly(grid, 4, 5, {at(4, 2), at(4, 7)});
    std::vector<Removal> expected;
    for (int r : {0, 2, 3, 5, 6, 7, 8}) {
        expected.emplace_back(at(r, 2), 5);
        expected.emplace_back(at(r, 7), 5);
    }
    expectStep(grid, Technique::XWing, expected);
}

TEST(GraderTechniques, XWingOnColumns) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 9 + 0, 9, {at(2, 0), at(6, 0)});
    keepOnly(grid, 9 + 5, 9, {at(2, 5), at(6, 5)});
    std::vector<Removal> expected;
    for (int c : {1, 2, 3, 4, 6, 7, 8}) {
        expected.emplace_back(at(2, c), 9);
        expected.emplace_back(at(6, c), 9);
    }
    expectStep(grid, Technique::XWing, expected);
}

TEST(GraderTechniques, SwordfishOnRows) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 0, 9, {at(0, 1), at(0, 4)});
    keepOnly(grid, 4, 9, {at(4, 4), at(4, 7)});
    keepOnly(grid, 8, 9, {at(8, 1), at(8, 7)});
    std::vector<Removal> expected;
    for (int r : {1, 2, 3, 5, 6, 7}) {
        for (int c : {1, 4, 7}) expected.emplace_back(at(r, c), 9);
    }
    expectStep(grid, Technique::Swordfish, expected);
}

TEST(GraderTechniques, XYWing) {
    PencilGrid grid = openGrid();
    setCandidates(grid, at(0, 0), {1, 2}); // pivot
    setCandidates(grid, at(0, 4), {1, 3}); // pincer in its row
    setCandidates(grid, at(3, 0), {2, 3}); // pincer in its column
    expectStep(grid, Technique::XYWing, {{at(3, 4), 3}});
}

TEST(GraderTechniques, XYZWing) {
    PencilGrid grid = openGrid();
    setCandidates(grid, at(0, 0), {1, 2, 3}); // pivot
    setCandidates(grid, at(0, 4), {1, 3});
    setCandidates(grid, at(1, 1), {2, 3});
    expectStep(grid, Technique::XYZWing, {{at(0, 1), 3}, {at(0, 2), 3}});
}

TEST(GraderTechniques, SimpleColouringWrap) {
    PencilGrid grid = openGrid();
    // Conjugate pairs of 3: row 0 (c0, c4), column 4 (r0, r4), row 4 (c4, c1), column 1 (r4, r1).
    // Colouring alternates along r0c0, r0c4, r4c4, r4c1, r1c1: r0c0 and r1c1 share a colour and
    // a box, so that colour is false.
    keepOnly(grid, 0, 3, {at(0, 0), at(0, 4)});
    keepOnly(grid, 9 + 4, 3, {at(0, 4), at(4, 4)});
    keepOnly(grid, 4, 3, {at(4, 4), at(4, 1)});
    keepOnly(grid, 9 + 1, 3, {at(4, 1), at(1, 1)});
    expectStep(grid, Technique::SimpleColouring, {{at(0, 0), 3}, {at(4, 4), 3}, {at(1, 1), 3}});
}

TEST(GraderTechniques, SimpleColouringTrap) {
    PencilGrid grid = openGrid();
    // One cluster of 6: r0c0 = r4c0 (column 0), r4c0 = r4c5 (row 4), r4c5 = r1c5 (column 5).
    // r0c0 and r1c5 have opposite colours, so a cell that sees both cannot hold 6.
    keepOnly(grid, 9 + 0, 6, {at(0, 0), at(4, 0)});
    keepOnly(grid, 4, 6, {at(4, 0), at(4, 5)});
    keepOnly(grid, 9 + 5, 6, {at(4, 5), at(1, 5)});
    expectStep(grid, Technique::SimpleColouring,
               {{at(0, 3), 6}, {at(0, 4), 6}, {at(1, 1), 6}, {at(1, 2), 6}});
}

TEST(GraderTechniques, XChainSkyscraper) {
    PencilGrid grid = openGrid();
    // 6 in column 1 only at rows 0 and 6, in column 4 only at rows 2 and 6: r0c1 or r2c4 holds
    // it, so the cells that see both do not.
    keepOnly(grid, 9 + 1, 6, {at(0, 1), at(6, 1)});
    keepOnly(grid, 9 + 4, 6, {at(2, 4), at(6, 4)});
    expectStep(grid, Technique::XChain,
               {{at(0, 3), 6}, {at(0, 5), 6}, {at(2, 0), 6}, {at(2, 2), 6}});
}

TEST(GraderTechniques, XYChainOfFourCells) {
    PencilGrid grid = openGrid();
    setCandidates(grid, at(0, 0), {1, 2});
    setCandidates(grid, at(0, 5), {2, 3});
    setCandidates(grid, at(4, 5), {3, 4});
    setCandidates(grid, at(4, 8), {4, 1});
    expectStep(grid, Technique::XYChain, {{at(0, 8), 1}, {at(4, 0), 1}});
}

TEST(GraderTechniques, EasierTechniqueWinsOverHarderOne) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 1, 5, {at(1, 2), at(1, 7)}); // an X-wing of 5 ...
    keepOnly(grid, 4, 5, {at(4, 2), at(4, 7)});
    setCandidates(grid, at(8, 0), {2, 6}); // ... and a naked pair in row 8
    setCandidates(grid, at(8, 5), {2, 6});
    Technique used;
    ASSERT_TRUE(applyEasiestTechnique(grid, Technique::XYChain, used));
    EXPECT_EQ(used, Technique::NakedPair);
}

TEST(GraderTechniques, StrongestLimitIsRespected) {
    PencilGrid grid = openGrid();
    keepOnly(grid, 1, 5, {at(1, 2), at(1, 7)});
    keepOnly(grid, 4, 5, {at(4, 2), at(4, 7)});
    Technique used;
    PencilGrid copy = grid;
    EXPECT_FALSE(applyEasiestTechnique(copy, Technique::HiddenQuad, used));
    EXPECT_EQ(copy.candidates, grid.candidates);
    EXPECT_TRUE(applyEasiestTechnique(copy, Technique::XWing, used));
}

TEST(GraderTechniques, DifficultyRisesWithTheTechnique) {
    EXPECT_EQ(techniqueDifficulty(Technique::HiddenSingle), 1);
    EXPECT_EQ(techniqueDifficulty(Technique::XYChain), 9);
    for (int t = 1; t < techniqueCount; ++t) {
        EXPECT_LE(techniqueDifficulty(Technique(t - 1)), techniqueDifficulty(Technique(t)))
            << techniqueName(Technique(t));
    }
}

} // namespace
} // namespace korvani
