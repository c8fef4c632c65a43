// MoveHistory: the undo and redo of one game, as the board (the player's digits and notes) after
// each change.
#pragma once

#include "core/grid.h"

#include <vector>

namespace korvani {

// What a change of the board changes and an undo gives back.
struct BoardSnapshot {
    CellGrid userGrid = {};
    NoteGrid notes = {};
    bool operator==(const BoardSnapshot&) const = default;
};

// boards are the boards of the game's history in order; boards[position] is the one shown
// (when there are any). Undo steps back to position - 1, redo forward to position + 1.
struct MoveHistory {
    std::vector<BoardSnapshot> boards;
    int position = 0;
    // After a jump back over several steps, the position a redo returns to at once; -1 otherwise.
    int redoJump = -1;
};

// A change from `before` to `after` becomes one step; what could be redone is dropped.
void recordChange(MoveHistory& history, const BoardSnapshot& before, const BoardSnapshot& after);

bool canStepBack(const MoveHistory& history);
bool canStepForward(const MoveHistory& history);

// Moves one step and returns the board to show then, or null when there is no such step.
// Right after jumpBack, a redo returns to where the jump started.
const BoardSnapshot* stepBack(MoveHistory& history);
const BoardSnapshot* stepForward(MoveHistory& history);

// Goes back to the earlier board boards[index] as one step, keeping every later board for redo;
// null when index is not before the current position.
const BoardSnapshot* jumpBack(MoveHistory& history, int index);

// Forgets every step (starting over); the memory is kept for the next game.
void clearHistory(MoveHistory& history);

} // namespace korvani
