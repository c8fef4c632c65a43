// The player's notes: allowed digits, toggling, the clean-up after a placement, fill and clear.
#include "core/notes.h"

namespace korvani {

namespace {

bool isDigit(std::uint8_t value) {
    return value >= 1 && value <= 9;
}

// The digit the cell shows: the given one, else the placed one, else 0.
std::uint8_t shownDigit(const CellGrid& givens, const CellGrid& userGrid, int cell) {
    if (isDigit(givens[cell])) return givens[cell];
    return isDigit(userGrid[cell]) ? userGrid[cell] : 0;
}

// The digit each cell shows.
CellGrid shownDigits(const CellGrid& givens, const CellGrid& userGrid) {
    CellGrid shown{};
    for (int cell = 0; cell < 81; ++cell) shown[cell] = shownDigit(givens, userGrid, cell);
    return shown;
}

bool assign(DigitMask& mask, DigitMask value) {
    if (mask == value) return false;
    mask = value;
    return true;
}

} // namespace

bool cellIsEmpty(const CellGrid& givens, const CellGrid& userGrid, int cell) {
    return shownDigit(givens, userGrid, cell) == 0;
}

DigitMask allowedDigits(const CellGrid& givens, const CellGrid& userGrid, int cell) {
    return allowedDigits(shownDigits(givens, userGrid), cell);
}

bool toggleNote(NoteGrid& notes, const CellGrid& givens, const CellGrid& userGrid, int cell,
                std::uint8_t digit) {
    if (cell < 0 || cell >= 81 || !isDigit(digit) || !cellIsEmpty(givens, userGrid, cell))
        return false;
    notes[cell] ^= digitMaskTable[digit];
    return true;
}

bool clearNotesAfterPlacing(NoteGrid& notes, int cell, std::uint8_t digit) {
    if (cell < 0 || cell >= 81) return false;
    bool changed = assign(notes[cell], 0);
    if (!isDigit(digit)) return changed;
    for (const std::uint8_t peer : peerList.of[cell]) {
        DigitMask& mask = notes[peer];
        changed |= assign(mask, static_cast<DigitMask>(mask & ~digitMaskTable[digit]));
    }
    return changed;
}

bool fillCandidateNotes(NoteGrid& notes, const CellGrid& givens, const CellGrid& userGrid) {
    const CellGrid shown = shownDigits(givens, userGrid);
    bool changed = false;
    for (int cell = 0; cell < 81; ++cell) {
        const DigitMask wanted = shown[cell] == 0 ? allowedDigits(shown, cell) : 0;
        changed |= assign(notes[cell], wanted);
    }
    return changed;
}

bool clearAllNotes(NoteGrid& notes) {
    bool changed = false;
    for (DigitMask& mask : notes) changed |= assign(mask, 0);
    return changed;
}

bool hasAnyNotes(const NoteGrid& notes) {
    for (const DigitMask mask : notes)
        if (mask != 0) return true;
    return false;
}

} // namespace korvani
