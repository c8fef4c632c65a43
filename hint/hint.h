// The game's hint: from the puzzle, its solution, the player's digits and notes, either the
// mistakes to point out or the next logical step (the easiest technique that makes progress),
// with the cells to mark on the board. Fixed-size data only: nothing is allocated.
#pragma once

#include "hint/techniques.h"

#include <cstdint>

namespace korvani {

enum class HintKind : std::uint8_t {
    Invalid,    // the givens clash (or the solution does not fit them): no hint can be given
    Wrong,      // placed digits differ from the solution; targets holds them
    WrongNotes, // empty cells whose notes lack the solution's digit; targets holds them
    Solved,     // every cell filled and right
    Place,      // step.cell takes step.digit
    Remove,     // step.removed leaves the candidates (notes) of the target cells
    Stuck,      // no technique makes progress
};

struct Hint {
    HintKind kind = HintKind::Stuck;
    // The cells the hint is about: the wrong ones, the placed cell, or those that lose
    // candidates. Empty for Invalid, Solved and Stuck.
    CellSet targets;
    // Place and Remove: the technique, what changes, the pattern's cells (step.pattern) and what
    // the explanation names.
    Step step;
};

// givens: the puzzle. solution: its only completion. userGrid: the player's digits (cells with a
// given are ignored). notes: the player's notes per cell, 0 where none are kept.
// Checks in this order: givens that clash or a solution that does not fit them (Invalid), placed
// digits that differ from the solution (Wrong), notes without the solution's digit (WrongNotes),
// a full grid (Solved); then the candidates are the notes of a cell that has notes and every
// digit its row, column and box allow in one that has none (a noted digit that a filled peer
// already holds does not count), and the first step of the easiest technique is the hint (Place
// or Remove), or Stuck when none applies.
Hint findHint(const CellGrid& givens, const CellGrid& solution, const CellGrid& userGrid,
              const NoteGrid& notes);

// The pencil-mark state findHint reasons from (placed digits and candidates as described above).
PencilGrid hintCandidates(const CellGrid& givens, const CellGrid& userGrid, const NoteGrid& notes);

// Carries out a Place or Remove hint: a placement goes into userGrid (the cell's notes are
// cleared); a removal takes the digits out of each target's notes, which are first filled with
// the digits its row, column and box allow when the cell had none. False for any other kind.
bool applyHint(const Hint& hint, const CellGrid& givens, CellGrid& userGrid, NoteGrid& notes);

} // namespace korvani
