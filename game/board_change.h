// What every change of the board has in common, for the rules' own files: the board before it,
// one step of the history after it with the hint's marks dropped, and the redraw that ends it
// with the completion check a click on a cell runs.
#pragma once

#include "game/game_state.h"

namespace korvani {

// A game is in play: a puzzle was started (so currentProblem is set) and is not solved.
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

// What a left click does on cell 0 ... 80 while a game is in play: a cell showing a digit
// selects it, an empty one takes the selected digit; then the completion check.
void clickCell(GameState& game, int cell);

// What a right click does on cell 0 ... 80 while a game is in play: the player's digit there is
// erased.
void eraseCell(GameState& game, int cell);

// The click after a solve: the next uncleared puzzle, if any.
void moveOnAfterSolve(GameState& game);

// A mouse click hides the keyboard cursor (redrawn at once when it was shown).
void hideCursorForPointer(GameState& game);

} // namespace korvani
