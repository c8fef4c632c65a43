// Finding the hint: mistakes first, then the easiest step from the player's candidates.
#include "hint/hint.h"

#include "hint/grader.h"

namespace korvani {

namespace {

// The digits on the board: the givens, and the player's digits in the other cells.
CellGrid boardOf(const CellGrid& givens, const CellGrid& userGrid) {
    CellGrid board = givens;
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] == 0) board[cell] = userGrid[cell];
    }
    return board;
}

// Givens that are digits and do not clash, and a complete, valid solution that keeps them.
bool puzzleIsSound(const CellGrid& givens, const CellGrid& solution) {
    PencilGrid check;
    if (!pencilFromGivens(givens, check)) return false;
    if (!pencilFromGivens(solution, check) || !isFilled(check)) return false;
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] != 0 && givens[cell] != solution[cell]) return false;
    }
    return true;
}

} // namespace

PencilGrid hintCandidates(const CellGrid& givens, const CellGrid& userGrid, const NoteGrid& notes) {
    PencilGrid grid;
    grid.values = boardOf(givens, userGrid);
    for (int cell = 0; cell < 81; ++cell) {
        if (grid.values[cell] != 0) continue;
        const DigitMask allowed = allowedDigits(grid.values, cell);
        grid.candidates[cell] = notes[cell] != 0 ? DigitMask(notes[cell] & allowed) : allowed;
    }
    return grid;
}

Hint findHint(const CellGrid& givens, const CellGrid& solution, const CellGrid& userGrid,
              const NoteGrid& notes) {
    Hint hint;
    if (!puzzleIsSound(givens, solution)) {
        hint.kind = HintKind::Invalid;
        return hint;
    }
    bool full = true;
    CellSet wrongNotes;
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] != 0) continue;
        const int digit = userGrid[cell];
        if (digit != 0 && digit != solution[cell]) hint.targets.add(cell);
        if (digit != 0) continue;
        full = false;
        if (notes[cell] != 0 && !(notes[cell] & maskOfDigit(solution[cell]))) wrongNotes.add(cell);
    }
    if (!hint.targets.empty()) {
        hint.kind = HintKind::Wrong;
        return hint;
    }
    if (!wrongNotes.empty()) {
        hint.kind = HintKind::WrongNotes;
        hint.targets = wrongNotes;
        return hint;
    }
    if (full) {
        hint.kind = HintKind::Solved;
        return hint;
    }
    // Every candidate now includes the solution's digit, so each step a technique finds is sound.
    const PencilGrid grid = hintCandidates(givens, userGrid, notes);
    if (!findEasiestStep(grid, Technique::XYChain, hint.step)) {
        hint.kind = HintKind::Stuck;
        return hint;
    }
    if (hint.step.placement) {
        hint.kind = HintKind::Place;
        hint.targets.add(hint.step.cell);
    } else {
        hint.kind = HintKind::Remove;
        for (int cell = 0; cell < 81; ++cell) {
            if (hint.step.removed[cell] != 0) hint.targets.add(cell);
        }
    }
    return hint;
}

bool applyHint(const Hint& hint, const CellGrid& givens, CellGrid& userGrid, NoteGrid& notes) {
    if (hint.kind == HintKind::Place) {
        userGrid[hint.step.cell] = hint.step.digit;
        notes[hint.step.cell] = 0;
        return true;
    }
    if (hint.kind != HintKind::Remove) return false;
    const CellGrid board = boardOf(givens, userGrid);
    for (int cell = 0; cell < 81; ++cell) {
        if (!hint.targets.has(cell)) continue;
        if (notes[cell] == 0) notes[cell] = allowedDigits(board, cell);
        notes[cell] &= DigitMask(~hint.step.removed[cell]);
    }
    return true;
}

} // namespace korvani
