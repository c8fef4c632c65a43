// What a screen reader says for the board's parts, in Japanese, as UTF-8: a cell's place and
// content, and the clock's time.
#pragma once

#include "core/grid.h"

#include <cstddef>

namespace korvani {

// Room for the longest cell name, with its terminator.
inline constexpr std::size_t spokenNameCapacity = 96;

// The name of cell 0 ... 80: its row and column from 1, then what it holds, for example
// 「3行5列 空き メモ 2 4 7」, 「3行5列 空き」, 「3行5列 問題の数字 5」 or 「3行5列 5」 (a digit of the
// player). A given wins over the player's grid, as on the board.
void spokenCellName(const CellGrid& givens, const CellGrid& userGrid, const NoteGrid& notes,
                    int cell, char* out);

// The clock as it shows: minutes and seconds, "7:05" or "12:40".
void spokenClock(int seconds, char* out);

} // namespace korvani
