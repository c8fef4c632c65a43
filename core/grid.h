// The grid basics every module shares: a 9x9 grid of digits in cell order, digit bit masks and
// counting their bits, the units and peers of each cell, and the digits a cell still allows.
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

// Bits set in a word. Written out: the game runs on any x86-64, whose baseline has no popcount
// instruction, so std::popcount and __builtin_popcount become a library call there.
constexpr int bitCount(std::uint32_t x) {
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((x * 0x01010101u) >> 24);
}

constexpr int bitCount64(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555u);
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
}

constexpr int rowOf(int cell) {
    return cell / 9;
}
constexpr int columnOf(int cell) {
    return cell % 9;
}
constexpr int boxOf(int cell) {
    return 3 * (cell / 27) + (cell % 9) / 3;
}

// Units 0-8 are the rows, 9-17 the columns, 18-26 the boxes.
inline constexpr int unitCount = 27;

// Cell i (0..8) of unit 0..26, each unit in reading order.
constexpr int unitCellAt(int unit, int i) {
    const int index = unit % 9;
    if (unit < 9) return 9 * index + i;
    if (unit < 18) return 9 * i + index;
    return 9 * (3 * (index / 3) + i / 3) + 3 * (index % 3) + i % 3;
}

using UnitCells = std::array<std::array<std::uint8_t, 9>, unitCount>;

constexpr UnitCells makeUnitCells() {
    UnitCells units{};
    for (int unit = 0; unit < unitCount; ++unit) {
        for (int i = 0; i < 9; ++i) units[unit][i] = static_cast<std::uint8_t>(unitCellAt(unit, i));
    }
    return units;
}

// The nine cells of each unit.
inline constexpr UnitCells unitCells = makeUnitCells();

constexpr bool sameUnit(int a, int b) {
    return rowOf(a) == rowOf(b) || columnOf(a) == columnOf(b) || boxOf(a) == boxOf(b);
}
// Two different cells that share a row, column or box.
constexpr bool seesCell(int a, int b) {
    return a != b && sameUnit(a, b);
}

// The 20 peers of each cell (the cells it sees), in cell order.
struct PeerList {
    std::uint8_t of[81][20];
};

constexpr PeerList makePeerList() {
    PeerList t{};
    for (int cell = 0; cell < 81; ++cell) {
        int n = 0;
        for (int other = 0; other < 81; ++other) {
            if (seesCell(cell, other)) t.of[cell][n++] = static_cast<std::uint8_t>(other);
        }
    }
    return t;
}

inline constexpr PeerList peerList = makePeerList();

// The digits that no peer of the cell holds; bytes other than 1..9 are empty cells. The cell's
// own byte is not looked at.
constexpr DigitMask allowedDigits(const CellGrid& values, int cell) {
    DigitMask taken = 0;
    for (const std::uint8_t peer : peerList.of[cell]) {
        const std::uint8_t value = values[peer];
        if (value >= 1 && value <= 9) taken = static_cast<DigitMask>(taken | digitMaskTable[value]);
    }
    return static_cast<DigitMask>(allDigits & ~taken);
}

} // namespace korvani
