// What every change of the board has in common, for the rules' own files: the board before it,
// one step of the history after it with the hint's marks dropped, and the redraw that ends it
// with the completion check a click on a cell runs.
#pragma once

#include "game/game_state.h"

namespace korvani {

// A game is in play: a puzzle was started and is not solved.
bool gameInPlay(const GameState& game);

BoardSnapshot boardOf(const GameState& game);

// The hint's marks go (and the step they showed). When the board differs from `before`, the
// change becomes one step of the history.
void commitChange(GameState& game, const BoardSnapshot& before);

void dropHintMarks(GameState& game);

// drawCells, then the completion check: present; or tell how many cells are wrong and present;
// or the puzzle is solved (clock stopped, time recorded, banner, present).
void redrawAndCheckCompletion(GameState& game);

// An undo, redo or jump back: the board it stepped to, shown and checked as a click would (null:
// nothing happens).
void showSteppedBoard(GameState& game, const BoardSnapshot* board);

// drawCells and presentFrame: a change that cannot complete the grid.
void redrawAndPresent(GameState& game);

} // namespace korvani
