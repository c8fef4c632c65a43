// The pencil-mark state that the techniques work on: placed digits, the candidates left in every
// empty cell, and a small set of cells for what a step names. The units and peers every
// technique walks, and bit counts, are the grid basics of core/grid.h.
#pragma once

#include "core/grid.h"

#include <array>
#include <cstdint>

namespace korvani {

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
    constexpr int count() const { return bitCount64(words[0]) + bitCount64(words[1]); }
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

// True when every cell is filled.
bool isFilled(const PencilGrid& grid);

// True when the state can no longer lead to a solution: an empty cell without candidates, or a
// unit in which a missing digit has no place left.
bool hasContradiction(const PencilGrid& grid);

} // namespace korvani
