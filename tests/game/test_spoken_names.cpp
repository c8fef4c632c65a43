// The names a screen reader says for the cells and the clock: place first, then the content.
#include "game/spoken_names.h"

#include <gtest/gtest.h>

#include <string>

namespace korvani {
namespace {

std::string name(const CellGrid& givens, const CellGrid& user, const NoteGrid& notes, int cell) {
    char out[spokenNameCapacity];
    spokenCellName(givens, user, notes, cell, out);
    return out;
}

TEST(SpokenNames, EachCellSaysWhereItIsAndWhatItHolds) {
    CellGrid givens{};
    CellGrid user{};
    NoteGrid notes{};
    const int cell = 2 * 9 + 4; // row 3, column 5
    EXPECT_EQ(name(givens, user, notes, cell), "3行5列 空き");
    notes[cell] = (1 << 1) | (1 << 3) | (1 << 6);
    EXPECT_EQ(name(givens, user, notes, cell), "3行5列 空き メモ 2 4 7");
    user[cell] = 5;
    EXPECT_EQ(name(givens, user, notes, cell), "3行5列 5") << "a digit hides the notes";
    givens[cell] = 8;
    EXPECT_EQ(name(givens, user, notes, cell), "3行5列 問題の数字 8") << "a given wins";
    notes[80] = 0x1FF;
    EXPECT_EQ(name(givens, user, notes, 80), "9行9列 空き メモ 1 2 3 4 5 6 7 8 9");
    EXPECT_EQ(name(givens, user, notes, 0), "1行1列 空き");
}

TEST(SpokenNames, ClockAsItShows) {
    char out[spokenNameCapacity];
    spokenClock(425, out);
    EXPECT_STREQ(out, "7:05");
    spokenClock(3599, out);
    EXPECT_STREQ(out, "59:59");
}

} // namespace
} // namespace korvani
