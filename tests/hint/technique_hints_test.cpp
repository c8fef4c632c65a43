// Positions built by hand in the player's notes, each holding one pattern whose deductions are
// known: the hint must name exactly that technique and those targets, no easier technique may
// apply, the step once applied must keep a completion of the notes, and its explanation must be
// the technique's own.
#include "tests/hint/hint_test_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace korvani {
namespace {

constexpr int at(int row, int column) {
    return row * 9 + column;
}

// No givens and every cell noted with all nine digits: nothing applies until a test takes
// some away.
NoteGrid openNotes() {
    NoteGrid notes;
    notes.fill(allDigits);
    return notes;
}

// Keeps the digit in the unit's cells that are listed, removes it from the others.
void keepOnly(NoteGrid& notes, int unit, int digit, std::initializer_list<int> keep) {
    for (int i = 0; i < 9; ++i) {
        const int cell = unitCellAt(unit, i);
        if (std::find(keep.begin(), keep.end(), cell) == keep.end())
            notes[cell] &= DigitMask(~maskOfDigit(digit));
    }
}

void setNotes(NoteGrid& notes, int cell, std::initializer_list<int> digits) {
    notes[cell] = 0;
    for (int d : digits) notes[cell] |= maskOfDigit(d);
}

// A completion of the notes: a valid grid whose every digit is noted in its cell. Branches on
// the cell or the unit's digit with the fewest options, so that it stays quick on open grids.
bool complete(CellGrid& grid, const NoteGrid& notes) {
    int bestCount = 10, bestCell = -1, bestUnit = -1, bestDigit = 0;
    DigitMask bestOptions = 0;
    for (int cell = 0; cell < 81; ++cell) {
        if (grid[cell] != 0) continue;
        const DigitMask options = DigitMask(notes[cell] & allowedDigits(grid, cell));
        if (bitCount(options) < bestCount) {
            bestCount = bitCount(options);
            bestCell = cell;
            bestOptions = options;
        }
    }
    if (bestCell < 0) return true;
    for (int unit = 0; unit < unitCount && bestCount > 1; ++unit) {
        for (int digit = 1; digit <= 9; ++digit) {
            int places = 0;
            bool placed = false;
            for (int i = 0; i < 9; ++i) {
                const int cell = unitCellAt(unit, i);
                placed |= grid[cell] == digit;
                places += grid[cell] == 0 &&
                          (notes[cell] & allowedDigits(grid, cell) & maskOfDigit(digit));
            }
            if (!placed && places < bestCount) {
                bestCount = places;
                bestUnit = unit;
                bestDigit = digit;
            }
        }
    }
    if (bestCount == 0) return false;
    if (bestUnit < 0) {
        for (int digit = 1; digit <= 9; ++digit) {
            if (!(bestOptions & maskOfDigit(digit))) continue;
            grid[bestCell] = std::uint8_t(digit);
            if (complete(grid, notes)) return true;
        }
        grid[bestCell] = 0;
        return false;
    }
    for (int i = 0; i < 9; ++i) {
        const int cell = unitCellAt(bestUnit, i);
        if (grid[cell] != 0 || !(notes[cell] & allowedDigits(grid, cell) & maskOfDigit(bestDigit)))
            continue;
        grid[cell] = std::uint8_t(bestDigit);
        if (complete(grid, notes)) return true;
        grid[cell] = 0;
    }
    return false;
}

using Change = std::pair<int, int>; // cell, digit

// The hint for the notes, checked against the technique and the placement or removals expected.
Hint expectHint(const NoteGrid& notes, Technique technique, bool placement,
                std::vector<Change> expected) {
    CellGrid solution{};
    EXPECT_TRUE(complete(solution, notes)) << "the position has no completion";
    const CellGrid none{};
    const Hint hint = findHint(none, solution, none, notes);
    EXPECT_EQ(hint.kind, placement ? HintKind::Place : HintKind::Remove);
    EXPECT_EQ(hint.step.technique, technique) << techniqueName(hint.step.technique);

    std::vector<Change> changes;
    CellSet cells;
    if (hint.kind == HintKind::Place) {
        changes.emplace_back(hint.step.cell, hint.step.digit);
        cells.add(hint.step.cell);
    }
    for (int cell = 0; cell < 81; ++cell) {
        for (int digit = 1; digit <= 9; ++digit) {
            if (hint.step.removed[cell] & maskOfDigit(digit)) {
                changes.emplace_back(cell, digit);
                cells.add(cell);
            }
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(hint.targets, cells);

    // Applied, the step keeps the completion, and the next hint moves on.
    CellGrid user{};
    NoteGrid after = notes;
    EXPECT_TRUE(applyHint(hint, none, user, after));
    for (int cell = 0; cell < 81; ++cell) {
        if (user[cell] != 0) {
            EXPECT_EQ(user[cell], solution[cell]);
        } else {
            EXPECT_TRUE(after[cell] & maskOfDigit(solution[cell])) << "cell " << cell;
        }
    }
    const Hint next = findHint(none, solution, user, after);
    EXPECT_FALSE(next.kind == hint.kind && next.targets == hint.targets &&
                 next.step.removed == hint.step.removed && next.step.digit == hint.step.digit);

    const std::string name = "（" + std::string(techniqueJapaneseName(technique)) + "）";
    const std::string explanation = hintText(hint);
    EXPECT_GT(explanation.size(), name.size() + 20);
    EXPECT_EQ(explanation.substr(explanation.size() - name.size()), name) << explanation;
    return hint;
}

TEST(TechniqueHints, OpenGridIsStuck) {
    const CellGrid none{};
    CellGrid solution{};
    ASSERT_TRUE(complete(solution, openNotes()));
    const Hint hint = findHint(none, solution, none, openNotes());
    EXPECT_EQ(hint.kind, HintKind::Stuck);
    EXPECT_EQ(hintText(hint), "論理的に進められる手が見つかりません");
}

TEST(TechniqueHints, HiddenSingleInRow) {
    NoteGrid notes = openNotes();
    keepOnly(notes, 2, 5, {at(2, 6)}); // every box still has several places for 5
    const Hint hint = expectHint(notes, Technique::HiddenSingle, true, {{at(2, 6), 5}});
    EXPECT_EQ(hintText(hint), "3行目で 5 が入るのは 3行7列だけです（隠れたシングル）");
    EXPECT_EQ(hint.step.pattern.count(), 9); // the row
    EXPECT_TRUE(hint.step.pattern.has(at(2, 0)));
}

TEST(TechniqueHints, NakedSingle) {
    NoteGrid notes = openNotes();
    setNotes(notes, at(2, 6), {7});
    expectHint(notes, Technique::NakedSingle, true, {{at(2, 6), 7}});
}

TEST(TechniqueHints, PointingClearsTheRestOfTheRow) {
    NoteGrid notes = openNotes();
    keepOnly(notes, 18 + 0, 7, {at(1, 0), at(1, 1), at(1, 2)});
    std::vector<Change> expected;
    for (int c = 3; c < 9; ++c) expected.emplace_back(at(1, c), 7);
    const Hint hint = expectHint(notes, Technique::LockedCandidates, false, expected);
    EXPECT_EQ(hintText(hint), "左上のブロックの 7 は 2行目にしかないので、2行目のほかのマスから "
                              "7 を消せます（ロックされた候補）");
}

TEST(TechniqueHints, ClaimingClearsTheRestOfTheBox) {
    NoteGrid notes = openNotes();
    keepOnly(notes, 1, 7, {at(1, 0), at(1, 1), at(1, 2)}); // row 1
    std::vector<Change> expected;
    for (int r : {0, 2}) {
        for (int c = 0; c < 3; ++c) expected.emplace_back(at(r, c), 7);
    }
    expectHint(notes, Technique::LockedCandidates, false, expected);
}

TEST(TechniqueHints, NakedPairInRow) {
    NoteGrid notes = openNotes();
    setNotes(notes, at(0, 0), {2, 6});
    setNotes(notes, at(0, 5), {2, 6});
    std::vector<Change> expected;
    for (int c : {1, 2, 3, 4, 6, 7, 8}) {
        expected.emplace_back(at(0, c), 2);
        expected.emplace_back(at(0, c), 6);
    }
    const Hint hint = expectHint(notes, Technique::NakedPair, false, expected);
    EXPECT_EQ(hintText(hint), "1行目の 1行1列と1行6列には 2・6 しか入らないので、1行目のほかの"
                              "マスから 2・6 を消せます（裸のペア）");
}

TEST(TechniqueHints, HiddenPairInRow) {
    NoteGrid notes = openNotes();
    keepOnly(notes, 0, 3, {at(0, 1), at(0, 6)});
    keepOnly(notes, 0, 8, {at(0, 1), at(0, 6)});
    std::vector<Change> expected;
    for (int cell : {at(0, 1), at(0, 6)}) {
        for (int d : {1, 2, 4, 5, 6, 7, 9}) expected.emplace_back(cell, d);
    }
    expectHint(notes, Technique::HiddenPair, false, expected);
}

TEST(TechniqueHints, NakedTripleInRow) {
    NoteGrid notes = openNotes();
    setNotes(notes, at(0, 0), {1, 2});
    setNotes(notes, at(0, 4), {2, 3});
    setNotes(notes, at(0, 8), {1, 3});
    std::vector<Change> expected;
    for (int c : {1, 2, 3, 5, 6, 7}) {
        for (int d : {1, 2, 3}) expected.emplace_back(at(0, c), d);
    }
    expectHint(notes, Technique::NakedTriple, false, expected);
}

TEST(TechniqueHints, HiddenTripleInRow) {
    NoteGrid notes = openNotes();
    // 4, 5 and 6 fit only cells 1, 4 and 7 of row 0, and no two of them share two places.
    keepOnly(notes, 0, 4, {at(0, 1), at(0, 4), at(0, 7)});
    keepOnly(notes, 0, 5, {at(0, 1), at(0, 4)});
    keepOnly(notes, 0, 6, {at(0, 4), at(0, 7)});
    std::vector<Change> expected;
    for (int cell : {at(0, 1), at(0, 4), at(0, 7)}) {
        for (int d : {1, 2, 3, 7, 8, 9}) expected.emplace_back(cell, d);
    }
    expectHint(notes, Technique::HiddenTriple, false, expected);
}

TEST(TechniqueHints, NakedQuadInRow) {
    NoteGrid notes = openNotes();
    // Every three of the four cells together hold all four digits: no smaller subset.
    setNotes(notes, at(0, 0), {1, 2});
    setNotes(notes, at(0, 2), {2, 3});
    setNotes(notes, at(0, 4), {3, 4});
    setNotes(notes, at(0, 6), {4, 1});
    std::vector<Change> expected;
    for (int c : {1, 3, 5, 7, 8}) {
        for (int d : {1, 2, 3, 4}) expected.emplace_back(at(0, c), d);
    }
    expectHint(notes, Technique::NakedQuad, false, expected);
}

TEST(TechniqueHints, HiddenQuadInRow) {
    NoteGrid notes = openNotes();
    // 1 to 4 fit only cells 0, 3, 6 and 7 of row 0, each in three of them, each across two
    // boxes: no smaller hidden subset and no locked candidate.
    keepOnly(notes, 0, 1, {at(0, 0), at(0, 3), at(0, 6)});
    keepOnly(notes, 0, 2, {at(0, 3), at(0, 6), at(0, 7)});
    keepOnly(notes, 0, 3, {at(0, 6), at(0, 7), at(0, 0)});
    keepOnly(notes, 0, 4, {at(0, 7), at(0, 0), at(0, 3)});
    std::vector<Change> expected;
    for (int c : {0, 3, 6, 7}) {
        for (int d : {5, 6, 7, 8, 9}) expected.emplace_back(at(0, c), d);
    }
    expectHint(notes, Technique::HiddenQuad, false, expected);
}

TEST(TechniqueHints, XWingOnRows) {
    NoteGrid notes = openNotes();
    keepOnly(notes, 1, 7, {at(1, 3), at(1, 7)});
    keepOnly(notes, 5, 7, {at(5, 3), at(5, 7)});
    std::vector<Change> expected;
    for (int r : {0, 2, 3, 4, 6, 7, 8}) {
        expected.emplace_back(at(r, 3), 7);
        expected.emplace_back(at(r, 7), 7);
    }
    const Hint hint = expectHint(notes, Technique::XWing, false, expected);
    EXPECT_EQ(hintText(hint), "2行目と6行目の 7 は 4列と8列にしかないので、ほかのマスの "
                              "4列・8列から 7 を消せます（X-Wing）");
    EXPECT_EQ(hint.step.pattern.count(), 4);
}

TEST(TechniqueHints, XWingOnColumns) {
    NoteGrid notes = openNotes();
    keepOnly(notes, 9 + 0, 9, {at(2, 0), at(6, 0)});
    keepOnly(notes, 9 + 5, 9, {at(2, 5), at(6, 5)});
    std::vector<Change> expected;
    for (int c : {1, 2, 3, 4, 6, 7, 8}) {
        expected.emplace_back(at(2, c), 9);
        expected.emplace_back(at(6, c), 9);
    }
    expectHint(notes, Technique::XWing, false, expected);
}

TEST(TechniqueHints, SwordfishOnRows) {
    NoteGrid notes = openNotes();
    keepOnly(notes, 0, 9, {at(0, 1), at(0, 4)});
    keepOnly(notes, 4, 9, {at(4, 4), at(4, 7)});
    keepOnly(notes, 8, 9, {at(8, 1), at(8, 7)});
    std::vector<Change> expected;
    for (int r : {1, 2, 3, 5, 6, 7}) {
        for (int c : {1, 4, 7}) expected.emplace_back(at(r, c), 9);
    }
    expectHint(notes, Technique::Swordfish, false, expected);
}

TEST(TechniqueHints, JellyfishOnRows) {
    NoteGrid notes = openNotes();
    // Four rows with 9 in three of the columns 0, 3, 6 and 8 each; any three rows use all four
    // columns, so there is no smaller fish.
    keepOnly(notes, 0, 9, {at(0, 0), at(0, 3), at(0, 6)});
    keepOnly(notes, 3, 9, {at(3, 3), at(3, 6), at(3, 8)});
    keepOnly(notes, 5, 9, {at(5, 6), at(5, 8), at(5, 0)});
    keepOnly(notes, 8, 9, {at(8, 8), at(8, 0), at(8, 3)});
    std::vector<Change> expected;
    for (int r : {1, 2, 4, 6, 7}) {
        for (int c : {0, 3, 6, 8}) expected.emplace_back(at(r, c), 9);
    }
    expectHint(notes, Technique::Jellyfish, false, expected);
}

TEST(TechniqueHints, XYWing) {
    NoteGrid notes = openNotes();
    setNotes(notes, at(0, 0), {1, 2}); // pivot
    setNotes(notes, at(0, 4), {1, 3}); // pincer in its row
    setNotes(notes, at(3, 0), {2, 3}); // pincer in its column
    const Hint hint = expectHint(notes, Technique::XYWing, false, {{at(3, 4), 3}});
    EXPECT_EQ(hintText(hint), "1行1列が 1 なら 1行5列が、2 なら 4行1列が 3 になるので、その両方"
                              "と同じ行・列・ブロックにあるマスから 3 を消せます（XY-Wing）");
}

TEST(TechniqueHints, XYZWing) {
    NoteGrid notes = openNotes();
    setNotes(notes, at(0, 0), {1, 2, 3}); // pivot
    setNotes(notes, at(0, 4), {1, 3});
    setNotes(notes, at(1, 1), {2, 3});
    expectHint(notes, Technique::XYZWing, false, {{at(0, 1), 3}, {at(0, 2), 3}});
}

TEST(TechniqueHints, SimpleColouringWrap) {
    NoteGrid notes = openNotes();
    // Conjugate pairs of 3: row 0 (c0, c4), column 4 (r0, r4), row 4 (c4, c1), column 1 (r4, r1).
    // Colouring alternates along r0c0, r0c4, r4c4, r4c1, r1c1: r0c0 and r1c1 share a colour and
    // a box, so that colour is false.
    keepOnly(notes, 0, 3, {at(0, 0), at(0, 4)});
    keepOnly(notes, 9 + 4, 3, {at(0, 4), at(4, 4)});
    keepOnly(notes, 4, 3, {at(4, 4), at(4, 1)});
    keepOnly(notes, 9 + 1, 3, {at(4, 1), at(1, 1)});
    const Hint hint = expectHint(notes, Technique::SimpleColouring, false,
                                 {{at(0, 0), 3}, {at(4, 4), 3}, {at(1, 1), 3}});
    EXPECT_EQ(hint.step.pattern.count(), 5);
    EXPECT_NE(hintText(hint).find("1行1列と2行2列は同じ色なのにどちらも左上のブロック"),
              std::string::npos);
}

TEST(TechniqueHints, SimpleColouringTrap) {
    NoteGrid notes = openNotes();
    // One cluster of 6: r0c0 = r4c0 (column 0), r4c0 = r4c5 (row 4), r4c5 = r1c5 (column 5).
    // r0c0 and r1c5 have opposite colours, so a cell that sees both cannot hold 6.
    keepOnly(notes, 9 + 0, 6, {at(0, 0), at(4, 0)});
    keepOnly(notes, 4, 6, {at(4, 0), at(4, 5)});
    keepOnly(notes, 9 + 5, 6, {at(4, 5), at(1, 5)});
    expectHint(notes, Technique::SimpleColouring, false,
               {{at(0, 3), 6}, {at(0, 4), 6}, {at(1, 1), 6}, {at(1, 2), 6}});
}

TEST(TechniqueHints, XChainSkyscraper) {
    NoteGrid notes = openNotes();
    // 6 in column 1 only at rows 0 and 6, in column 4 only at rows 2 and 6: r0c1 or r2c4 holds
    // it, so the cells that see both do not.
    keepOnly(notes, 9 + 1, 6, {at(0, 1), at(6, 1)});
    keepOnly(notes, 9 + 4, 6, {at(2, 4), at(6, 4)});
    const Hint hint = expectHint(notes, Technique::XChain, false,
                                 {{at(0, 3), 6}, {at(0, 5), 6}, {at(2, 0), 6}, {at(2, 2), 6}});
    CellSet chain;
    for (int cell : {at(0, 1), at(6, 1), at(6, 4), at(2, 4)}) chain.add(cell);
    EXPECT_EQ(hint.step.pattern, chain);
}

TEST(TechniqueHints, XYChainOfFourCells) {
    NoteGrid notes = openNotes();
    setNotes(notes, at(0, 0), {1, 2});
    setNotes(notes, at(0, 5), {2, 3});
    setNotes(notes, at(4, 5), {3, 4});
    setNotes(notes, at(4, 8), {4, 1});
    const Hint hint = expectHint(notes, Technique::XYChain, false, {{at(0, 8), 1}, {at(4, 0), 1}});
    CellSet chain;
    for (int cell : {at(0, 0), at(0, 5), at(4, 5), at(4, 8)}) chain.add(cell);
    EXPECT_EQ(hint.step.pattern, chain);
}

TEST(TechniqueHints, EasierTechniqueWinsOverHarderOne) {
    NoteGrid notes = openNotes();
    keepOnly(notes, 1, 5, {at(1, 2), at(1, 7)}); // an X-wing of 5 ...
    keepOnly(notes, 4, 5, {at(4, 2), at(4, 7)});
    setNotes(notes, at(8, 0), {2, 6}); // ... and a naked pair in row 8
    setNotes(notes, at(8, 5), {2, 6});
    std::vector<Change> expected;
    for (int c : {1, 2, 3, 4, 6, 7, 8}) {
        expected.emplace_back(at(8, c), 2);
        expected.emplace_back(at(8, c), 6);
    }
    expectHint(notes, Technique::NakedPair, false, expected);
}

} // namespace
} // namespace korvani
