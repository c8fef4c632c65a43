// The rules on the notes of a known puzzle: fill, the clean-up of a placement, toggling, clear.
#include "core/notes.h"

#include "../core/test_grids.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

// A classic puzzle; cell 2 (row 0) allows 1, 2 and 4, cell 40 (the centre) only 5.
const CellGrid givens = test::gridFromText(
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");

DigitMask bit(int digit) {
    return digitMaskTable[digit];
}

TEST(Notes, FillPlaceToggleAndClearOnAKnownPuzzle) {
    CellGrid user{};
    NoteGrid notes{};
    ASSERT_TRUE(fillCandidateNotes(notes, givens, user));
    EXPECT_EQ(notes[2], bit(1) | bit(2) | bit(4));
    EXPECT_EQ(notes[40], bit(5));
    EXPECT_EQ(notes[0], 0); // a given
    EXPECT_FALSE(fillCandidateNotes(notes, givens, user)) << "a second fill changes nothing";

    // The player places 4 in cell 2: the cell loses every note, its row, column and box lose
    // their 4s, and every other cell keeps its notes.
    const NoteGrid before = notes;
    user[2] = 4;
    ASSERT_TRUE(clearNotesAfterPlacing(notes, 2, 4));
    for (int cell = 0; cell < 81; ++cell) {
        const bool peer = rowOf(cell) == 0 || columnOf(cell) == 2 || boxOf(cell) == 0;
        DigitMask expected = before[cell];
        if (cell == 2)
            expected = 0;
        else if (peer)
            expected &= static_cast<DigitMask>(~bit(4));
        EXPECT_EQ(notes[cell], expected) << "cell " << cell;
    }
    EXPECT_NE(before[5] & bit(4), 0) << "the clean-up had a 4 to take from cell 5";
    EXPECT_NE(notes[78] & bit(4), 0) << "and one to leave in cell 78";
    EXPECT_EQ(allowedDigits(givens, user, 5) & bit(4), 0) << "a placed digit rules out too";
    // The fill after the placement is the clean-up's result.
    EXPECT_FALSE(fillCandidateNotes(notes, givens, user));

    // A toggle on a shown digit or without a selected digit does nothing; on an empty cell it
    // adds the note and a second toggle gives back exactly the grid from before.
    const NoteGrid cleaned = notes;
    EXPECT_FALSE(toggleNote(notes, givens, user, 0, 5));    // a given
    EXPECT_FALSE(toggleNote(notes, givens, user, 2, 5));    // a placed digit
    EXPECT_FALSE(toggleNote(notes, givens, user, 3, 0xFF)); // nothing selected
    EXPECT_EQ(notes, cleaned);
    ASSERT_TRUE(toggleNote(notes, givens, user, 3, 9));
    EXPECT_EQ(notes[3], cleaned[3] | bit(9));
    ASSERT_TRUE(toggleNote(notes, givens, user, 3, 9));
    EXPECT_EQ(notes, cleaned);

    EXPECT_TRUE(hasAnyNotes(notes));
    EXPECT_TRUE(clearAllNotes(notes));
    EXPECT_EQ(notes, NoteGrid{});
    EXPECT_FALSE(hasAnyNotes(notes));
    EXPECT_FALSE(clearAllNotes(notes));
}

} // namespace
} // namespace korvani
