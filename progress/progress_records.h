// Operations on the record table of the progress store: the choice of the next uncleared
// puzzle, recording and erasing clear times.
#pragma once

#include "progress/progress_store.h"

#include <cstdint>

namespace korvani {

// The record of the current problem file, or null when there is none (no load yet, or an
// index outside the table).
ProgressRecord* currentRecord(ProgressStore& store);
const ProgressRecord* currentRecord(const ProgressStore& store);

// Moves currentProblemIndex to the first puzzle with clear time 0, looking from the current
// puzzle to the end of the file and then from its start. False when every loaded puzzle is
// cleared (or nothing is loaded); the index is then unchanged. A current index outside the
// loaded puzzles searches the whole file from puzzle 0.
bool selectNextUnsolved(ProgressStore& store);

// Stores the low 16 bits of `seconds` as the clear time of the current puzzle, replacing any
// earlier time. Nothing happens without a current record and puzzle.
void recordClearTime(ProgressStore& store, std::int32_t seconds);

// Sets all 30 clear times of the current record to 0; the key and other records stay.
void clearRecordTimes(ProgressStore& store);

// Fills the stored-game fields of the header from the game on exit: the grid and clock, and the
// flag 1 while a game is in play, -1 when none is.
void storeGameInHeader(SaveHeader& header, const CellGrid& userGrid, std::int32_t elapsedSeconds,
                       bool inPlay);

} // namespace korvani
