// The fast solver: digit bitboards (one 27-bit word per band and digit), naked and hidden
// singles, box-line reduction, a matching check of whole units, branching on the cell with the
// fewest candidates, trying single candidates where the search runs long, and for grids with
// repeated givens the counting they need and branching on the digits their units leave out;
// taking turns with the clause counter, and for grids with repeated givens a linear relaxation
// of their counts. It answers exactly what the straightforward search answers: every deduction
// only removes what no completion can hold, the branches of a node split its completions
// without overlap, and the relaxation rules a grid out only with a proof checked in integers.
#include "core/solver.h"

#include "core/clause_counter.h"
#include "core/linear_relaxation.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace korvani {

namespace {

// Bits set in a word. Written out, since std::popcount becomes a library call on processors
// without a popcount instruction, which the game may meet.
constexpr int bitCount(std::uint32_t x) {
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((x * 0x01010101u) >> 24);
}

// Bits set in a 9-bit value (a set of units or digits), by table.
struct NineBitCounts {
    std::uint8_t of[512];
};

constexpr NineBitCounts makeNineBitCounts() {
    NineBitCounts t{};
    for (unsigned x = 0; x < 512; ++x) t.of[x] = static_cast<std::uint8_t>(bitCount(x));
    return t;
}

constexpr NineBitCounts nineBitCounts = makeNineBitCounts();

int countNine(unsigned x) {
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

constexpr PeerTable peerTable = makePeerTable();

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

constexpr CellPlaceTable cellPlaces = makeCellPlaceTable();

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

constexpr LineTables lineTables = makeLineTables();

enum UnitKind { kindRow = 0, kindColumn = 1, kindBox = 2 };

constexpr void unitCells(int kind, int index, std::uint32_t out[3]) {
    for (int b = 0; b < 3; ++b) out[b] = 0;
    if (kind == kindRow) {
        out[index / 3] = bandRowBits(index % 3);
    } else if (kind == kindColumn) {
        for (int b = 0; b < 3; ++b) out[b] = bandColumnBits(index);
    } else {
        out[index / 3] = bandBoxBits(index % 3);
    }
}

// The search state of one node; a branch works on its own copy, so nothing needs undoing.
struct Board {
    std::uint32_t candidates[9][3]; // per digit: the empty cells that may still take it
    std::uint32_t empty[3];
    // Per digit: the units that must still receive it. In a unit without repeated givens every
    // missing digit must be placed; in a unit with them only once its slack is used up.
    std::uint16_t openRows[9];
    std::uint16_t openColumns[9];
    std::uint16_t openBoxes[9];
};

struct LooseUnit {
    int kind;
    int index;
    std::uint32_t cells[3];
};

enum class DigitOrder { natural, scarcestFirst, plentifulFirst };

struct Search {
    std::uint8_t value[81]; // givens, and the digit last placed in each empty cell
    int count = 0;
    CellGrid solution{};
    bool haveEarlier = false; // a completion found by an attempt that gave up
    CellGrid earlier{};
    unsigned dirty = 0;   // digits whose candidates changed since their last unit checks
    long long nodes = 0;  // in this attempt
    long long probes = 0; // in all attempts
    long long probeAfterNodes = 0;
    bool probeFirstBranches = false;
    int depth = 0; // of the node being searched; the start of an attempt is 0
    long long unitMatchingAfterNodes = 0;
    long long nodeLimit = 0; // an attempt that needs more nodes gives up (0: no limit)
    bool gaveUp = false;
    bool omissionsFirst = true;
    unsigned tieBreak = 0; // for chooseBranchCell
    DigitOrder digitOrder = DigitOrder::natural;
    LooseUnit loose[27];
    int looseCount = 0;
    bool tightBand[3] = {};  // its three rows and three boxes hold no repeated given
    bool tightStack[3] = {}; // likewise its three columns and three boxes
};

// Puts `digit` into `cell`; false when the digit is no longer a candidate there.
bool place(Board& board, Search& search, int digit, int cell) {
    const CellPlace& at = cellPlaces.of[cell];
    const int band = at.band;
    const std::uint32_t bit = at.bit;
    if ((board.candidates[digit][band] & bit) == 0) return false;
    unsigned touched = 1u << digit;
    for (int d = 0; d < 9; ++d) {
        const std::uint32_t x = board.candidates[d][band];
        touched |= static_cast<unsigned>((x & bit) != 0) << d;
        board.candidates[d][band] = x & ~bit;
    }
    const std::uint32_t* peers = peerTable.mask[cell];
    for (int b = 0; b < 3; ++b) board.candidates[digit][b] &= ~peers[b];
    board.empty[band] &= ~bit;
    board.openRows[digit] &= at.notRow;
    board.openColumns[digit] &= at.notColumn;
    board.openBoxes[digit] &= at.notBox;
    search.value[cell] = static_cast<std::uint8_t>(digit + 1);
    search.dirty |= touched;
    return true;
}

// Places every cell that has a single candidate. False on a cell without any candidate.
bool nakedSingles(Board& board, Search& search, bool& placed) {
    std::uint32_t singles[3];
    for (int band = 0; band < 3; ++band) {
        std::uint32_t once = 0;
        std::uint32_t twice = 0;
        for (int d = 0; d < 9; ++d) {
            const std::uint32_t x = board.candidates[d][band];
            twice |= once & x;
            once |= x;
        }
        if ((board.empty[band] & ~once) != 0) return false;
        singles[band] = once & ~twice;
    }
    for (int band = 0; band < 3; ++band) {
        if (singles[band] == 0) continue;
        for (int d = 0; d < 9; ++d) {
            std::uint32_t s = singles[band] & board.candidates[d][band];
            while (s != 0) {
                const int bit = std::countr_zero(s);
                s &= s - 1;
                // An earlier single of the same digit in a shared unit leaves this cell with none.
                if (!place(board, search, d, band * 27 + bit)) return false;
                placed = true;
            }
        }
    }
    return true;
}

// Every unit that must still take `d`: no place left is a dead end, one place is forced.
// Places only remove candidates, so a unit seen with one place keeps it or loses it.
bool hiddenSingles(Board& board, Search& search, int d, bool& placed) {
    const std::uint32_t* cand = board.candidates[d];
    for (std::uint32_t open = board.openRows[d]; open != 0; open &= open - 1) {
        const int row = std::countr_zero(open);
        const std::uint32_t bits = cand[row / 3] & bandRowBits(row % 3);
        if (bits == 0) return false;
        if ((bits & (bits - 1)) == 0) {
            place(board, search, d, (row / 3) * 27 + std::countr_zero(bits));
            placed = true;
        }
    }
    for (std::uint32_t open = board.openBoxes[d]; open != 0; open &= open - 1) {
        const int box = std::countr_zero(open);
        if ((board.openBoxes[d] >> box & 1u) == 0) continue;
        const std::uint32_t bits = cand[box / 3] & bandBoxBits(box % 3);
        if (bits == 0) return false;
        if ((bits & (bits - 1)) == 0) {
            place(board, search, d, (box / 3) * 27 + std::countr_zero(bits));
            placed = true;
        }
    }
    if (board.openColumns[d] == 0) return true;
    std::uint32_t once = 0;
    std::uint32_t twice = 0;
    for (int band = 0; band < 3; ++band) {
        for (int i = 0; i < 3; ++i) {
            const std::uint32_t r = cand[band] >> (9 * i) & 0x1FF;
            twice |= once & r;
            once |= r;
        }
    }
    if ((board.openColumns[d] & ~once) != 0) return false;
    for (std::uint32_t single = board.openColumns[d] & ~twice; single != 0; single &= single - 1) {
        const int column = std::countr_zero(single);
        if ((board.openColumns[d] >> column & 1u) == 0) continue;
        const std::uint32_t colBits = bandColumnBits(column);
        int band = 0;
        while (band < 3 && (cand[band] & colBits) == 0) ++band;
        if (band == 3) return false;
        place(board, search, d, band * 27 + std::countr_zero(cand[band] & colBits));
        placed = true;
    }
    return true;
}

// Box-line reduction for `d` in the bands and stacks whose units hold no repeated given: the
// candidates that lie on no permutation of minirows (minicolumns) go; no permutation at all is
// a dead end. Units that already hold the digit count as crossings of each other.
bool boxLine(Board& board, const Search& search, int d, bool& removed) {
    std::uint32_t* cand = board.candidates[d];
    for (int band = 0; band < 3; ++band) {
        if (!search.tightBand[band]) continue;
        const std::uint32_t x = cand[band];
        const unsigned closedRows = ~(board.openRows[d] >> (3 * band)) & 7u;
        const unsigned closedBoxes = ~(board.openBoxes[d] >> (3 * band)) & 7u;
        const unsigned minirows =
            lineTables.triads[x & 0x1FF] | lineTables.triads[x >> 9 & 0x1FF] << 3 |
            lineTables.triads[x >> 18] << 6 | lineTables.cross[closedRows][closedBoxes];
        const unsigned keep = lineTables.keep[minirows];
        if (keep == 0) return false;
        const std::uint32_t reduced = x & lineTables.expand[keep];
        if (reduced != x) {
            cand[band] = reduced;
            removed = true;
        }
    }
    unsigned columnsPerBand[3]; // the columns that hold a candidate, band by band
    for (int band = 0; band < 3; ++band) {
        const std::uint32_t x = cand[band];
        columnsPerBand[band] = x | x >> 9 | x >> 18;
    }
    for (int stack = 0; stack < 3; ++stack) {
        if (!search.tightStack[stack]) continue;
        const unsigned minicolumns = (columnsPerBand[0] >> (3 * stack) & 7u) |
                                     (columnsPerBand[1] >> (3 * stack) & 7u) << 3 |
                                     (columnsPerBand[2] >> (3 * stack) & 7u) << 6;
        const unsigned openColumns = board.openColumns[d] >> (3 * stack) & 7u;
        const unsigned openBoxes = ((board.openBoxes[d] >> stack) & 1u) |
                                   ((board.openBoxes[d] >> (stack + 2)) & 2u) |
                                   ((board.openBoxes[d] >> (stack + 4)) & 4u);
        // Bit 3 * band + column here, so the boxes of the stack play the part of rows.
        const unsigned keep =
            lineTables.keep[minicolumns | lineTables.cross[~openBoxes & 7u][~openColumns & 7u]];
        if (keep == 0) return false;
        for (int band = 0; band < 3; ++band) {
            const unsigned allowed = keep >> (3 * band) & 7u;
            if (allowed == 7u) continue;
            const std::uint32_t x = cand[band];
            const std::uint32_t reduced =
                x & (~bandBoxBits(stack) | lineTables.stackColumns[stack][allowed]);
            if (reduced != x) {
                cand[band] = reduced;
                removed = true;
            }
        }
    }
    return true;
}

std::uint16_t& openMask(Board& board, int kind, int digit) {
    if (kind == kindRow) return board.openRows[digit];
    if (kind == kindColumn) return board.openColumns[digit];
    return board.openBoxes[digit];
}

// The cells of one unit as bits 0..8, from a digit's band words.
unsigned unitBits(const std::uint32_t words[3], int kind, int index) {
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

constexpr int regionCount = 7;

constexpr Region regions[regionCount] = {
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

constexpr UnitGroupCounts unitGroupCounts = makeUnitGroupCounts();

// Per region and kind: where unitGroupCounts keeps the count of the region's units of that kind
// (-1: they do not make up the region).
constexpr int regionGroupShift[regionCount][3] = {
    {0, -1, 0}, {4, -1, 4}, {8, -1, 8}, {-1, 0, 12}, {-1, 4, 16}, {-1, 8, 20}, {24, 24, 24},
};

// Per kind: the units that hold a candidate of `d`.
void reachableUnits(const Board& board, int d, unsigned can[3]) {
    const std::uint32_t* cand = board.candidates[d];
    unsigned rows = 0;
    unsigned boxes = 0;
    unsigned columns = 0;
    for (int band = 0; band < 3; ++band) {
        const std::uint32_t x = cand[band];
        const unsigned r0 = x & 0x1FFu;
        const unsigned r1 = x >> 9 & 0x1FFu;
        const unsigned r2 = x >> 18;
        const unsigned bandRows = static_cast<unsigned>(r0 != 0) |
                                  static_cast<unsigned>(r1 != 0) << 1 |
                                  static_cast<unsigned>(r2 != 0) << 2;
        rows |= bandRows << (3 * band);
        boxes |= static_cast<unsigned>(lineTables.triads[r0] | lineTables.triads[r1] |
                                       lineTables.triads[r2])
                 << (3 * band);
        columns |= r0 | r1 | r2;
    }
    can[kindRow] = rows;
    can[kindColumn] = columns;
    can[kindBox] = boxes;
}

// Units whose givens repeat a digit need not take every missing digit, only as many as they
// have empty cells, so hidden singles and box-line permutations do not hold there. What holds:
// - In such a unit, the digits that can still go there may not be fewer than its empty cells;
//   when they are just as many, each of them must go there.
// - In every region, each partition into units gives a range for the number of placements of
//   a digit there (the units that must take it up to the units that can), and the ranges must
//   meet. Where the units of one partition that can take the digit just reach the lower end,
//   all of them must; where those that must already reach the upper end, no other may.
// - The placements of all digits in a region add up to its empty cells.
bool looseUnits(Board& board, Search& search) {
    // Per digit and kind: the units that hold a candidate of it. Only a strike below changes
    // them, and it recomputes them.
    unsigned can[9][3];
    for (int d = 0; d < 9; ++d) reachableUnits(board, d, can[d]);
    for (int k = 0; k < search.looseCount; ++k) {
        const LooseUnit& unit = search.loose[k];
        const int emptyCells = countNine(unitBits(board.empty, unit.kind, unit.index));
        if (emptyCells == 0) continue;
        unsigned placeable = 0;
        for (int d = 0; d < 9; ++d) placeable |= (can[d][unit.kind] >> unit.index & 1u) << d;
        const int n = countNine(placeable);
        if (n < emptyCells) return false;
        if (n == emptyCells) {
            for (unsigned p = placeable; p != 0; p &= p - 1) {
                const int d = std::countr_zero(p);
                std::uint16_t& open = openMask(board, unit.kind, d);
                const std::uint16_t bit = static_cast<std::uint16_t>(1u << unit.index);
                if ((open & bit) == 0) {
                    open |= bit;
                    search.dirty |= 1u << d;
                }
            }
        }
    }

    // Per region and digit, the bounds; per region, their sums.
    int low[regionCount][9];
    int high[regionCount][9];
    int lowSum[regionCount] = {};
    int highSum[regionCount] = {};
    for (int d = 0; d < 9; ++d) {
        const std::uint32_t must[3] = {unitGroupCounts.of[board.openRows[d]],
                                       unitGroupCounts.of[board.openColumns[d]],
                                       unitGroupCounts.of[board.openBoxes[d]]};
        const std::uint32_t reach[3] = {unitGroupCounts.of[can[d][kindRow]],
                                        unitGroupCounts.of[can[d][kindColumn]],
                                        unitGroupCounts.of[can[d][kindBox]]};
        for (int r = 0; r < regionCount; ++r) {
            int lo = 0;
            int hi = 9;
            for (int kind = 0; kind < 3; ++kind) {
                const int shift = regionGroupShift[r][kind];
                if (shift < 0) continue;
                // An open unit without a candidate makes low exceed high: a dead end.
                const int m = static_cast<int>(must[kind] >> shift & 0xFu);
                const int c = static_cast<int>(reach[kind] >> shift & 0xFu);
                if (m > lo) lo = m;
                if (c < hi) hi = c;
            }
            if (lo > hi) return false;
            low[r][d] = lo;
            high[r][d] = hi;
            lowSum[r] += lo;
            highSum[r] += hi;
        }
    }
    const int bandEmpty[3] = {bitCount(board.empty[0]), bitCount(board.empty[1]),
                              bitCount(board.empty[2])};
    for (int r = 0; r < regionCount; ++r) {
        int emptyCells;
        if (r < 3) {
            emptyCells = bandEmpty[r];
        } else if (r < 6) {
            const std::uint32_t stack = regions[r].cells[0];
            emptyCells = bitCount(board.empty[0] & stack) + bitCount(board.empty[1] & stack) +
                         bitCount(board.empty[2] & stack);
        } else {
            emptyCells = bandEmpty[0] + bandEmpty[1] + bandEmpty[2];
        }
        if (lowSum[r] > emptyCells || highSum[r] < emptyCells) return false;
        // When the sums leave no room, every digit sits at the end of its range.
        if (lowSum[r] == emptyCells) {
            for (int d = 0; d < 9; ++d) high[r][d] = low[r][d];
        } else if (highSum[r] == emptyCells) {
            for (int d = 0; d < 9; ++d) low[r][d] = high[r][d];
        }
    }
    // The bounds stay valid while the board only narrows, so they may be applied one by one.
    for (int d = 0; d < 9; ++d) {
        std::uint32_t reachCounts[3] = {unitGroupCounts.of[can[d][kindRow]],
                                        unitGroupCounts.of[can[d][kindColumn]],
                                        unitGroupCounts.of[can[d][kindBox]]};
        for (int r = 0; r < regionCount; ++r) {
            for (int kind = 0; kind < 3; ++kind) {
                const int shift = regionGroupShift[r][kind];
                if (shift < 0) continue;
                std::uint16_t& open = openMask(board, kind, d);
                const int reachCount = static_cast<int>(reachCounts[kind] >> shift & 0xFu);
                const int openCount = static_cast<int>(unitGroupCounts.of[open] >> shift & 0xFu);
                if (reachCount > low[r][d] && openCount < high[r][d]) continue;
                const unsigned optional =
                    can[d][kind] & regions[r].units[kind] & ~static_cast<unsigned>(open);
                if (optional == 0) continue;
                if (reachCount <= low[r][d]) {
                    open = static_cast<std::uint16_t>(open | optional);
                    search.dirty |= 1u << d;
                } else {
                    for (unsigned u = optional; u != 0; u &= u - 1) {
                        std::uint32_t unitCellMask[3];
                        unitCells(kind, std::countr_zero(u), unitCellMask);
                        for (int band = 0; band < 3; ++band)
                            board.candidates[d][band] &= ~unitCellMask[band];
                    }
                    search.dirty |= 1u << d;
                    reachableUnits(board, d, can[d]);
                    for (int k = 0; k < 3; ++k) reachCounts[k] = unitGroupCounts.of[can[d][k]];
                }
            }
        }
    }
    return true;
}

// Applies the deductions until none applies; false on a dead end.
bool propagate(Board& board, Search& search) {
    for (;;) {
        bool changed = false;
        if (!nakedSingles(board, search, changed)) return false;
        if (changed) continue;
        if (search.dirty != 0) {
            // Each digit that changed gets its unit checks; placements mark digits again.
            unsigned pending = search.dirty;
            search.dirty = 0;
            while (pending != 0) {
                const int d = std::countr_zero(pending);
                pending &= pending - 1;
                bool removed = false;
                if (!hiddenSingles(board, search, d, changed)) return false;
                if (!boxLine(board, search, d, removed)) return false;
                if (removed) {
                    search.dirty |= 1u << d;
                    changed = true;
                }
            }
            continue;
        }
        if (search.looseCount == 0) return true;
        if (!looseUnits(board, search)) return false;
        if (search.dirty == 0) return true;
    }
}

// Tries every candidate of every empty cell on a copy of the board with the deductions, and
// strikes out each one that leads to a dead end; one pass over the cells. Where units hold
// repeated givens the deductions see little of what each unit still needs, and a grid without
// completion can keep the branching busy for tens of thousands of nodes, while single tries
// expose it at once. Striking out is sound: no completion holds a candidate whose placement
// deduces a dead end. (The tries write the digits of cells that are empty here into `value`;
// every completion found later places those cells again.) False when the board is a dead end.
bool strikeFailingCandidates(Board& board, Search& search) {
    for (int cell = 0; cell < 81; ++cell) {
        const int band = cell / 27;
        const std::uint32_t bit = 1u << (cell % 27);
        for (int d = 0; d < 9 && (board.empty[band] & bit) != 0; ++d) {
            if ((board.candidates[d][band] & bit) == 0) continue;
            Board trial = board;
            search.dirty = 0;
            ++search.probes;
            place(trial, search, d, cell);
            if (propagate(trial, search)) continue;
            board.candidates[d][band] &= ~bit;
            search.dirty = 1u << d;
            if (!propagate(board, search)) return false;
        }
    }
    search.dirty = 0;
    return true;
}

// Branch on a cell with the fewest candidates; among those, on the one whose digits have the
// most candidates among its peers, since each try then removes the most. A nonzero `tieBreak`
// picks among the cells with the fewest candidates by a hash instead, a different one for each
// value.
int chooseBranchCell(const Board& board, unsigned tieBreak) {
    std::uint32_t choice[3];
    bool havePairs = false;
    for (int band = 0; band < 3; ++band) {
        std::uint32_t once = 0;
        std::uint32_t twice = 0;
        std::uint32_t thrice = 0;
        for (int d = 0; d < 9; ++d) {
            const std::uint32_t x = board.candidates[d][band];
            thrice |= twice & x;
            twice |= once & x;
            once |= x;
        }
        choice[band] = twice & ~thrice;
        if (choice[band] != 0) havePairs = true;
    }
    if (!havePairs) {
        int fewest = 10;
        for (int band = 0; band < 3; ++band) {
            choice[band] = 0;
            for (std::uint32_t e = board.empty[band]; e != 0; e &= e - 1) {
                const int bit = std::countr_zero(e);
                int n = 0;
                for (int d = 0; d < 9; ++d)
                    n += static_cast<int>(board.candidates[d][band] >> bit & 1u);
                if (n < fewest) {
                    fewest = n;
                    for (int b = 0; b < band; ++b) choice[b] = 0;
                    choice[band] = 0;
                }
                if (n == fewest) choice[band] |= 1u << bit;
            }
        }
    }
    int best = -1;
    int bestScore = -1;
    for (int band = 0; band < 3; ++band) {
        for (std::uint32_t p = choice[band]; p != 0; p &= p - 1) {
            const int bit = std::countr_zero(p);
            const int cell = band * 27 + bit;
            const std::uint32_t* peers = peerTable.mask[cell];
            int score = 0;
            for (int d = 0; d < 9; ++d) {
                const std::uint32_t* cand = board.candidates[d];
                if ((cand[band] >> bit & 1u) == 0) continue;
                score += bitCount(cand[0] & peers[0]) + bitCount(cand[1] & peers[1]) +
                         bitCount(cand[2] & peers[2]);
            }
            if (tieBreak != 0) {
                const std::uint32_t h =
                    (static_cast<std::uint32_t>(cell) + 1) * 0x9E3779B1u ^ tieBreak * 0x85EBCA77u;
                score = static_cast<int>((h ^ h >> 15) * 0xC2B2AE3Du >> 8);
            }
            if (score > bestScore) {
                bestScore = score;
                best = cell;
            }
        }
    }
    return best;
}

// Digits matched to cells of one unit, grown by augmenting paths.
struct UnitMatching {
    unsigned positions[9]; // per digit: the unit's cells that may take it
    int digitOfCell[9];
    unsigned visited;

    bool augment(int d) {
        for (unsigned free = positions[d] & ~visited; free != 0; free = positions[d] & ~visited) {
            const int c = std::countr_zero(free);
            visited |= 1u << c;
            if (digitOfCell[c] < 0 || augment(digitOfCell[c])) {
                digitOfCell[c] = d;
                return true;
            }
        }
        return false;
    }
};

// Every empty cell of a unit needs a digit of its own: the board is a dead end when the digits
// that can go there cannot be matched to all its cells (three digits with room in only two
// cells, say). Singles and box-line reasoning see only one digit or one cell at a time, so a
// grid built around such a set could otherwise cost thousands of branches.
bool unitsCanBeFilled(const Board& board) {
    // Per kind, unit and digit the unit's cells (bits 0..8) that may take the digit; the last
    // "digit" stands for the empty cells.
    unsigned positions[3][9][10] = {};
    for (int d = 0; d < 10; ++d) {
        const std::uint32_t* words = d < 9 ? board.candidates[d] : board.empty;
        for (int index = 0; index < 9; ++index) {
            const unsigned row = unitBits(words, kindRow, index);
            positions[kindRow][index][d] = row;
            positions[kindBox][index][d] = unitBits(words, kindBox, index);
            for (unsigned r = row; r != 0; r &= r - 1)
                positions[kindColumn][std::countr_zero(r)][d] |= 1u << index;
        }
    }
    for (int kind = 0; kind < 3; ++kind) {
        for (int index = 0; index < 9; ++index) {
            const int need = bitCount(positions[kind][index][9]);
            if (need < 3) continue; // fewer are covered by the singles
            // Mostly each digit finds a free cell at once; only otherwise augment.
            const unsigned* digitPositions = positions[kind][index];
            unsigned taken = 0;
            int matched = 0;
            for (int d = 0; d < 9; ++d) {
                const unsigned free = digitPositions[d] & ~taken;
                if (free == 0) continue;
                taken |= free & (0u - free);
                ++matched;
            }
            if (matched == need) continue;
            UnitMatching m;
            for (int c = 0; c < 9; ++c) m.digitOfCell[c] = -1;
            matched = 0;
            for (int d = 0; d < 9 && matched < need; ++d) {
                m.positions[d] = digitPositions[d];
                if (m.positions[d] == 0) continue;
                m.visited = 0;
                if (m.augment(d)) ++matched;
            }
            if (matched < need) return false;
        }
    }
    return true;
}

void searchBoard(Board& board, Search& search);

// Repeated givens leave a unit more missing digits than empty cells; which of them stay out is
// the real choice in such grids, and once it is made the unit is as strict as any other, so
// the choice is made first where a unit leaves out a single digit: one branch per digit that
// may be it, the others becoming required. (A unit that leaves out several digits is nearly
// free; its cells are branched on like any others.) Returns false when there is no such unit.
bool branchOnOmission(const Board& board, Search& search) {
    int bestUnit = -1;
    int bestChoices = 10;
    unsigned bestOptional = 0;
    for (int k = 0; k < search.looseCount; ++k) {
        const LooseUnit& unit = search.loose[k];
        const int emptyCells = countNine(unitBits(board.empty, unit.kind, unit.index));
        if (emptyCells == 0) continue;
        unsigned placeable = 0;
        unsigned optional = 0; // placeable, but not yet required
        for (int d = 0; d < 9; ++d) {
            if (unitBits(board.candidates[d], unit.kind, unit.index) == 0) continue;
            placeable |= 1u << d;
            const std::uint16_t open = unit.kind == kindRow      ? board.openRows[d]
                                       : unit.kind == kindColumn ? board.openColumns[d]
                                                                 : board.openBoxes[d];
            if ((open >> unit.index & 1u) == 0) optional |= 1u << d;
        }
        if (optional == 0 || bitCount(placeable) != emptyCells + 1) continue;
        if (bitCount(optional) < bestChoices) {
            bestUnit = k;
            bestChoices = bitCount(optional);
            bestOptional = optional;
        }
    }
    if (bestUnit < 0) return false;

    // Exactly one placeable digit stays out, and a required one cannot: the branches cover
    // every completion once.
    const LooseUnit& unit = search.loose[bestUnit];
    const std::uint16_t unitBit = static_cast<std::uint16_t>(1u << unit.index);
    for (unsigned o = bestOptional; o != 0; o &= o - 1) {
        const int d = std::countr_zero(o);
        Board next = board;
        for (int b = 0; b < 3; ++b) next.candidates[d][b] &= ~unit.cells[b];
        for (unsigned r = bestOptional & ~(1u << d); r != 0; r &= r - 1)
            openMask(next, unit.kind, std::countr_zero(r)) |= unitBit;
        search.dirty = 0x1FF;
        ++search.depth;
        searchBoard(next, search);
        --search.depth;
        if (search.count > 1 || search.gaveUp) break;
    }
    return true;
}

// A completion is a completion whichever attempt finds it: one that an attempt found before it
// gave up and another that a later attempt finds already make two.
void recordCompletion(Search& search) {
    if (++search.count > 1) return;
    for (int i = 0; i < 81; ++i) search.solution[i] = search.value[i];
    if (search.haveEarlier && search.solution != search.earlier) search.count = 2;
}

// The candidates of a cell in the order the branches try them; returns how many. Where
// completions are few, which digit comes first decides how soon the search meets one, and no
// order suits every grid: digits in their own order, the scarcest digits on the board first
// (they fill cells that the common ones cannot), or the most plentiful first.
int orderDigits(const Board& board, int band, std::uint32_t bit, DigitOrder digitOrder,
                int order[9]) {
    int n = 0;
    for (int d = 0; d < 9; ++d) {
        if ((board.candidates[d][band] & bit) != 0) order[n++] = d;
    }
    if (digitOrder == DigitOrder::natural) return n;
    int key[9];
    for (int i = 0; i < n; ++i) {
        const std::uint32_t* cand = board.candidates[order[i]];
        const int places = bitCount(cand[0]) + bitCount(cand[1]) + bitCount(cand[2]);
        key[order[i]] = digitOrder == DigitOrder::scarcestFirst ? places : -places;
    }
    for (int i = 1; i < n; ++i) {
        for (int j = i; j > 0 && key[order[j]] < key[order[j - 1]]; --j) {
            const int t = order[j];
            order[j] = order[j - 1];
            order[j - 1] = t;
        }
    }
    return n;
}

void searchBoard(Board& board, Search& search) {
    if (++search.nodes > search.nodeLimit && search.nodeLimit != 0) {
        search.gaveUp = true;
        return;
    }
    if (!propagate(board, search)) return;
    // The tries pay most near the top of the tree, where a strike spares a whole subtree; deep
    // down, where each strikes little, they are kept for searches that have run long.
    const bool probe =
        (search.probeFirstBranches && search.depth == 1) || search.nodes > search.probeAfterNodes;
    if (probe && !strikeFailingCandidates(board, search)) return;
    if ((board.empty[0] | board.empty[1] | board.empty[2]) == 0) {
        recordCompletion(search);
        return;
    }
    if ((search.nodes == 1 || search.nodes > search.unitMatchingAfterNodes) &&
        !unitsCanBeFilled(board))
        return;
    if (search.omissionsFirst && search.looseCount != 0 && branchOnOmission(board, search)) return;
    const int cell = chooseBranchCell(board, search.tieBreak);
    const int band = cell / 27;
    const std::uint32_t bit = 1u << (cell % 27);
    int order[9];
    const int choices = orderDigits(board, band, bit, search.digitOrder, order);
    for (int i = 0; i < choices; ++i) {
        const int d = order[i];
        Board next = board;
        search.dirty = 0;
        place(next, search, d, cell);
        ++search.depth;
        searchBoard(next, search);
        --search.depth;
        if (search.count > 1 || search.gaveUp) return;
    }
}

// What the deductions leave of the root `board`: the givens and the digits they placed, the
// candidates they left and the digits they found that units must take, including those of
// units with repeated givens. A dead end comes out as an empty cell without candidates.
struct NarrowedRoot {
    CellGrid filled{};
    DigitMask candidates[81] = {};
    DigitMask required[27] = {};
};

void narrowRoot(const Board& board, Search& search, NarrowedRoot& out) {
    Board root = board;
    search.dirty = 0x1FF;
    if (!propagate(root, search)) return;
    for (int cell = 0; cell < 81; ++cell) {
        const int band = cell / 27;
        const std::uint32_t bit = 1u << (cell % 27);
        if ((root.empty[band] & bit) == 0) {
            out.filled[cell] = search.value[cell];
            continue;
        }
        for (int d = 0; d < 9; ++d) {
            if ((root.candidates[d][band] & bit) != 0)
                out.candidates[cell] |= digitMaskTable[d + 1];
        }
    }
    for (int d = 0; d < 9; ++d) {
        for (int index = 0; index < 9; ++index) {
            if ((root.openRows[d] >> index & 1u) != 0) out.required[index] |= digitMaskTable[d + 1];
            if ((root.openColumns[d] >> index & 1u) != 0)
                out.required[9 + index] |= digitMaskTable[d + 1];
            if ((root.openBoxes[d] >> index & 1u) != 0)
                out.required[18 + index] |= digitMaskTable[d + 1];
        }
    }
}

} // namespace

SolveResult solveGivens(const CellGrid& givens) {
    return solveGivens(givens, nullptr);
}

SolveResult solveGivens(const CellGrid& givens, SolveStats* stats, const SolveOptions* options) {
    SolveResult result;
    if (stats != nullptr) *stats = SolveStats{};
    for (std::uint8_t value : givens) {
        if (value > 9) return result; // not a grid of digits: no completion
    }

    Search search;
    const SolveOptions settings = options != nullptr ? *options : SolveOptions{};
    search.unitMatchingAfterNodes = settings.unitMatchingAfterNodes;
    search.probeAfterNodes = settings.probeAfterNodes;
    Board board{};
    // Digits given per unit, and whether some digit is given twice in it.
    DigitMask seen[3][9] = {};
    bool repeated[3][9] = {};
    std::uint32_t blocked[9][3] = {}; // per digit: cells that see a given of that digit
    for (int cell = 0; cell < 81; ++cell) {
        search.value[cell] = givens[cell];
        const int band = cell / 27;
        if (givens[cell] == 0) {
            board.empty[band] |= 1u << (cell % 27);
            continue;
        }
        const int d = givens[cell] - 1;
        const int index[3] = {rowOf(cell), columnOf(cell), boxOf(cell)};
        for (int kind = 0; kind < 3; ++kind) {
            if ((seen[kind][index[kind]] & (1u << d)) != 0) repeated[kind][index[kind]] = true;
            seen[kind][index[kind]] |= static_cast<DigitMask>(1u << d);
        }
        for (int b = 0; b < 3; ++b) blocked[d][b] |= peerTable.mask[cell][b];
    }
    for (int d = 0; d < 9; ++d) {
        for (int b = 0; b < 3; ++b) board.candidates[d][b] = board.empty[b] & ~blocked[d][b];
    }
    for (int kind = 0; kind < 3; ++kind) {
        for (int index = 0; index < 9; ++index) {
            if (repeated[kind][index]) {
                LooseUnit& unit = search.loose[search.looseCount++];
                unit.kind = kind;
                unit.index = index;
                unitCells(kind, index, unit.cells);
                continue;
            }
            for (int d = 0; d < 9; ++d) {
                if ((seen[kind][index] & (1u << d)) == 0)
                    openMask(board, kind, d) |= static_cast<std::uint16_t>(1u << index);
            }
        }
    }

    for (int i = 0; i < 3; ++i) {
        search.tightBand[i] = !repeated[kindRow][3 * i] && !repeated[kindRow][3 * i + 1] &&
                              !repeated[kindRow][3 * i + 2] && !repeated[kindBox][3 * i] &&
                              !repeated[kindBox][3 * i + 1] && !repeated[kindBox][3 * i + 2];
        search.tightStack[i] = !repeated[kindColumn][3 * i] && !repeated[kindColumn][3 * i + 1] &&
                               !repeated[kindColumn][3 * i + 2] && !repeated[kindBox][i] &&
                               !repeated[kindBox][i + 3] && !repeated[kindBox][i + 6];
    }

    long long totalNodes = 0;
    // One search from `from`, given up after `limit` nodes (0: none); true when it finished.
    auto attempt = [&](const Board& from, long long limit, bool omissionsFirst, unsigned tieBreak,
                       DigitOrder digitOrder) {
        Board start = from;
        search.count = 0;
        search.nodes = 0;
        search.gaveUp = false;
        search.nodeLimit = limit;
        search.omissionsFirst = omissionsFirst;
        search.tieBreak = tieBreak;
        search.digitOrder = digitOrder;
        search.dirty = 0x1FF;
        searchBoard(start, search);
        totalNodes += search.nodes;
        if (search.gaveUp && search.count == 1 && !search.haveEarlier) {
            search.haveEarlier = true;
            search.earlier = search.solution;
        }
        return !search.gaveUp || search.count > 1;
    };

    bool finished = false;
    if (search.looseCount != 0) {
        // Most grids with repeated givens have completions everywhere and end in a short search.
        if (settings.quickAttemptNodes > 0)
            finished =
                attempt(board, settings.quickAttemptNodes, false, 0, DigitOrder::scarcestFirst);
        // Tries at the root would end most of the others, those without completion, before
        // any branch; but the clause counter, which counts the digits each unit uses, ends them
        // sooner (over the hunted and fuzzed grids, a third less time in all), so they are left
        // to it unless asked for.
        if (!finished && settings.probeRootOfRepeatedGivens) {
            ++totalNodes;
            search.dirty = 0x1FF;
            if (!propagate(board, search) || !strikeFailingCandidates(board, search)) {
                search.count = 0;
                finished = true;
            }
        }
        // Past the short search, the first branches of every attempt try their candidates too.
        search.probeFirstBranches = settings.probeFirstBranchesOfRepeatedGivens;
    }
    // A search can lose itself for millions of nodes below one unlucky early choice where
    // another order of cells ends in dozens. So a search that runs long gives way to a fresh
    // one with twice the limit, which breaks ties between the cells with the fewest candidates
    // its own way and takes the next order of digits. With repeated givens they also alternate
    // the two ways of branching (cells only, or the digits that units leave out first), either
    // of which can lose itself where the other is quick. The limits grow without end, so the
    // last search is complete.
    constexpr DigitOrder digitOrders[3] = {DigitOrder::natural, DigitOrder::scarcestFirst,
                                           DigitOrder::plentifulFirst};
    long long limit = search.looseCount != 0 ? settings.firstAttemptNodesRepeatedGivens
                                             : settings.firstAttemptNodes;
    // Where even that runs long, the same dead end is usually being met again and again in new
    // places, which is what clause learning remembers. So each attempt is preceded by a run of
    // the clause counter, which keeps what it learned from run to run and is complete too;
    // strict grids, nearly all of which the first attempt settles, start it from the second.
    // Neither way settles every grid quickly, and on strict grids a conflict costs about as much
    // as four nodes: there the counter gets about two thirds of the time, so a grid that either
    // of them settles quickly is never much slower than that. On grids with repeated givens the
    // counter, which counts the digits each unit uses, settles the hard ones in a few hundred
    // conflicts where branching takes thousands of nodes, and there a node, which matches
    // units and tries candidates, costs about two thirds of a conflict; so the counter gets
    // about fifteen sixteenths of the time, and branching stays as a hedge.
    ClauseCounter clauses;
    bool clausesReady = false;
    bool clausesSettled = false;
    // Most grids with repeated givens that the short search leaves have no completion, and the
    // hardest of those for both engines fail a count that adds up the digits of many units at
    // once: the linear relaxation finds that in one search, where the counter would prove it one
    // placement at a time over thousands of conflicts. The two take turns in slices within the
    // counter's runs, so that each grid costs little more than what the quicker of them needs.
    LinearRelaxation relaxation;
    bool relaxationReady = false;
    bool ruledOut = false;
    NarrowedRoot root;
    const unsigned firstClauseRun = search.looseCount != 0 ? 0 : 1;
    for (unsigned k = 0; !finished; ++k, limit *= 2) {
        if (k >= firstClauseRun && settings.clauseLearning) {
            if (k == firstClauseRun) {
                narrowRoot(board, search, root);
                clausesReady = clauses.start(root.filled, root.candidates, root.required);
                relaxationReady = search.looseCount != 0 &&
                                  settings.relaxationStepsPerConflict > 0 && search.count == 0 &&
                                  !search.haveEarlier &&
                                  relaxation.start(root.filled, root.candidates, root.required);
            }
            const long long perHundred = search.looseCount != 0
                                             ? settings.conflictsPerHundredNodesRepeatedGivens
                                             : settings.conflictsPerHundredNodes;
            const long long budget = limit * perHundred / 100;
            const long long slice =
                relaxationReady ? std::max(1LL, settings.relaxationSlice) : std::max(1LL, budget);
            long long used = 0;
            do { // at least one run, even with no conflicts to spend
                const long long conflicts = std::min(slice, budget - used);
                clausesSettled = clausesReady && clauses.run(conflicts);
                ruledOut = !clausesSettled && relaxationReady &&
                           relaxation.run(conflicts * settings.relaxationStepsPerConflict);
                used += slice;
            } while (used < budget && !clausesSettled && !ruledOut);
            if (clausesSettled || ruledOut) break;
        }
        finished = attempt(board, limit, search.looseCount != 0 && k % 2 == 1, k,
                           digitOrders[(k + (search.looseCount != 0 ? 1 : 0)) % 3]);
    }
    if (ruledOut) {
        result.count = 0;
    } else if (clausesSettled) {
        result.count = clauses.count();
        if (result.count == 1) result.solution = clauses.solution();
    } else {
        result.count = search.count;
        if (search.count == 1) result.solution = search.solution;
    }
    if (stats != nullptr) {
        stats->nodes = totalNodes;
        stats->probes = search.probes;
        stats->conflicts = clauses.conflicts();
        stats->relaxationSteps = relaxation.steps();
    }
    return result;
}

} // namespace korvani
