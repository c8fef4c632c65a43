// MoveHistory: the undo and redo of one game, as the board (the player's digits and notes) after
// each change, in a buffer that grows with malloc/realloc and is freed by releaseHistory.
#pragma once

#include "core/grid.h"

#include <cstddef>

namespace korvani {

// What a change of the board changes and an undo gives back.
struct BoardSnapshot {
    CellGrid userGrid = {};
    NoteGrid notes = {};
    bool operator==(const BoardSnapshot&) const = default;
};

// boards[0 .. count) are the boards of the game's history in order; boards[position] is the one
// shown (when count > 0). Undo steps back to position - 1, redo forward to position + 1.
struct MoveHistory {
    BoardSnapshot* boards = nullptr; // owned; freed only by releaseHistory
    int capacity = 0;
    int count = 0;
    int position = 0;
    // After a jump back over several steps, the position a redo returns to at once; -1 otherwise.
    int redoJump = -1;
    // How the buffer grows; a test puts a failing one here. Same contract as std::realloc.
    void* (*reallocate)(void*, std::size_t) = nullptr;
};

// A change from `before` to `after` becomes one step; what could be redone is dropped. When the
// buffer cannot grow, the oldest step is forgotten to make room (and with room for fewer than
// two boards the history is simply emptied), so the change itself never depends on memory.
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

// Forgets every step (starting over); the buffer is kept for the next game.
void clearHistory(MoveHistory& history);

// Frees the buffer; the history is then empty and can grow again.
void releaseHistory(MoveHistory& history);

} // namespace korvani
