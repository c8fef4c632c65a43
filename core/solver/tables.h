// The constant tables of the solver's bitboards, built at compile time: the cells of units and
// each cell's peers in the band words, the box-line permutations and the regions (bands, stacks
// and the whole grid) with the units that partition them. Bit counts, units and peers by cell
// number are the grid basics of core/grid.h.
#pragma once

#include "core/grid.h"

#include <cstdint>

namespace korvani::solver {

// Bits set in a 9-bit value (a set of units or digits), by table.
struct NineBitCounts {
    std::uint8_t of[512];
};

constexpr NineBitCounts makeNineBitCounts() {
    NineBitCounts t{};
    for (unsigned x = 0; x < 512; ++x) t.of[x] = static_cast<std::uint8_t>(bitCount(x));
    return t;
}

inline constexpr NineBitCounts nineBitCounts = makeNineBitCounts();

inline int countNine(unsigned x) {
    return nineBitCounts.of[x & 0x1FFu];
}

// A band holds three rows; cell bit = 9 * rowInBand + column.
constexpr std::uint32_t bandRowBits(int rowInBand) {
    return 0x1FFu << (9 * rowInBand);
}
constexpr std::uint32_t bandColumnBits(int column) {
    return 0x40201u << column;
}
constexpr std::uint32_t bandBoxBits(int boxInBand) {
    return 0x1C0E07u << (3 * boxInBand);
}

struct PeerTable {
    std::uint32_t mask[81][3]; // the cell itself and all cells that share a unit with it
};

constexpr PeerTable makePeerTable() {
    PeerTable table{};
    for (int cell = 0; cell < 81; ++cell) {
        const int band = cell / 27;
        const int bit = cell % 27;
        for (int b = 0; b < 3; ++b) table.mask[cell][b] = bandColumnBits(bit % 9);
        table.mask[cell][band] |= bandRowBits(bit / 9) | bandBoxBits((bit % 9) / 3);
    }
    return table;
}

inline constexpr PeerTable peerTable = makePeerTable();

// Where a cell lies, ready for placing a digit there.
struct CellPlace {
    std::uint8_t band;
    std::uint32_t bit;
    std::uint16_t notRow; // all units but the cell's, as masks of unit numbers
    std::uint16_t notColumn;
    std::uint16_t notBox;
};

struct CellPlaceTable {
    CellPlace of[81];
};

constexpr CellPlaceTable makeCellPlaceTable() {
    CellPlaceTable table{};
    for (int cell = 0; cell < 81; ++cell) {
        CellPlace& at = table.of[cell];
        at.band = static_cast<std::uint8_t>(cell / 27);
        at.bit = 1u << (cell % 27);
        at.notRow = static_cast<std::uint16_t>(0x1FFu & ~(1u << rowOf(cell)));
        at.notColumn = static_cast<std::uint16_t>(0x1FFu & ~(1u << columnOf(cell)));
        at.notBox = static_cast<std::uint16_t>(0x1FFu & ~(1u << boxOf(cell)));
    }
    return table;
}

inline constexpr CellPlaceTable cellPlaces = makeCellPlaceTable();

// Box-line tables. A "minirow" is the three cells where a row of a band crosses a box; bit
// 3 * rowInBand + boxInBand of a 9-bit pattern stands for it (likewise "minicolumns" of a stack,
// bit 3 * band + columnInStack). In a band whose rows and boxes each take a digit exactly once,
// the digit's minirows form one of the six 3x3 permutations.
struct LineTables {
    std::uint8_t triads[512];         // 9 cells of a row -> which of its three triads hold a bit
    std::uint16_t keep[512];          // minirow pattern -> union of the permutations inside it
    std::uint32_t expand[512];        // minirow pattern -> cells of the band
    std::uint16_t cross[8][8];        // rows x boxes -> the minirows where they meet
    std::uint32_t stackColumns[3][8]; // columns of a stack (3 bits) -> their cells in a band
};

constexpr LineTables makeLineTables() {
    LineTables t{};
    for (unsigned x = 0; x < 512; ++x) {
        std::uint8_t triad = 0;
        for (int j = 0; j < 3; ++j) {
            if ((x >> (3 * j) & 7u) != 0) triad |= static_cast<std::uint8_t>(1u << j);
        }
        t.triads[x] = triad;
        constexpr int perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                     {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
        std::uint16_t keep = 0;
        for (const auto& p : perms) {
            const unsigned pattern = (1u << p[0]) | (1u << (3 + p[1])) | (1u << (6 + p[2]));
            if ((x & pattern) == pattern) keep |= static_cast<std::uint16_t>(pattern);
        }
        t.keep[x] = keep;
        std::uint32_t cells = 0;
        for (int bit = 0; bit < 9; ++bit) {
            if ((x >> bit & 1u) != 0) cells |= 0x7u << (9 * (bit / 3) + 3 * (bit % 3));
        }
        t.expand[x] = cells;
    }
    for (int stack = 0; stack < 3; ++stack) {
        for (unsigned columns = 0; columns < 8; ++columns) {
            std::uint32_t cells = 0;
            for (int j = 0; j < 3; ++j) {
                if ((columns >> j & 1u) != 0) cells |= 0x40201u << (3 * stack + j);
            }
            t.stackColumns[stack][columns] = cells;
        }
    }
    for (unsigned a = 0; a < 8; ++a) {
        for (unsigned b = 0; b < 8; ++b) {
            std::uint16_t m = 0;
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    if ((a >> i & 1u) != 0 && (b >> j & 1u) != 0)
                        m |= static_cast<std::uint16_t>(1u << (3 * i + j));
                }
            }
            t.cross[a][b] = m;
        }
    }
    return t;
}

