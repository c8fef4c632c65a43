// Pencil-mark bookkeeping shared by every technique of the grader.
#include "hint/pencil.h"

namespace korvani {

void placeDigit(PencilGrid& grid, int cell, int digit) {
    grid.values[cell] = std::uint8_t(digit);
    grid.candidates[cell] = 0;
    const DigitMask clear = DigitMask(~maskOfDigit(digit));
    for (const std::uint8_t peer : peerList.of[cell]) grid.candidates[peer] &= clear;
}

bool pencilFromGivens(const CellGrid& givens, PencilGrid& grid) {
    grid.values.fill(0);
    grid.candidates.fill(allDigits);
    for (int cell = 0; cell < 81; ++cell) {
        const int digit = givens[cell];
        if (digit == 0) continue;
        if (digit > 9) return false;
        for (int other = 0; other < cell; ++other) {
            if (givens[other] == digit && seesCell(cell, other)) return false;
        }
        placeDigit(grid, cell, digit);
    }
    return true;
}

bool isFilled(const PencilGrid& grid) {
    for (std::uint8_t v : grid.values) {
        if (v == 0) return false;
    }
    return true;
}

bool hasContradiction(const PencilGrid& grid) {
    for (int cell = 0; cell < 81; ++cell) {
        if (grid.values[cell] == 0 && grid.candidates[cell] == 0) return true;
    }
    for (const auto& unit : unitCells) {
        DigitMask covered = 0;
        for (std::uint8_t cell : unit) {
            covered |= grid.values[cell] ? maskOfDigit(grid.values[cell]) : grid.candidates[cell];
        }
        if (covered != allDigits) return true;
    }
    return false;
}

} // namespace korvani
