// The player's notes (pencil marks) on a NoteGrid: the digits a cell's row, column and box still
// allow, the clean-up that follows a placement, filling and clearing every note, and toggling
// one. Every change reports whether it changed anything, so the caller can tell a step of the
// history from a click that did nothing.
#pragma once

#include "core/grid.h"

#include <cstdint>

namespace korvani {

// A cell is empty when neither a given nor a placed digit is in it (a given digit wins; a
// placed digit on a given cell is not looked at).
bool cellIsEmpty(const CellGrid& givens, const CellGrid& userGrid, int cell);

// The digits that no given or placed digit in the cell's row, column or box rules out. The
// cell's own digit, if it has one, is not looked at.
DigitMask allowedDigits(const CellGrid& givens, const CellGrid& userGrid, int cell);

// Adds the note of `digit` to the cell, or takes it away when it is there. Nothing happens, and
// false is returned, when the digit is not 1..9 (0xFF: none selected) or the cell is not empty.
bool toggleNote(NoteGrid& notes, const CellGrid& givens, const CellGrid& userGrid, int cell,
                std::uint8_t digit);

// After `digit` was placed in the cell: every note of the cell goes, and the notes of that digit
// in the cell's row, column and box.
bool clearNotesAfterPlacing(NoteGrid& notes, int cell, std::uint8_t digit);

// Every empty cell gets exactly its allowed digits as notes; cells that show a digit get none.
bool fillCandidateNotes(NoteGrid& notes, const CellGrid& givens, const CellGrid& userGrid);

bool clearAllNotes(NoteGrid& notes);

bool hasAnyNotes(const NoteGrid& notes);

} // namespace korvani