inline constexpr LineTables lineTables = makeLineTables();

enum UnitKind { kindRow = 0, kindColumn = 1, kindBox = 2 };

// The cells of one unit in band words.
constexpr void unitWords(int kind, int index, std::uint32_t out[3]) {
    for (int b = 0; b < 3; ++b) out[b] = 0;
    if (kind == kindRow) {
        out[index / 3] = bandRowBits(index % 3);
    } else if (kind == kindColumn) {
        for (int b = 0; b < 3; ++b) out[b] = bandColumnBits(index);
    } else {
        out[index / 3] = bandBoxBits(index % 3);
    }
}

// The cells of one unit as bits 0..8, from a digit's band words.
inline unsigned unitBits(const std::uint32_t words[3], int kind, int index) {
    if (kind == kindRow) return words[index / 3] >> (9 * (index % 3)) & 0x1FFu;
    if (kind == kindBox) {
        const std::uint32_t y = words[index / 3] >> (3 * (index % 3));
        return (y & 7u) | (y >> 6 & 070u) | (y >> 12 & 0700u);
    }
    unsigned bits = 0;
    for (int band = 0; band < 3; ++band) {
        const std::uint32_t y = words[band] >> index & 0x40201u;
        bits |= ((y | y >> 8 | y >> 16) & 7u) << (3 * band);
    }
    return bits;
}

// A band is three rows and also three boxes, a stack three columns and three boxes, the grid
// nine units of each kind: each partition counts the placements of a digit in the region.
struct Region {
    std::uint32_t cells[3];
    unsigned units[3]; // per kind: the units that make up the region (0: not a partition)
};

inline constexpr int regionCount = 7;

inline constexpr Region regions[regionCount] = {
    {{0x7FFFFFF, 0, 0}, {0007, 0, 0007}},
    {{0, 0x7FFFFFF, 0}, {0070, 0, 0070}},
    {{0, 0, 0x7FFFFFF}, {0700, 0, 0700}},
    {{0x1C0E07, 0x1C0E07, 0x1C0E07}, {0, 0007, 0111}},
    {{0xE07038, 0xE07038, 0xE07038}, {0, 0070, 0222}},
    {{0x70381C0, 0x70381C0, 0x70381C0}, {0, 0700, 0444}},
    {{0x7FFFFFF, 0x7FFFFFF, 0x7FFFFFF}, {0777, 0777, 0777}},
};

// Bits of a 9-bit set of units counted in groups, four bits a count: at bit 4g the units 3g to
// 3g + 2 (the rows or boxes of band g, the columns of stack g), at bit 12 + 4g the units g,
// g + 3 and g + 6 (the boxes of stack g), at bit 24 all of them.
struct UnitGroupCounts {
    std::uint32_t of[512];
};

constexpr UnitGroupCounts makeUnitGroupCounts() {
    UnitGroupCounts t{};
    for (unsigned x = 0; x < 512; ++x) {
        std::uint32_t packed = 0;
        for (unsigned g = 0; g < 3; ++g) {
            packed |= static_cast<std::uint32_t>(bitCount(x >> (3 * g) & 7u)) << (4 * g);
            packed |= static_cast<std::uint32_t>(bitCount(x >> g & 0111u)) << (12 + 4 * g);
        }
        t.of[x] = packed | static_cast<std::uint32_t>(bitCount(x)) << 24;
    }
    return t;
}

inline constexpr UnitGroupCounts unitGroupCounts = makeUnitGroupCounts();

// Per region and kind: where unitGroupCounts keeps the count of the region's units of that kind
// (-1: they do not make up the region).
inline constexpr int regionGroupShift[regionCount][3] = {
    {0, -1, 0}, {4, -1, 4}, {8, -1, 8}, {-1, 0, 12}, {-1, 4, 16}, {-1, 8, 20}, {24, 24, 24},
};

} // namespace korvani::solver
