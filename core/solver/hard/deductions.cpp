// The deductions of the branching search: naked and hidden singles, box-line reduction, the
// counting that loose units need, failed-candidate strikes and the matching check
// of whole units. Each only removes what no completion can hold.
#include "core/solver/hard/board.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace korvani::solver {

namespace {

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
    for (std::uint32_t required = board.requiredRows[d]; required != 0; required &= required - 1) {
        const int row = std::countr_zero(required);
        const std::uint32_t bits = cand[row / 3] & bandRowBits(row % 3);
        if (bits == 0) return false;
        if ((bits & (bits - 1)) == 0) {
            place(board, search, d, (row / 3) * 27 + std::countr_zero(bits));
            placed = true;
        }
    }
    for (std::uint32_t required = board.requiredBoxes[d]; required != 0; required &= required - 1) {
        const int box = std::countr_zero(required);
        if ((board.requiredBoxes[d] >> box & 1u) == 0) continue;
        const std::uint32_t bits = cand[box / 3] & bandBoxBits(box % 3);
        if (bits == 0) return false;
        if ((bits & (bits - 1)) == 0) {
            place(board, search, d, (box / 3) * 27 + std::countr_zero(bits));
            placed = true;
        }
    }
    if (board.requiredColumns[d] == 0) return true;
    std::uint32_t once = 0;
    std::uint32_t twice = 0;
    for (int band = 0; band < 3; ++band) {
        for (int i = 0; i < 3; ++i) {
            const std::uint32_t r = cand[band] >> (9 * i) & 0x1FF;
            twice |= once & r;
            once |= r;
        }
    }
    if ((board.requiredColumns[d] & ~once) != 0) return false;
    for (std::uint32_t single = board.requiredColumns[d] & ~twice; single != 0;
         single &= single - 1) {
        const int column = std::countr_zero(single);
        if ((board.requiredColumns[d] >> column & 1u) == 0) continue;
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
        const unsigned closedRows = ~(board.requiredRows[d] >> (3 * band)) & 7u;
        const unsigned closedBoxes = ~(board.requiredBoxes[d] >> (3 * band)) & 7u;
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
        const unsigned requiredColumns = board.requiredColumns[d] >> (3 * stack) & 7u;
        const unsigned requiredBoxes = ((board.requiredBoxes[d] >> stack) & 1u) |
                                       ((board.requiredBoxes[d] >> (stack + 2)) & 2u) |
                                       ((board.requiredBoxes[d] >> (stack + 4)) & 4u);
        // Bit 3 * band + column here, so the boxes of the stack play the part of rows.
        const unsigned keep =
            lineTables
                .keep[minicolumns | lineTables.cross[~requiredBoxes & 7u][~requiredColumns & 7u]];
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

// Loose units need not take every missing digit, only as many as they have empty cells, so
// hidden singles and box-line permutations do not hold there. What holds:
// - In such a unit, the digits that can still go there may not be fewer than its empty cells;
//   when they are just as many, each of them is required there.
// - In every region, each partition into units gives a range for the number of placements of
//   a digit there (the units that require it up to the units that can take it), and the ranges
//   must meet. Where the units of one partition that can take the digit just reach the lower
//   end, all of them require it; where those that require it already reach the upper end, no
//   other may take it.
// - The placements of all digits in a region add up to its empty cells.

// The first rule; `can` holds per digit and kind the units with a candidate of it.
bool looseUnitsHaveDigitsEnough(Board& board, Search& search, const unsigned can[9][3]) {
    for (int k = 0; k < search.looseCount; ++k) {
        const LooseUnit& unit = search.loose[k];
        const int emptyCells = countNine(unitBits(board.empty, unit.kind, unit.index));
        if (emptyCells == 0) continue;
        unsigned placeable = 0;
        for (int d = 0; d < 9; ++d) placeable |= (can[d][unit.kind] >> unit.index & 1u) << d;
        const int n = countNine(placeable);
        if (n < emptyCells) return false;
        if (n != emptyCells) continue;
        for (unsigned p = placeable; p != 0; p &= p - 1) {
            const int d = std::countr_zero(p);
            std::uint16_t& required = requiredUnits(board, unit.kind, d);
            const std::uint16_t bit = static_cast<std::uint16_t>(1u << unit.index);
            if ((required & bit) == 0) {
                required |= bit;
                search.dirty |= 1u << d;
            }
        }
    }
    return true;
}

// Per region and digit, the range of its placements there.
struct RegionRanges {
    int low[regionCount][9];
    int high[regionCount][9];
};

int emptyCellsOf(const Board& board, int region) {
    const std::uint32_t* cells = regions[region].cells;
    return bitCount(board.empty[0] & cells[0]) + bitCount(board.empty[1] & cells[1]) +
           bitCount(board.empty[2] & cells[2]);
}

// The second and third rules: the ranges, narrowed where their sums leave no room; false when
// they cannot meet.
bool findRegionRanges(const Board& board, const unsigned can[9][3], RegionRanges& out) {
    int lowSum[regionCount] = {};
    int highSum[regionCount] = {};
    for (int d = 0; d < 9; ++d) {
        const std::uint32_t must[3] = {unitGroupCounts.of[board.requiredRows[d]],
                                       unitGroupCounts.of[board.requiredColumns[d]],
                                       unitGroupCounts.of[board.requiredBoxes[d]]};
        const std::uint32_t reach[3] = {unitGroupCounts.of[can[d][kindRow]],
                                        unitGroupCounts.of[can[d][kindColumn]],
                                        unitGroupCounts.of[can[d][kindBox]]};
        for (int r = 0; r < regionCount; ++r) {
            int lo = 0;
            int hi = 9;
            for (int kind = 0; kind < 3; ++kind) {
                const int shift = regionGroupShift[r][kind];
                if (shift < 0) continue;
                // A unit that requires the digit but has no candidate for it makes low exceed
                // high: a dead end.
                lo = std::max(lo, static_cast<int>(must[kind] >> shift & 0xFu));
                hi = std::min(hi, static_cast<int>(reach[kind] >> shift & 0xFu));
            }
            if (lo > hi) return false;
            out.low[r][d] = lo;
            out.high[r][d] = hi;
            lowSum[r] += lo;
            highSum[r] += hi;
        }
    }
    for (int r = 0; r < regionCount; ++r) {
        const int emptyCells = emptyCellsOf(board, r);
        if (lowSum[r] > emptyCells || highSum[r] < emptyCells) return false;
        // When the sums leave no room, every digit sits at the end of its range.
        if (lowSum[r] == emptyCells) {
            for (int d = 0; d < 9; ++d) out.high[r][d] = out.low[r][d];
        } else if (highSum[r] == emptyCells) {
            for (int d = 0; d < 9; ++d) out.low[r][d] = out.high[r][d];
        }
    }
    return true;
}

// Applies the ranges of `d`: units that must all take it require it, units that may not take
// it lose its candidates. The ranges stay valid while the board only narrows, so they may be
// applied one by one.
void applyRegionRanges(Board& board, Search& search, int d, unsigned can[3],
                       const RegionRanges& ranges) {
    std::uint32_t reachCounts[3] = {unitGroupCounts.of[can[kindRow]],
                                    unitGroupCounts.of[can[kindColumn]],
                                    unitGroupCounts.of[can[kindBox]]};
    for (int r = 0; r < regionCount; ++r) {
        for (int kind = 0; kind < 3; ++kind) {
            const int shift = regionGroupShift[r][kind];
            if (shift < 0) continue;
            std::uint16_t& required = requiredUnits(board, kind, d);
            const int reachCount = static_cast<int>(reachCounts[kind] >> shift & 0xFu);
            const int requiredCount =
                static_cast<int>(unitGroupCounts.of[required] >> shift & 0xFu);
            if (reachCount > ranges.low[r][d] && requiredCount < ranges.high[r][d]) continue;
            const unsigned optional =
                can[kind] & regions[r].units[kind] & ~static_cast<unsigned>(required);
            if (optional == 0) continue;
            search.dirty |= 1u << d;
            if (reachCount <= ranges.low[r][d]) {
                required = static_cast<std::uint16_t>(required | optional);
                continue;
            }
            for (unsigned u = optional; u != 0; u &= u - 1) {
                std::uint32_t unitCellMask[3];
                unitWords(kind, std::countr_zero(u), unitCellMask);
                for (int band = 0; band < 3; ++band)
                    board.candidates[d][band] &= ~unitCellMask[band];
            }
            reachableUnits(board, d, can);
            for (int k = 0; k < 3; ++k) reachCounts[k] = unitGroupCounts.of[can[k]];
        }
    }
}

bool looseUnits(Board& board, Search& search) {
    // Per digit and kind: the units that hold a candidate of it. Only a strike changes them,
    // and it recomputes them.
    unsigned can[9][3];
    for (int d = 0; d < 9; ++d) reachableUnits(board, d, can[d]);
    if (!looseUnitsHaveDigitsEnough(board, search, can)) return false;
    RegionRanges ranges;
    if (!findRegionRanges(board, can, ranges)) return false;
    for (int d = 0; d < 9; ++d) applyRegionRanges(board, search, d, can[d], ranges);
    return true;
}

} // namespace

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
// strikes out each one that leads to a dead end; one pass over the cells. Where units are
// loose the deductions see little of what each unit still needs, and a grid without
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

namespace {

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

} // namespace

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

} // namespace korvani::solver
