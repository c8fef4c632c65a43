// The pencil-mark state that the techniques work on: placed digits, the candidates left in every
// empty cell, the unit tables (rows, columns, boxes) that every technique walks, and a small set
// of cells for what a step names.
#pragma once

#include "core/grid.h"

#include <array>
#include <cstdint>

namespace korvani {

// Units 0-8 are the rows, 9-17 the columns, 18-26 the boxes; each lists its nine cells.
inline constexpr int unitCount = 27;
extern const std::array<std::array<std::uint8_t, 9>, unitCount> unitCells;

constexpr bool sameUnit(int a, int b) {
    return rowOf(a) == rowOf(b) || columnOf(a) == columnOf(b) || boxOf(a) == boxOf(b);
}
// Two different cells that share a row, column or box.
constexpr bool seesCell(int a, int b) {
    return a != b && sameUnit(a, b);
}

constexpr int bitCount(DigitMask m) {
    return __builtin_popcount(m);
}
// The digit of a one-bit mask.
constexpr int digitOfMask(DigitMask m) {
    return __builtin_ctz(m) + 1;
}
constexpr DigitMask maskOfDigit(int digit) {
    return DigitMask(1u << (digit - 1));
}

// Cells 0..80 as bits; walking 0..80 with has() visits them in reading order.
struct CellSet {
    std::array<std::uint64_t, 2> words{};

    constexpr void add(int cell) { words[cell >> 6] |= std::uint64_t(1) << (cell & 63); }
    constexpr bool has(int cell) const { return (words[cell >> 6] >> (cell & 63)) & 1; }
    constexpr bool empty() const { return (words[0] | words[1]) == 0; }
    constexpr int count() const {
        return __builtin_popcountll(words[0]) + __builtin_popcountll(words[1]);
    }
    constexpr bool operator==(const CellSet&) const = default;
};

struct PencilGrid {
    CellGrid values{};                      // 0 = empty
    std::array<DigitMask, 81> candidates{}; // 0 for a filled cell
};

// Places every given and takes its digit out of the candidates of its peers. False when two
// givens clash or a given is not 0..9.
bool pencilFromGivens(const CellGrid& givens, PencilGrid& grid);

// Fills the cell and removes the digit from the candidates of its twenty peers.
void placeDigit(PencilGrid& grid, int cell, int digit);

// The digits that no filled cell of the cell's row, column or box holds.
DigitMask allowedDigits(const CellGrid& values, int cell);

// True when every cell is filled.
bool isFilled(const PencilGrid& grid);

// True when the state can no longer lead to a solution: an empty cell without candidates, or a
// unit in which a missing digit has no place left.
bool hasContradiction(const PencilGrid& grid);

} // namespace korvani
