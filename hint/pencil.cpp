// Pencil-mark bookkeeping shared by every technique of the grader.
#include "hint/pencil.h"

namespace korvani {

namespace {

constexpr std::array<std::array<std::uint8_t, 9>, unitCount> buildUnits() {
    std::array<std::array<std::uint8_t, 9>, unitCount> units{};
    for (int i = 0; i < 9; ++i) {
        for (int k = 0; k < 9; ++k) {
            units[i][k] = std::uint8_t(i * 9 + k);
            units[9 + i][k] = std::uint8_t(k * 9 + i);
            units[18 + i][k] = std::uint8_t(27 * (i / 3) + 3 * (i % 3) + 9 * (k / 3) + k % 3);
        }
    }
    return units;
}

} // namespace

const std::array<std::array<std::uint8_t, 9>, unitCount> unitCells = buildUnits();

void placeDigit(PencilGrid& grid, int cell, int digit) {
    grid.values[cell] = std::uint8_t(digit);
    grid.candidates[cell] = 0;
    const DigitMask clear = DigitMask(~maskOfDigit(digit));
    for (int other = 0; other < 81; ++other) {
        if (seesCell(cell, other)) grid.candidates[other] &= clear;
    }
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

DigitMask allowedDigits(const CellGrid& values, int cell) {
    DigitMask taken = 0;
    for (int other = 0; other < 81; ++other) {
        if (values[other] != 0 && values[other] <= 9 && seesCell(cell, other))
            taken |= maskOfDigit(values[other]);
    }
    return DigitMask(allDigits & ~taken);
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
