// The shared grid types: a 9x9 grid of digits in cell order and digit bit masks.
#pragma once

#include <array>
#include <cstdint>

namespace korvani {

// 81 cells row by row (cell = row * 9 + column); 0 is an empty cell, 1..9 a digit.
using CellGrid = std::array<std::uint8_t, 81>;

// Bit d-1 stands for digit d; 0 is no digit, 0x1FF all nine.
using DigitMask = std::uint16_t;

inline constexpr DigitMask allDigits = 0x1FF;

// The player's notes (pencil marks): per cell the digits noted there, 0 for none.
using NoteGrid = std::array<DigitMask, 81>;

// Indexed by digit 0..9; entries 1..9 are also the order in which digits are tried.
inline constexpr DigitMask digitMaskTable[10] = {0, 1, 2, 4, 8, 16, 32, 64, 128, 256};

constexpr int rowOf(int cell) {
    return cell / 9;
}
constexpr int columnOf(int cell) {
    return cell % 9;
}
constexpr int boxOf(int cell) {
    return 3 * (cell / 27) + (cell % 9) / 3;
}

// Cell i (0..8) of unit 0..26: rows 0-8, then columns, then boxes, each in reading order.
constexpr int unitCellAt(int unit, int i) {
    const int index = unit % 9;
    if (unit < 9) return 9 * index + i;
    if (unit < 18) return 9 * i + index;
    return 9 * (3 * (index / 3) + i / 3) + 3 * (index % 3) + i % 3;
}

} // namespace korvani
