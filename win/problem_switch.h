// Moving the game to another problem file from a command rather than the Open-problem dialog
// (puzzles imported or made, or a puzzle found in a file that is already there).
#pragma once

#include "game/game_state.h"

namespace korvani {

// Saves the game in progress (the save file is written, as on exit), then opens the file as
// the Open-problem dialog does and starts the puzzle `problemIndex` of it (-1: its first
// uncleared one). False, with the game untouched and in play, when the file cannot be loaded.
bool switchToProblemFile(GameState& game, const char (&storedName)[64], int problemIndex = -1);

} // namespace korvani
